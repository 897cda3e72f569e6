#include "images/JpegBlockAverages.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace seamster {
namespace {

// --- The file's headers -------------------------------------------------------

constexpr int maxComponents = 3;
constexpr int maxBlocksPerMcu = 10;  // the format's own limit
constexpr int fastBits = 10;         // codes up to this long are found with one look-up
constexpr int pairBits = 12;         // AC coefficients are skipped up to two at a time

uint16_t bigEndian16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }

// A Huffman table prepared for reading: short codes through look-up tables,
// longer ones the canonical way.
struct HuffmanTable {
    bool defined = false;
    bool pairsBuilt = false;
    int symbolCount = 0;
    std::array<uint8_t, 256> symbols{};
    std::array<int32_t, 18> maxCode{};  // per length; -1 where no code has it
    std::array<int32_t, 17> valueOffset{};
    // By the next fastBits bits: the length of the code that starts there
    // (0 when it is longer) and its symbol.
    std::array<uint8_t, 1 << fastBits> fastLength{};
    std::array<uint8_t, 1 << fastBits> fastSymbol{};
    // For skipping AC coefficients, by the next pairBits bits: the bits taken
    // by the one or two whole coefficients (code and value) that fit in them
    // (bits 0-4; 0 when not even one fits) and how far they move along the
    // block (from bit 5; 64 is added when the last of them ends the block).
    std::array<uint16_t, 1 << pairBits> pairs{};

    // Prepares the look-up of codes; false for counts that make no code.
    bool build(const uint8_t* counts, const uint8_t* values) {
        *this = HuffmanTable{};
        int total = 0;
        for (int i = 0; i < 16; ++i) total += counts[i];
        if (total > 256) return false;
        symbolCount = total;
        std::memcpy(symbols.data(), values, size_t(total));
        int32_t code = 0;
        int index = 0;
        for (int length = 1; length <= 16; ++length) {
            valueOffset[length] = index - code;
            for (int i = 0; i < counts[length - 1]; ++i, ++index, ++code) {
                if (code >= (int32_t{1} << length)) return false;  // lengths that cannot be
                if (length <= fastBits) {
                    const int first = code << (fastBits - length);
                    const size_t count = size_t{1} << (fastBits - length);
                    std::memset(fastLength.data() + first, length, count);
                    std::memset(fastSymbol.data() + first, values[index], count);
                }
            }
            maxCode[length] = counts[length - 1] ? code - 1 : -1;
            code <<= 1;
        }
        maxCode[17] = INT32_MAX;
        defined = true;
        return true;
    }

    // Prepares the skipping of AC coefficients. Only the tables a scan reads
    // AC coefficients with need it, so it waits until the scan names them: a
    // file may define many tables and use few.
    // Kept out of line so that the fuzzing build can leave this loop over
    // every bit pattern untraced (tests/fuzz/coverage-ignore.txt).
    [[gnu::noinline]] void buildPairs() {
        if (pairsBuilt) return;
        for (unsigned j = 0; j < (1u << pairBits); ++j) {
            int taken = 0, advance = 0;
            for (int coefficient = 0; coefficient < 2; ++coefficient) {
                const unsigned rest = (j << taken) & ((1u << pairBits) - 1);
                const unsigned index = rest >> (pairBits - fastBits);
                const int length = fastLength[index];
                const int run = fastSymbol[index] >> 4, size = fastSymbol[index] & 15;
                if (length == 0 || taken + length + size > pairBits) break;
                taken += length + size;
                if (size == 0 && run != 15) {
                    advance += 64;
                    break;
                }
                advance += run + 1;
            }
            pairs[j] = uint16_t(taken | advance << 5);
        }
        pairsBuilt = true;
    }
};

struct Component {
    int id = 0;
    int h = 1, v = 1;
    int quantTable = 0;
    int dcTable = 0, acTable = 0;
    int quantDc = 0;  // the quantisation of the block's average
};

struct Frame {
    int width = 0, height = 0;
    int componentCount = 0;
    std::array<Component, maxComponents> components;
    int maxH = 1, maxV = 1;
    int restartInterval = 0;
    std::array<HuffmanTable, 4> dcTables, acTables;
    std::array<int, 4> quantDc{};
    std::array<bool, 4> quantDefined{};
    size_t scanStart = 0;  // the first byte of the compressed data
};

// One marker segment: the marker and the bytes its length covers.
struct Segment {
    uint8_t marker = 0;
    const uint8_t* body = nullptr;
    size_t size = 0;
};

// What the headers said, as far as they have been read.
struct Headers {
    Frame frame;
    bool sawFrame = false, sawJfif = false, sawAdobe = false;
    int adobeTransform = 0;  // 0: stored as RGB
};

// The segment at `at`, moving `at` past it; nothing when there is no whole
// segment there.
std::optional<Segment> nextSegment(const uint8_t* bytes, size_t size, size_t& at) {
    if (at + 4 > size || bytes[at] != 0xFF) return std::nullopt;
    while (at + 4 <= size && bytes[at + 1] == 0xFF) ++at;  // fill bytes
    if (at + 4 > size) return std::nullopt;
    const size_t length = bigEndian16(bytes + at + 2);
    if (length < 2 || at + 2 + length > size) return std::nullopt;
    Segment segment{bytes[at + 1], bytes + at + 4, length - 2};
    at += 2 + length;
    return segment;
}

// Start of frame, sequential and Huffman-coded.
bool readFrameHeader(const Segment& s, Headers& headers) {
    Frame& frame = headers.frame;
    if (headers.sawFrame || s.size < 6 || s.body[0] != 8) return false;
    frame.height = bigEndian16(s.body + 1);
    frame.width = bigEndian16(s.body + 3);
    frame.componentCount = s.body[5];
    const int n = frame.componentCount;
    if ((n != 1 && n != 3) || s.size != size_t(6 + 3 * n)) return false;
    if (!Image::sizeAllowed(frame.width, frame.height)) return false;
    for (int i = 0; i < n; ++i) {
        Component& c = frame.components[i];
        c.id = s.body[6 + 3 * i];
        c.h = s.body[7 + 3 * i] >> 4;
        c.v = s.body[7 + 3 * i] & 15;
        c.quantTable = s.body[8 + 3 * i];
        if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.quantTable > 3) return false;
        frame.maxH = std::max(frame.maxH, c.h);
        frame.maxV = std::max(frame.maxV, c.v);
    }
    headers.sawFrame = true;
    return true;
}

bool readHuffmanTables(const Segment& s, Frame& frame) {
    size_t p = 0;
    while (p < s.size) {
        if (p + 17 > s.size) return false;
        const int tableClass = s.body[p] >> 4, slot = s.body[p] & 15;
        if (tableClass > 1 || slot > 3) return false;
        int total = 0;
        for (int i = 0; i < 16; ++i) total += s.body[p + 1 + i];
        if (p + 17 + size_t(total) > s.size) return false;
        HuffmanTable& table = tableClass ? frame.acTables[slot] : frame.dcTables[slot];
        if (!table.build(s.body + p + 1, s.body + p + 17)) return false;
        p += 17 + size_t(total);
    }
    return true;
}

// Only the first entry of each quantisation table matters here.
bool readQuantTables(const Segment& s, Frame& frame) {
    size_t p = 0;
    while (p < s.size) {
        const int precision = s.body[p] >> 4, slot = s.body[p] & 15;
        const size_t tableSize = precision ? 128 : 64;
        if (precision > 1 || slot > 3 || p + 1 + tableSize > s.size) return false;
        frame.quantDc[slot] = precision ? bigEndian16(s.body + p + 1) : s.body[p + 1];
        frame.quantDefined[slot] = true;
        p += 1 + tableSize;
    }
    return true;
}

bool readRestartInterval(const Segment& s, Frame& frame) {
    if (s.size != 2) return false;
    frame.restartInterval = bigEndian16(s.body);
    return true;
}

void readJfifMarker(const Segment& s, Headers& headers) {
    headers.sawJfif = headers.sawJfif || (s.size >= 5 && std::memcmp(s.body, "JFIF\0", 5) == 0);
}

void readAdobeMarker(const Segment& s, Headers& headers) {
    if (s.size >= 12 && std::memcmp(s.body, "Adobe", 5) == 0) {
        headers.sawAdobe = true;
        headers.adobeTransform = s.body[11];
    }
}

// Start of scan: every component in one scan, every table it names defined,
// DC sizes within what a sample can change by.
bool readScanHeader(const Segment& s, Headers& headers) {
    Frame& frame = headers.frame;
    if (!headers.sawFrame || s.size < 1) return false;
    const int n = s.body[0];
    if (n != frame.componentCount || s.size != size_t(4 + 2 * n)) return false;
    for (int i = 0; i < n; ++i) {
        Component& c = frame.components[i];
        if (s.body[1 + 2 * i] != c.id) return false;
        c.dcTable = s.body[2 + 2 * i] >> 4;
        c.acTable = s.body[2 + 2 * i] & 15;
        if (c.dcTable > 3 || c.acTable > 3 || !frame.dcTables[c.dcTable].defined ||
            !frame.acTables[c.acTable].defined || !frame.quantDefined[c.quantTable])
            return false;
        for (int k = 0; k < frame.dcTables[c.dcTable].symbolCount; ++k) {
            if (frame.dcTables[c.dcTable].symbols[k] > 15) return false;
        }
        c.quantDc = frame.quantDc[c.quantTable];
    }
    const uint8_t* tail = s.body + 1 + 2 * n;
    if (tail[0] != 0 || tail[1] != 63 || tail[2] != 0) return false;
    for (int i = 0; i < n; ++i) frame.acTables[frame.components[i].acTable].buildPairs();
    return true;
}

// Reads one segment before the scan; false for one this reader does not
// handle.
bool readSegment(const Segment& s, Headers& headers) {
    const uint8_t m = s.marker;
    if (m == 0xC0 || m == 0xC1) return readFrameHeader(s, headers);
    // Progressive, lossless, arithmetic coding or a height to come:
    if ((m >= 0xC2 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) || m == 0xDC) return false;
    if (m == 0xC4) return readHuffmanTables(s, headers.frame);
    if (m == 0xDB) return readQuantTables(s, headers.frame);
    if (m == 0xDD) return readRestartInterval(s, headers.frame);
    if (m == 0xE0) readJfifMarker(s, headers);
    if (m == 0xEE) readAdobeMarker(s, headers);
    // No scan, or a marker without a length where one belongs:
    return !(m == 0xD9 || (m >= 0xD0 && m <= 0xD8) || m == 0x01);
}

// How the components make colours; false for files left to the library.
bool settleColourModel(Headers& headers) {
    Frame& frame = headers.frame;
    if (frame.componentCount == 3) {
        // Three components are YCbCr, as the library reads them, unless the
        // file says otherwise without a JFIF marker (which means YCbCr): an
        // Adobe marker for RGB, or without one, components named R, G and B.
        // Those rare files go to the library.
        const auto& c = frame.components;
        const bool namedRgb = c[0].id == 'R' && c[1].id == 'G' && c[2].id == 'B';
        const bool storedRgb = headers.sawAdobe ? headers.adobeTransform == 0 : namedRgb;
        if (!headers.sawJfif && storedRgb) return false;
        for (const Component& component : c) {
            if (frame.maxH % component.h || frame.maxV % component.v) return false;
        }
    } else {
        // One component is coded block by block, whatever its sampling.
        frame.components[0].h = frame.components[0].v = 1;
        frame.maxH = frame.maxV = 1;
    }
    return true;
}

// Reads the segments up to the first scan; nothing for a file this reader
// does not handle.
std::optional<Frame> readHeaders(std::string_view text) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const size_t size = text.size();
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
    Headers headers;
    size_t at = 2;
    for (;;) {
        const auto segment = nextSegment(bytes, size, at);
        if (!segment) return std::nullopt;
        if (segment->marker == 0xDA) {
            if (!readScanHeader(*segment, headers)) return std::nullopt;
            headers.frame.scanStart = at;
            break;
        }
        if (!readSegment(*segment, headers)) return std::nullopt;
    }
    if (!settleColourModel(headers)) return std::nullopt;
    return headers.frame;
}

// --- The compressed data --------------------------------------------------------

// Room after the data for reading past its end: a block takes at most
// 64 x 31 bits, and every block is checked against the end.
constexpr size_t tailPadding = 512;

struct EntropyData {
    std::vector<uint8_t> bytes;  // without stuffed zeros and markers, then padding
    uint64_t bitCount = 0;
    std::vector<uint64_t> restarts;  // bit positions where each restart marker stood
};

// Copies the compressed data with its stuffed zero bytes removed, noting
// where the restart markers were. Nothing when the data is cut short before
// the marker that ends it.
std::optional<EntropyData> readEntropyData(std::string_view text, size_t start) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const size_t size = text.size();
    EntropyData data;
    try {
        data.bytes.resize(size - start + tailPadding);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    uint8_t* out = data.bytes.data();
    size_t at = start;
    for (;;) {
        const auto* found = static_cast<const uint8_t*>(std::memchr(bytes + at, 0xFF, size - at));
        if (!found) return std::nullopt;
        const size_t run = size_t(found - (bytes + at));
        std::memcpy(out, bytes + at, run);
        out += run;
        at += run;
        if (at + 1 >= size) return std::nullopt;
        const uint8_t next = bytes[at + 1];
        if (next == 0x00) {
            *out++ = 0xFF;
            at += 2;
        } else if (next == 0xFF) {
            at += 1;  // a fill byte before a marker
        } else if (next >= 0xD0 && next <= 0xD7) {
            data.restarts.push_back(uint64_t(out - data.bytes.data()) * 8);
            at += 2;
        } else {
            break;  // the scan ends
        }
    }
    data.bitCount = uint64_t(out - data.bytes.data()) * 8;
    std::fill(out, data.bytes.data() + data.bytes.size(), uint8_t{0});
    return data;
}

// --- Reading blocks ------------------------------------------------------------------

inline uint64_t loadBigEndian64(const uint8_t* p) {
    // Compilers turn this into one load and a byte swap.
    uint64_t word = 0;
    for (int i = 0; i < 8; ++i) word = word << 8 | p[i];
    return word;
}

// Reads the data a few bits at a time through a 64-bit window kept in a
// register, filled eight bytes at a time.
struct BitReader {
    const uint8_t* base = nullptr;
    const uint8_t* next = nullptr;
    uint64_t window = 0;  // the next bits, the first in the top bit
    int count = 0;        // how many bits of the window are filled

    void seek(const uint8_t* data, uint64_t position) {
        base = data;
        next = data + position / 8;
        window = 0;
        count = 0;
        refill();
        consume(int(position % 8));
    }
    // Leaves at least 56 bits in the window.
    void refill() {
        window |= loadBigEndian64(next) >> count;
        next += (63 - count) >> 3;
        count |= 56;
    }
    uint64_t peek(int bits) const { return window >> (64 - bits); }
    void consume(int bits) {
        window <<= bits;
        count -= bits;
    }
    uint64_t position() const { return uint64_t(next - base) * 8 - uint64_t(count); }
};

// The symbol of the code at the reader, consumed; -1 for a code the table
// does not have. Takes at most 16 bits.
inline int readSymbol(BitReader& reader, const HuffmanTable& table) {
    const uint64_t bits = reader.window;
    const unsigned index = unsigned(bits >> (64 - fastBits));
    if (const int length = table.fastLength[index]) {
        reader.consume(length);
        return table.fastSymbol[index];
    }
    for (int length = fastBits + 1; length <= 16; ++length) {
        const int32_t code = int32_t(bits >> (64 - length));
        if (code <= table.maxCode[length]) {
            const int at = table.valueOffset[length] + code;
            if (at < 0 || at >= table.symbolCount) return -1;
            reader.consume(length);
            return table.symbols[size_t(at)];
        }
    }
    return -1;
}

// Reads one block and gives the change of its average from the previous
// block of its component; false for data that cannot be decoded.
inline bool readBlock(BitReader& reader, const HuffmanTable& dc, const HuffmanTable& ac,
                      int32_t& difference) {
    reader.refill();
    const int size = readSymbol(reader, dc);
    if (size < 0) return false;
    difference = 0;
    if (size) {
        const uint32_t raw = uint32_t(reader.peek(size));
        reader.consume(size);
        difference =
            raw < (1u << (size - 1)) ? int32_t(raw) - int32_t((1u << size) - 1) : int32_t(raw);
    }
    for (int k = 1; k < 64;) {
        reader.refill();
        const unsigned step = ac.pairs[reader.peek(pairBits)];
        const int taken = int(step & 31), advance = int(step >> 5);
        if (taken) {
            const int reached = k + advance;
            if (reached < 64) {
                reader.consume(taken);
                k = reached;
                continue;
            }
            if (advance >= 64 && reached < 128) {  // ends with the end of the block
                reader.consume(taken);
                break;
            }
        }
        // One coefficient at a time: long codes, and the end of a block that
        // has no end mark.
        const int symbol = readSymbol(reader, ac);
        if (symbol < 0) return false;
        const int run = symbol >> 4, valueSize = symbol & 15;
        if (valueSize == 0 && run != 15) break;
        reader.consume(valueSize);
        k += run + 1;
    }
    return true;
}

// --- Putting the picture together -------------------------------------------------

// What the library's smallest inverse transform makes of a block's average.
inline uint8_t sampleOf(int32_t average, int quantDc) {
    const int32_t value = (int32_t(int16_t(average)) * quantDc + 4) >> 3;
    const int index = value & 1023;  // the library's range limiting, wrap-around included
    return uint8_t(index < 128 ? index + 128 : index < 512 ? 255 : index < 896 ? 0 : index - 896);
}

// One block of the MCU: which component, and where it lies in the MCU's part
// of that component's plane.
struct BlockPlace {
    int component = 0;
    int dx = 0, dy = 0;
};

struct Layout {
    int mcusAcross = 0, mcusDown = 0;
    int blocksPerMcu = 0;
    std::array<BlockPlace, maxBlocksPerMcu> blocks;
    std::array<int, maxComponents> planeWidth{}, planeHeight{};
};

std::optional<Layout> layoutOf(const Frame& frame) {
    Layout layout;
    const int mcuWidth = 8 * frame.maxH, mcuHeight = 8 * frame.maxV;
    layout.mcusAcross = (frame.width + mcuWidth - 1) / mcuWidth;
    layout.mcusDown = (frame.height + mcuHeight - 1) / mcuHeight;
    for (int c = 0; c < frame.componentCount; ++c) {
        const Component& component = frame.components[c];
        layout.planeWidth[c] = layout.mcusAcross * component.h;
        layout.planeHeight[c] = layout.mcusDown * component.v;
        for (int dy = 0; dy < component.v; ++dy) {
            for (int dx = 0; dx < component.h; ++dx) {
                if (layout.blocksPerMcu == maxBlocksPerMcu) return std::nullopt;
                layout.blocks[layout.blocksPerMcu++] = {c, dx, dy};
            }
        }
    }
    return layout;
}

// The averages of every block, one plane per component, as samples.
struct Planes {
    std::array<std::vector<uint8_t>, maxComponents> samples;
};

// The running average of each component.
using Averages = std::array<int32_t, maxComponents>;

// Reads MCUs and puts their averages into the planes.
class McuReader {
public:
    McuReader(const Frame& frame, const Layout& layout, const EntropyData& data, Planes& planes)
        : layout_(layout), data_(data), interval_(frame.restartInterval) {
        for (int b = 0; b < layout.blocksPerMcu; ++b) {
            const BlockPlace& place = layout.blocks[b];
            const Component& component = frame.components[place.component];
            dc_[b] = &frame.dcTables[component.dcTable];
            ac_[b] = &frame.acTables[component.acTable];
            plane_[b] = planes.samples[place.component].data();
            quant_[b] = component.quantDc;
            stride_[b] = layout.planeWidth[place.component];
            h_[b] = component.h;
            v_[b] = component.v;
        }
    }

    int blocksPerMcu() const { return layout_.blocksPerMcu; }

    // The changes of the averages in the MCU at the reader; false for data
    // that cannot be decoded or that runs past the end.
    bool read(BitReader& reader, int32_t* differences) const {
        for (int b = 0; b < layout_.blocksPerMcu; ++b) {
            if (!readBlock(reader, *dc_[b], *ac_[b], differences[b])) return false;
            if (reader.position() > data_.bitCount) return false;
        }
        return true;
    }

    // Adds an MCU's changes to the running averages and puts the results
    // into the planes; false when an average goes beyond all bounds.
    template <typename Difference>
    bool store(int64_t mcu, const Difference* differences, Averages& averages) const {
        const int mcuX = int(mcu % layout_.mcusAcross), mcuY = int(mcu / layout_.mcusAcross);
        for (int b = 0; b < layout_.blocksPerMcu; ++b) {
            int32_t& average = averages[size_t(layout_.blocks[b].component)];
            const int64_t sum = int64_t(average) + int64_t(differences[b]);
            if (sum < INT32_MIN || sum > INT32_MAX) return false;
            average = int32_t(sum);
            const size_t x = size_t(mcuX * h_[b] + layout_.blocks[b].dx);
            const size_t y = size_t(mcuY * v_[b] + layout_.blocks[b].dy);
            plane_[b][y * size_t(stride_[b]) + x] = sampleOf(average, quant_[b]);
        }
        return true;
    }

    // Reads MCUs [first, end) from the reader's position, the averages
    // continuing from `averages`; with restart markers, `first` must be where
    // an interval starts. Before each MCU, `handOver(mcu, reader, averages)`
    // may take the rest over: then reading stops there and its answer counts.
    template <typename HandOver>
    bool readRange(int64_t first, int64_t end, BitReader& reader, Averages& averages,
                   HandOver&& handOver) const {
        std::array<int32_t, maxBlocksPerMcu> differences;
        for (int64_t mcu = first; mcu < end; ++mcu) {
            if (interval_ && mcu != first && mcu % interval_ == 0) {
                const size_t marker = size_t(mcu / interval_ - 1);
                if (marker >= data_.restarts.size() || reader.position() > data_.restarts[marker])
                    return false;
                reader.seek(data_.bytes.data(), data_.restarts[marker]);
                averages = {};
            }
            if (const auto answer = handOver(mcu, reader, averages)) return *answer;
            if (!read(reader, differences.data()) || !store(mcu, differences.data(), averages))
                return false;
        }
        return true;
    }

    bool readRange(int64_t first, int64_t end, BitReader& reader, Averages& averages) const {
        return readRange(first, end, reader, averages,
                         [](int64_t, const BitReader&, const Averages&) -> std::optional<bool> {
                             return std::nullopt;
                         });
    }

private:
    const Layout& layout_;
    const EntropyData& data_;
    int64_t interval_ = 0;
    std::array<const HuffmanTable*, maxBlocksPerMcu> dc_{}, ac_{};
    std::array<uint8_t*, maxBlocksPerMcu> plane_{};
    std::array<int, maxBlocksPerMcu> quant_{}, stride_{}, h_{}, v_{};
};

// --- Two readers at once ------------------------------------------------------------

// With restart markers, the second half starts at the marker nearest the
// middle, and both halves are read as they are.
bool readHalvesAtMarker(const McuReader& mcus, const EntropyData& data, int64_t mcuCount,
                        int64_t interval) {
    const int64_t intervals = (mcuCount + interval - 1) / interval;
    const int64_t split = intervals / 2 * interval;
    bool secondOk = false;
    std::thread second([&] {
        BitReader reader;
        reader.seek(data.bytes.data(), data.restarts[size_t(split / interval - 1)]);
        Averages averages{};
        secondOk = mcus.readRange(split, mcuCount, reader, averages);
    });
    BitReader reader;
    reader.seek(data.bytes.data(), 0);
    Averages averages{};
    const bool firstOk = mcus.readRange(0, split, reader, averages);
    second.join();
    return firstOk && secondOk;
}

// Without them, nobody knows where in the data the second half starts. The
// second reader starts in the middle anyway, taking it for the start of an
// MCU, and notes where each MCU it reads begins and how it changes the
// averages. Huffman codes fall into step again after a few wrong guesses,
// so from some point on it reads what a reader from the start would. The
// first reader, from the start, proves it: once it reaches an MCU start the
// second reader noted too, both readers read the same from there (only the
// second one's averages are off by what it missed, which the changes undo).
// If they never meet, the first reader reads on to the end alone.
struct SecondHalf {
    uint64_t start = 0;
    std::vector<uint64_t> mcuStarts;
    std::vector<int16_t> differences;  // blocksPerMcu per MCU; an average changes by at most 32767
    std::atomic<size_t> published{0};  // entries the first reader may look at
    std::atomic<bool> finished{false};
    std::atomic<bool> cancelled{false};
};

void readSecondHalf(const McuReader& mcus, const EntropyData& data, SecondHalf& half) {
    const int blocks = mcus.blocksPerMcu();
    BitReader reader;
    reader.seek(data.bytes.data(), half.start);
    std::array<int32_t, maxBlocksPerMcu> differences;
    size_t count = 0;
    while (count < half.mcuStarts.size() && !half.cancelled.load(std::memory_order_relaxed)) {
        const uint64_t position = reader.position();
        if (!mcus.read(reader, differences.data())) break;
        half.mcuStarts[count] = position;
        std::copy_n(differences.begin(), blocks,
                    half.differences.begin() + ptrdiff_t(count) * blocks);
        ++count;
        if (count % 64 == 0) half.published.store(count, std::memory_order_release);
    }
    half.published.store(count, std::memory_order_release);
    half.finished.store(true, std::memory_order_release);
}

bool readHalvesMeeting(const McuReader& mcus, const EntropyData& data, int64_t mcuCount) {
    SecondHalf half;
    half.start = data.bitCount / 16 * 8;  // a byte in the middle
    try {
        half.mcuStarts.resize(size_t(mcuCount));
        half.differences.resize(size_t(mcuCount) * size_t(mcus.blocksPerMcu()));
    } catch (const std::bad_alloc&) {
        BitReader reader;
        reader.seek(data.bytes.data(), 0);
        Averages averages{};
        return mcus.readRange(0, mcuCount, reader, averages);
    }
    std::thread second([&] { readSecondHalf(mcus, data, half); });

    size_t next = 0;  // the first of the second reader's MCUs not yet passed
    bool searching = true;
    auto meet = [&](int64_t mcu, const BitReader& reader,
                    const Averages& averages) -> std::optional<bool> {
        const uint64_t position = reader.position();
        if (!searching || position < half.start) return std::nullopt;
        const bool finished = half.finished.load(std::memory_order_acquire);
        const size_t published = half.published.load(std::memory_order_acquire);
        while (next < published && half.mcuStarts[next] < position) ++next;
        if (next == published) {
            searching = !finished;  // it may yet get further
            return std::nullopt;
        }
        if (half.mcuStarts[next] != position) return std::nullopt;
        // Met: the rest is in the second reader's notes, if it read that far.
        second.join();
        const size_t rest = size_t(mcuCount - mcu);
        if (half.published.load() - next < rest) {
            searching = false;  // it stopped on bad data: read on to see
            return std::nullopt;
        }
        Averages running = averages;
        const int blocks = mcus.blocksPerMcu();
        for (size_t i = 0; i < rest; ++i) {
            const int16_t* changes = half.differences.data() + (next + i) * size_t(blocks);
            if (!mcus.store(mcu + int64_t(i), changes, running)) return false;
        }
        return true;
    };
    BitReader reader;
    reader.seek(data.bytes.data(), 0);
    Averages averages{};
    const bool ok = mcus.readRange(0, mcuCount, reader, averages, meet);
    half.cancelled = true;
    if (second.joinable()) second.join();
    return ok;
}

// Worth a second thread: about a megabyte of data, as a 6-megapixel photo has.
constexpr uint64_t bitsWorthTwoReaders = uint64_t{8} << 20;

bool readAllMcus(const McuReader& mcus, const Frame& frame, const EntropyData& data,
                 int64_t mcuCount, Threading threading) {
    if (mcuCount >= 2 && wantsSecondThread(threading, data.bitCount >= bitsWorthTwoReaders)) {
        try {
            if (frame.restartInterval && mcuCount > frame.restartInterval) {
                return readHalvesAtMarker(mcus, data, mcuCount, frame.restartInterval);
            }
            if (!frame.restartInterval) return readHalvesMeeting(mcus, data, mcuCount);
        } catch (const std::system_error&) {
            // No thread to be had: one reader does it all.
        }
    }
    BitReader reader;
    reader.seek(data.bytes.data(), 0);
    Averages averages{};
    return mcus.readRange(0, mcuCount, reader, averages);
}

// The library's YCbCr to RGB conversion, to the same rounding.
struct ColourTables {
    std::array<int, 256> crToR{}, cbToB{}, crToG{}, cbToG{};
    ColourTables() {
        constexpr int64_t one = int64_t{1} << 16, half = one >> 1;
        for (int i = 0; i < 256; ++i) {
            const int64_t x = i - 128;
            crToR[size_t(i)] = int((91881 * x + half) >> 16);
            cbToB[size_t(i)] = int((116130 * x + half) >> 16);
            crToG[size_t(i)] = int(-46802 * x);
            cbToG[size_t(i)] = int(-22554 * x + half);
        }
    }
};

uint8_t clampSample(int value) { return uint8_t(std::clamp(value, 0, 255)); }

std::optional<Image> assemble(const Frame& frame, const Layout& layout, const Planes& planes) {
    const int width = (frame.width + 7) / 8, height = (frame.height + 7) / 8;
    auto image = Image::create(width, height);
    if (!image) return std::nullopt;
    if (frame.componentCount == 1) {
        for (int y = 0; y < height; ++y) {
            const uint8_t* in = planes.samples[0].data() + size_t(y) * size_t(layout.planeWidth[0]);
            uint8_t* out = image->row(y);
            for (int x = 0; x < width; ++x) out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = in[x];
        }
        return image;
    }
    static const ColourTables tables;
    std::array<int, maxComponents> stepH{}, stepV{};
    for (int c = 0; c < 3; ++c) {
        stepH[size_t(c)] = frame.maxH / frame.components[c].h;
        stepV[size_t(c)] = frame.maxV / frame.components[c].v;
    }
    for (int y = 0; y < height; ++y) {
        const uint8_t* rows[3];
        for (int c = 0; c < 3; ++c) {
            rows[c] = planes.samples[c].data() +
                      size_t(y / stepV[size_t(c)]) * size_t(layout.planeWidth[c]);
        }
        uint8_t* out = image->row(y);
        for (int x = 0; x < width; ++x) {
            const int luma = rows[0][x / stepH[0]];
            const int cb = rows[1][x / stepH[1]], cr = rows[2][x / stepH[2]];
            out[3 * x] = clampSample(luma + tables.crToR[size_t(cr)]);
            out[3 * x + 1] =
                clampSample(luma + ((tables.cbToG[size_t(cb)] + tables.crToG[size_t(cr)]) >> 16));
            out[3 * x + 2] = clampSample(luma + tables.cbToB[size_t(cb)]);
        }
    }
    return image;
}

}  // namespace

std::optional<DecodedPicture> decodeJpegBlockAverages(std::string_view bytes, int minWidth,
                                                      int minHeight, Threading threading) {
    const auto frame = readHeaders(bytes);
    if (!frame) return std::nullopt;
    if ((frame->width + 7) / 8 < std::min(minWidth, frame->width) ||
        (frame->height + 7) / 8 < std::min(minHeight, frame->height))
        return std::nullopt;
    const auto layout = layoutOf(*frame);
    if (!layout) return std::nullopt;
    const auto data = readEntropyData(bytes, frame->scanStart);
    if (!data) return std::nullopt;
    const int64_t mcuCount = int64_t(layout->mcusAcross) * layout->mcusDown;
    if (frame->restartInterval) {
        const int64_t intervals = (mcuCount + frame->restartInterval - 1) / frame->restartInterval;
        if (int64_t(data->restarts.size()) < intervals - 1) return std::nullopt;
    }
    Planes planes;
    try {
        for (int c = 0; c < frame->componentCount; ++c) {
            planes.samples[c].resize(size_t(layout->planeWidth[c]) *
                                     size_t(layout->planeHeight[c]));
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    const McuReader mcus(*frame, *layout, *data, planes);
    if (!readAllMcus(mcus, *frame, *data, mcuCount, threading)) return std::nullopt;
    auto image = assemble(*frame, *layout, planes);
    if (!image) return std::nullopt;
    return DecodedPicture{std::move(*image), frame->width, frame->height};
}

}  // namespace seamster

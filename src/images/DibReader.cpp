#include "images/DibReader.h"

#include <algorithm>
#include <bit>
#include <new>

#include "images/DecoderSupport.h"

namespace seamster::dib {
namespace {

using decoding::refuse;

bool fail(std::string* why, const char* reason) {
    if (why) *why = reason;
    return false;
}

bool validDepth(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The old OS/2 header: 16-bit sizes, three-byte palette entries.
bool readCoreHeader(std::string_view bytes, size_t at, Header& h, std::string* why) {
    uint32_t width = 0, height = 0, planes = 0, bits = 0;
    if (!read16(bytes, at + 4, width) || !read16(bytes, at + 6, height) ||
        !read16(bytes, at + 8, planes) || !read16(bytes, at + 10, bits)) {
        return fail(why, "bitmap header cut short");
    }
    h.width = width;
    h.height = height;
    h.bitsPerPixel = bits;
    return true;
}

bool readInfoHeader(std::string_view bytes, size_t at, Header& h, std::string* why) {
    uint32_t width = 0, height = 0, planes = 0, bits = 0;
    if (!read32(bytes, at + 4, width) || !read32(bytes, at + 8, height) ||
        !read16(bytes, at + 12, planes) || !read16(bytes, at + 14, bits)) {
        return fail(why, "bitmap header cut short");
    }
    h.width = int32_t(width);
    const int64_t signedHeight = int32_t(height);
    h.topDown = signedHeight < 0;
    h.height = signedHeight < 0 ? -signedHeight : signedHeight;
    h.bitsPerPixel = bits;
    if (h.headerSize >= 20 && !read32(bytes, at + 16, h.compression)) {
        return fail(why, "bitmap header cut short");
    }
    const bool os2 = h.headerSize == 16 || h.headerSize == 64;
    if (os2 && h.compression >= bitFields) return fail(why, "unsupported OS/2 bitmap compression");
    return true;
}

bool readMasks(std::string_view bytes, size_t at, Header& h, std::string* why) {
    const bool masked = h.compression == bitFields || h.compression == alphaBitFields;
    if (!masked) {
        if (h.bitsPerPixel == 16) {
            h.masks[0] = 0x7C00, h.masks[1] = 0x03E0, h.masks[2] = 0x001F;
        } else if (h.bitsPerPixel == 32) {
            h.masks[0] = 0xFF0000, h.masks[1] = 0xFF00, h.masks[2] = 0xFF;
        }
        return true;
    }
    if (h.bitsPerPixel != 16 && h.bitsPerPixel != 32) {
        return fail(why, "colour masks on a depth that has none");
    }
    // From 52 bytes on the masks are part of the header; a 40-byte header is
    // followed by them.
    const size_t start = at + 40;
    const int count = h.compression == alphaBitFields || h.headerSize >= 56 ? 4 : 3;
    for (int i = 0; i < count; ++i) {
        if (!read32(bytes, start + size_t(i) * 4, h.masks[i])) {
            return fail(why, "colour masks cut short");
        }
    }
    h.end = std::max(h.end, start + size_t(count) * 4);
    return true;
}

void readPalette(std::string_view bytes, size_t paletteLimit, uint32_t coloursUsed, Header& h) {
    if (h.bitsPerPixel > 8) return;
    const uint32_t full = 1u << h.bitsPerPixel;
    size_t count = coloursUsed == 0 || coloursUsed > full ? full : coloursUsed;
    const size_t entrySize = h.headerSize == 12 ? 3 : 4;
    const size_t limit = std::min(paletteLimit, bytes.size());
    const size_t room = limit > h.end ? (limit - h.end) / entrySize : 0;
    count = std::min(count, room);
    h.palette.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t p = h.end + i * entrySize;
        h.palette.push_back({uint8_t(bytes[p + 2]), uint8_t(bytes[p + 1]), uint8_t(bytes[p])});
    }
    h.end += count * entrySize;
}

bool compressionFits(const Header& h) {
    switch (h.compression) {
    case none: return true;
    case rle8: return h.bitsPerPixel == 8;
    case rle4: return h.bitsPerPixel == 4;
    case bitFields:
    case alphaBitFields: return h.bitsPerPixel == 16 || h.bitsPerPixel == 32;
    default: return false;
    }
}

}  // namespace

bool read16(std::string_view bytes, size_t at, uint32_t& value) {
    if (at > bytes.size() || bytes.size() - at < 2) return false;
    value = uint32_t(uint8_t(bytes[at])) | uint32_t(uint8_t(bytes[at + 1])) << 8;
    return true;
}

bool read32(std::string_view bytes, size_t at, uint32_t& value) {
    if (at > bytes.size() || bytes.size() - at < 4) return false;
    value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | uint8_t(bytes[at + size_t(i)]);
    return true;
}

int64_t rowStride(int64_t width, uint32_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

std::optional<Header> readHeader(std::string_view bytes, size_t at, size_t paletteLimit,
                                 int rowsDivisor, std::string* why) {
    Header h;
    if (!read32(bytes, at, h.headerSize)) return refuse(why, "bitmap header cut short");
    const uint32_t size = h.headerSize;
    if (size != 12 && size != 16 && (size < 40 || size > 1024)) {
        return refuse(why, "unknown bitmap header");
    }
    h.end = at + size;
    if (h.end > bytes.size()) return refuse(why, "bitmap header cut short");
    const bool ok =
        size == 12 ? readCoreHeader(bytes, at, h, why) : readInfoHeader(bytes, at, h, why);
    if (!ok) return std::nullopt;
    h.height /= rowsDivisor;
    if (!validDepth(h.bitsPerPixel)) return refuse(why, "unsupported colour depth");
    if (!compressionFits(h)) return refuse(why, "unsupported bitmap compression");
    if (!Image::sizeAllowed(h.width, h.height)) {
        return refuse(why, "picture size missing or too large");
    }
    if (!readMasks(bytes, at, h, why)) return std::nullopt;
    uint32_t coloursUsed = 0;
    if (size >= 36) read32(bytes, at + 32, coloursUsed);
    readPalette(bytes, paletteLimit, coloursUsed, h);
    return h;
}

namespace {

// One colour channel of a masked pixel, widened or narrowed to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        max = m >> shift;
    }
    uint8_t operator()(uint32_t pixel) const {
        if (max == 255) return uint8_t((pixel & mask) >> shift);  // 8 bits already
        if (max == 0) return 0;
        return uint8_t((uint64_t((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
};

class PixelWriter {
public:
    PixelWriter(const Header& h, Image& image, std::vector<uint8_t>* alpha)
        : h_(h), image_(image), alpha_(alpha) {}

    // Row `fileRow` of the stored data, counted in storage order.
    int imageRow(int64_t fileRow) const {
        return int(h_.topDown ? fileRow : h_.height - 1 - fileRow);
    }
    void put(int x, int y, Rgb colour) {
        uint8_t* p = image_.row(y) + size_t(x) * 3;
        p[0] = colour.r;
        p[1] = colour.g;
        p[2] = colour.b;
    }
    void putIndex(int x, int y, uint32_t index) {
        put(x, y, index < h_.palette.size() ? h_.palette[index] : Rgb{});
    }
    void putAlpha(int x, int y, uint8_t a) {
        if (alpha_) (*alpha_)[size_t(y) * size_t(h_.width) + size_t(x)] = a;
    }

private:
    const Header& h_;
    Image& image_;
    std::vector<uint8_t>* alpha_;
};

void readIndexedRow(const Header& h, const uint8_t* in, int y, PixelWriter& out) {
    const uint32_t bits = h.bitsPerPixel;
    const uint32_t perByte = 8 / bits;
    const uint32_t mask = (1u << bits) - 1;
    for (int64_t x = 0; x < h.width; ++x) {
        const uint8_t byte = in[x / perByte];
        const uint32_t shift = 8 - bits * (uint32_t(x % perByte) + 1);
        out.putIndex(int(x), y, (byte >> shift) & mask);
    }
}

void readMaskedRow(const Header& h, const uint8_t* in, int y, PixelWriter& out,
                   const Channel (&channels)[4]) {
    const size_t bytesPerPixel = h.bitsPerPixel / 8;
    for (int64_t x = 0; x < h.width; ++x) {
        const uint8_t* p = in + size_t(x) * bytesPerPixel;
        uint32_t pixel = 0;
        for (size_t i = bytesPerPixel; i-- > 0;) pixel = pixel << 8 | p[i];
        out.put(int(x), y, {channels[0](pixel), channels[1](pixel), channels[2](pixel)});
        out.putAlpha(int(x), y, channels[3](pixel));
    }
}

bool uncompressedDataFits(const Header& h, std::string_view bytes, size_t at) {
    const int64_t stride = rowStride(h.width, h.bitsPerPixel);
    const int64_t lastRow = (h.width * h.bitsPerPixel + 7) / 8;  // its padding may be missing
    return at <= bytes.size() && int64_t(bytes.size() - at) >= stride * (h.height - 1) + lastRow;
}

// The caller has checked that the data is all there (uncompressedDataFits).
void readUncompressed(const Header& h, std::string_view bytes, size_t at, PixelWriter& out) {
    const int64_t stride = rowStride(h.width, h.bitsPerPixel);
    const Channel channels[4] = {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2]),
                                 Channel(h.masks[3])};
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data()) + at;
    for (int64_t r = 0; r < h.height; ++r) {
        const uint8_t* in = data + r * stride;
        const int y = out.imageRow(r);
        if (h.bitsPerPixel <= 8) {
            readIndexedRow(h, in, y, out);
        } else if (h.bitsPerPixel == 24) {
            for (int64_t x = 0; x < h.width; ++x) {
                out.put(int(x), y, {in[x * 3 + 2], in[x * 3 + 1], in[x * 3]});
            }
        } else {
            readMaskedRow(h, in, y, out, channels);
        }
    }
}

// Run-length data: pairs of (count, index) runs and escapes for end of row,
// end of picture, a jump, and literal pixels. Runs past the right edge are
// cut at the row's end; data past the last row is ignored; skipped pixels
// stay black.
//
// The cursor only ever moves right along a row or on to a later row, so a
// picture of w x h pixels has room for at most about (w + 2) x h pairs that
// do something. Data with more pairs than that cannot fit the picture and is
// refused, which keeps the work in proportion to the picture rather than to
// the file: a file of do-nothing pairs no longer keeps the reader busy.
class RunLengthReader {
public:
    RunLengthReader(const Header& h, std::string_view bytes, PixelWriter& out, size_t* steps)
        : h_(h),
          d_(reinterpret_cast<const uint8_t*>(bytes.data())),
          end_(bytes.size()),
          out_(out),
          steps_(steps),
          pairLimit_(uint64_t(h.width + 2) * uint64_t(h.height) + 8) {}

    bool read(size_t at, std::string* why) {
        if (at > end_) return fail(why, "pixel data missing");
        p_ = at;
        uint64_t pairs = 0;
        while (p_ + 2 <= end_ && row_ < h_.height) {
            if (++pairs > pairLimit_) return fail(why, "run-length data does not fit the picture");
            count(1);
            const uint32_t first = d_[p_], second = d_[p_ + 1];
            p_ += 2;
            if (first > 0) {
                encodedRun(first, uint8_t(second));
            } else if (second == 0) {
                x_ = 0, ++row_;
            } else if (second == 1) {
                return true;
            } else if (second == 2) {
                if (!jump(why)) return false;
            } else if (!literalRun(second, why)) {
                return false;
            }
        }
        if (p_ < end_ && p_ + 2 > end_) return fail(why, "run-length data cut short");
        return true;
    }

private:
    bool four() const { return h_.compression == rle4; }
    void count(size_t n) {
        if (steps_) *steps_ += n;
    }
    // How many of `wanted` pixels still fit on the current row.
    uint32_t roomFor(uint32_t wanted) const {
        return uint32_t(std::min<int64_t>(wanted, h_.width - x_));
    }
    void put(uint32_t index) { out_.putIndex(int(x_++), out_.imageRow(row_), index); }
    // The cursor never goes past the row's end: whatever lies beyond is cut.
    void advance(uint32_t by) { x_ = std::min<int64_t>(x_ + by, h_.width); }

    void encodedRun(uint32_t length, uint8_t value) {
        const uint32_t shown = roomFor(length);
        count(shown);
        for (uint32_t i = 0; i < shown; ++i)
            put(four() ? (i % 2 ? value & 15 : value >> 4) : value);
        advance(length - shown);
    }

    bool jump(std::string* why) {
        if (p_ + 2 > end_) return fail(why, "run-length data cut short");
        advance(d_[p_]);
        row_ += d_[p_ + 1];
        p_ += 2;
        return true;
    }

    bool literalRun(uint32_t length, std::string* why) {
        const size_t bytes = four() ? (length + 1) / 2 : length;
        if (end_ - p_ < bytes) return fail(why, "run-length data cut short");
        const uint8_t* in = d_ + p_;
        const uint32_t shown = roomFor(length);
        count(shown);
        for (uint32_t i = 0; i < shown; ++i)
            put(four() ? (i % 2 ? in[i / 2] & 15 : in[i / 2] >> 4) : in[i]);
        advance(length - shown);
        p_ += bytes + (bytes & 1);
        return true;
    }

    const Header& h_;
    const uint8_t* d_;
    size_t end_;
    PixelWriter& out_;
    size_t* steps_;
    uint64_t pairLimit_;
    size_t p_ = 0;
    int64_t x_ = 0, row_ = 0;
};

}  // namespace

std::optional<Pixels> readPixels(const Header& h, std::string_view bytes, size_t at,
                                 bool topByteIsAlpha, std::string* why, size_t* steps) {
    Header header = h;
    const bool masked = header.compression == bitFields || header.compression == alphaBitFields;
    if (!masked) header.masks[3] = topByteIsAlpha && header.bitsPerPixel == 32 ? 0xFF000000u : 0;
    const bool runLength = header.compression == rle8 || header.compression == rle4;
    // Checked before allocating: a few bytes must not claim a huge picture.
    if (!runLength && !uncompressedDataFits(header, bytes, at)) {
        return refuse(why, "pixel data cut short");
    }
    auto image = Image::create(int(header.width), int(header.height));
    if (!image) return refuse(why, "out of memory");
    Pixels result;
    std::vector<uint8_t> alpha;
    try {
        if (header.masks[3] != 0) alpha.assign(size_t(header.width) * size_t(header.height), 0);
    } catch (const std::bad_alloc&) {
        return refuse(why, "out of memory");
    }
    PixelWriter out(header, *image, alpha.empty() ? nullptr : &alpha);
    if (runLength) {
        if (!RunLengthReader(header, bytes, out, steps).read(at, why)) return std::nullopt;
    } else {
        readUncompressed(header, bytes, at, out);
    }
    // An alpha channel that is zero everywhere is an unused one, not a
    // picture that is wholly transparent.
    if (std::any_of(alpha.begin(), alpha.end(), [](uint8_t a) { return a != 0; })) {
        result.alpha = std::move(alpha);
    }
    result.image = std::move(*image);
    return result;
}

void compositeOverBlack(Image& image, const std::vector<uint8_t>& alpha) {
    for (int y = 0; y < image.height(); ++y) {
        uint8_t* p = image.row(y);
        const uint8_t* a = alpha.data() + size_t(y) * size_t(image.width());
        for (int x = 0; x < image.width(); ++x) {
            for (int c = 0; c < 3; ++c) p[x * 3 + c] = decoding::timesOver255(p[x * 3 + c], a[x]);
        }
    }
}

}  // namespace seamster::dib

// Icon files: a directory of several images of one icon in different sizes
// and depths. Each image is either a bitmap (colour pixels followed by a
// one-bit transparency mask, the header counting the rows of both) or a
// whole PNG file. The largest, deepest image that decodes is the picture.

#include <algorithm>

#include "images/DecoderSupport.h"
#include "images/DibReader.h"
#include "images/PictureDecoder.h"

namespace seamster {
namespace {

constexpr size_t directoryHeaderSize = 6;
constexpr size_t entrySize = 16;

using decoding::refuse;

struct Candidate {
    std::string_view data;
    int64_t area = 0;
    uint32_t depth = 0;
    size_t order = 0;
};

uint32_t bigEndian32(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value = value << 8 | uint8_t(bytes[at + i]);
    return value;
}

// Size and depth as the image's own header states them; the directory's
// bytes are often wrong (and cannot say 256 or more).
std::optional<Candidate> probe(std::string_view data) {
    Candidate c;
    c.data = data;
    if (looksLikePng(data)) {
        if (data.size() < 26) return std::nullopt;
        // Any size past the limit will be refused by the decoder; capped
        // here so that the product cannot overflow.
        const int64_t width = std::min<int64_t>(bigEndian32(data, 16), Image::maxDimension + 1);
        const int64_t height = std::min<int64_t>(bigEndian32(data, 20), Image::maxDimension + 1);
        static constexpr uint32_t channels[7] = {1, 0, 3, 1, 2, 0, 4};
        const uint32_t colourType = uint8_t(data[25]);
        c.area = width * height;
        c.depth = uint8_t(data[24]) * (colourType < 7 ? channels[colourType] : 0);
        return c;
    }
    // Only the size and depth count here: the palette is left unread, since
    // a directory may list thousands of entries.
    auto header = dib::readHeader(data, 0, 0, 2, nullptr);
    if (!header) return std::nullopt;
    c.area = header->width * header->height;
    c.depth = header->bitsPerPixel;
    return c;
}

std::vector<Candidate> readDirectory(std::string_view bytes) {
    uint32_t count = 0;
    dib::read16(bytes, 4, count);
    std::vector<Candidate> candidates;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = directoryHeaderSize + i * entrySize;
        uint32_t size = 0, offset = 0;
        if (!dib::read32(bytes, at + 8, size) || !dib::read32(bytes, at + 12, offset)) break;
        if (offset >= bytes.size()) continue;
        auto candidate = probe(bytes.substr(offset, size));
        if (!candidate) continue;
        candidate->order = i;
        candidates.push_back(*candidate);
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        if (a.area != b.area) return a.area > b.area;
        if (a.depth != b.depth) return a.depth > b.depth;
        return a.order < b.order;
    });
    return candidates;
}

// Pixels whose mask bit is set are transparent: over black they are black.
void applyMask(const dib::Header& h, std::string_view data, size_t at, Image& image) {
    const int64_t stride = dib::rowStride(h.width, 1);
    if (h.compression != dib::none || at > data.size() ||
        int64_t(data.size() - at) < stride * h.height) {
        return;  // no usable mask: the colours alone make the picture
    }
    for (int64_t r = 0; r < h.height; ++r) {
        const int y = int(h.topDown ? r : h.height - 1 - r);
        const auto* bits = reinterpret_cast<const uint8_t*>(data.data()) + at + size_t(r * stride);
        for (int64_t x = 0; x < h.width; ++x) {
            if (bits[x / 8] & (0x80 >> (x % 8))) image.setPixel(int(x), y, {});
        }
    }
}

std::optional<Image> decodeBitmapEntry(std::string_view data, std::string* why) {
    auto header = dib::readHeader(data, 0, data.size(), 2, why);
    if (!header) return std::nullopt;
    auto pixels = dib::readPixels(*header, data, header->end, true, why);
    if (!pixels) return std::nullopt;
    if (!pixels->alpha.empty()) {
        dib::compositeOverBlack(pixels->image, pixels->alpha);
    } else {
        const size_t maskAt =
            header->end +
            size_t(dib::rowStride(header->width, header->bitsPerPixel) * header->height);
        applyMask(*header, data, maskAt, pixels->image);
    }
    return std::move(pixels->image);
}

}  // namespace

bool looksLikeIco(std::string_view bytes) {
    uint32_t reserved = 0, type = 0, count = 0;
    return dib::read16(bytes, 0, reserved) && dib::read16(bytes, 2, type) &&
           dib::read16(bytes, 4, count) && reserved == 0 && (type == 1 || type == 2) && count > 0;
}

std::optional<Image> decodeIco(std::string_view bytes, std::string* why) {
    if (!looksLikeIco(bytes)) return refuse(why, "not an icon file");
    const auto candidates = readDirectory(bytes);
    if (candidates.empty()) return refuse(why, "icon holds no readable image");
    std::string reason;
    // A few fallbacks are enough for a damaged icon; trying thousands of
    // entries that all fail late would only stall.
    constexpr size_t maxAttempts = 4;
    for (size_t i = 0; i < candidates.size() && i < maxAttempts; ++i) {
        const Candidate& c = candidates[i];
        auto image =
            looksLikePng(c.data) ? decodePng(c.data, &reason) : decodeBitmapEntry(c.data, &reason);
        if (image) return image;
    }
    return refuse(why, reason.c_str());
}

}  // namespace seamster

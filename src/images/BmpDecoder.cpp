// Windows bitmap files: a 14-byte file header ("BM", size, the offset of the
// pixel data) followed by a device-independent bitmap.

#include "images/DecoderSupport.h"
#include "images/DibReader.h"
#include "images/PictureDecoder.h"

namespace seamster {
namespace {

constexpr size_t fileHeaderSize = 14;

using decoding::refuse;

}  // namespace

bool looksLikeBmp(std::string_view bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

std::optional<Image> decodeBmp(std::string_view bytes, std::string* why) {
    uint32_t pixelOffset = 0;
    if (!looksLikeBmp(bytes) || !dib::read32(bytes, 10, pixelOffset)) {
        return refuse(why, "not a bitmap file");
    }
    // Writers that leave the offset at zero mean "right after the palette".
    const size_t paletteLimit = pixelOffset > fileHeaderSize ? pixelOffset : bytes.size();
    auto header = dib::readHeader(bytes, fileHeaderSize, paletteLimit, 1, why);
    if (!header) return std::nullopt;
    const size_t at = pixelOffset == 0 ? header->end : pixelOffset;
    if (at < fileHeaderSize + header->headerSize) {
        return refuse(why, "pixel data inside the header");
    }
    if (at >= bytes.size()) return refuse(why, "pixel data missing");
    auto pixels = dib::readPixels(*header, bytes, at, false, why);
    if (!pixels) return std::nullopt;
    if (!pixels->alpha.empty()) dib::compositeOverBlack(pixels->image, pixels->alpha);
    return std::move(pixels->image);
}

}  // namespace seamster

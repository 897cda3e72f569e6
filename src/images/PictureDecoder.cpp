#include "images/PictureDecoder.h"

#include "platform/FileSystem.h"

namespace seamster {
namespace {

// A 64-megapixel bitmap stored at 32 bits takes 256 MB; nothing we can show
// is larger than that.
constexpr size_t maxPictureFileBytes = size_t(Image::maxPixels) * 4 + 4096;

std::nullopt_t refuse(std::string* why, const char* reason) {
    if (why) *why = reason;
    return std::nullopt;
}

}  // namespace

std::optional<Image> decodePicture(std::string_view bytes, std::string* why) {
    if (looksLikeBmp(bytes)) return decodeBmp(bytes, why);
    if (looksLikeIco(bytes)) return decodeIco(bytes, why);
    if (looksLikeJpeg(bytes)) return decodeJpeg(bytes, why);
    if (looksLikePng(bytes)) return decodePng(bytes, why);
    return refuse(why, "not a picture this program can read");
}

std::optional<DecodedPicture> decodePictureScaled(std::string_view bytes, int minWidth,
                                                  int minHeight, std::string* why) {
    if (!looksLikeBmp(bytes) && !looksLikeIco(bytes) && looksLikeJpeg(bytes)) {
        return decodeJpegScaled(bytes, minWidth, minHeight, why);
    }
    auto image = decodePicture(bytes, why);
    if (!image) return std::nullopt;
    const int width = image->width(), height = image->height();
    return DecodedPicture{std::move(*image), width, height};
}

std::optional<Image> loadPicture(FileSystem& fs, const std::string& path, std::string* why) {
    auto bytes = fs.readFile(path, maxPictureFileBytes);
    if (!bytes) return refuse(why, "file could not be read");
    return decodePicture(*bytes, why);
}

}  // namespace seamster

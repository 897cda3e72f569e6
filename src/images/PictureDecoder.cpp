#include "images/PictureDecoder.h"

#include "images/DecoderSupport.h"

#include "platform/FileSystem.h"

namespace seamster {

using decoding::refuse;

bool looksLikePicture(std::string_view bytes) {
    return looksLikeBmp(bytes) || looksLikeIco(bytes) || looksLikeJpeg(bytes) ||
           looksLikePng(bytes);
}

std::optional<Image> decodePicture(std::string_view bytes, std::string* why) {
    if (looksLikeBmp(bytes)) return decodeBmp(bytes, why);
    if (looksLikeIco(bytes)) return decodeIco(bytes, why);
    if (looksLikeJpeg(bytes)) return decodeJpeg(bytes, why);
    if (looksLikePng(bytes)) return decodePng(bytes, why);
    return refuse(why, "not a picture this program can read");
}

std::optional<DecodedPicture> decodePictureScaled(std::string_view bytes, int minWidth,
                                                  int minHeight, std::string* why) {
    if (looksLikeJpeg(bytes)) return decodeJpegScaled(bytes, minWidth, minHeight, why);
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

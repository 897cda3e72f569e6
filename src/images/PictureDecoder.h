#pragma once
// Turning picture files into Images. The format is recognised by content,
// never by the file name: "BM" is a Windows bitmap, then the icon layout is
// tried, then JPEG and PNG by their signatures. Transparent pixels are laid
// over black. Every decoder checks the picture's size against the Image
// limits before allocating, and bad input of any kind gives nothing (with a
// short reason when `why` is given), never a crash.

#include <optional>
#include <string>
#include <string_view>

#include "core/Image.h"

namespace seamster {

class FileSystem;

// A 64-megapixel bitmap stored at 32 bits takes 256 MB; no picture file that
// can be shown is larger than that.
inline constexpr size_t maxPictureFileBytes = size_t(Image::maxPixels) * 4 + 4096;

std::optional<Image> decodePicture(std::string_view bytes, std::string* why = nullptr);

// Reads and decodes a picture file; nothing when it cannot be read or decoded.
std::optional<Image> loadPicture(FileSystem& fs, const std::string& path,
                                 std::string* why = nullptr);

// A picture decoded for a thumbnail: JPEG photos are decoded by the library
// at 1/2, 1/4 or 1/8 of their size when that still gives at least minWidth x
// minHeight (or the full size, where the picture is smaller than that), which
// is much faster. Other formats come at full size. The original size is
// reported too, for the thumbnail's placement and caption.
struct DecodedPicture {
    Image image;
    int originalWidth = 0;
    int originalHeight = 0;
};
std::optional<DecodedPicture> decodePictureScaled(std::string_view bytes, int minWidth,
                                                  int minHeight, std::string* why = nullptr);

// The single formats, for callers and tests that know what they hold.
std::optional<Image> decodeBmp(std::string_view bytes, std::string* why = nullptr);
std::optional<Image> decodeIco(std::string_view bytes, std::string* why = nullptr);
std::optional<Image> decodeJpeg(std::string_view bytes, std::string* why = nullptr);
std::optional<DecodedPicture> decodeJpegScaled(std::string_view bytes, int minWidth, int minHeight,
                                               std::string* why = nullptr);
std::optional<Image> decodePng(std::string_view bytes, std::string* why = nullptr);

// Signatures, for recognising a format by its first bytes (16 are enough).
bool looksLikePicture(std::string_view bytes);  // any of the four
bool looksLikeBmp(std::string_view bytes);
bool looksLikeIco(std::string_view bytes);
bool looksLikeJpeg(std::string_view bytes);
bool looksLikePng(std::string_view bytes);

}  // namespace seamster

#pragma once
// Writing the background bitmap the Body Shop loads: an uncompressed 24-bit
// Windows bitmap with a 40-byte info header, no colour table and rows stored
// bottom-up, each padded with zeros to a multiple of four bytes.

#include <string>

#include "core/Image.h"

namespace seamster {

class FileSystem;

// The bytes of the bitmap file; "" for an empty image.
std::string encodeBmp24(const Image& image);

// Writes the bitmap file. The file is replaced only once every byte has been
// written, so a failed save (disk full, file locked) leaves the previous
// background whole. False for an empty image or name, or when writing fails.
bool saveImageAsBmp(FileSystem& fs, const Image& image, const std::string& path);

}  // namespace seamster

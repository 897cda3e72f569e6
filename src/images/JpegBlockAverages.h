#pragma once
// A JPEG photo at 1/8 of its size, straight from the file: every 8 x 8 block
// of a JPEG stores its average colour as the block's first coefficient, so a
// thumbnail needs only those. The library's own 1/8 decode still works
// through every coefficient of every block; this reader skips over the
// others, up to two at a time, with larger tables, and on a machine with more
// than one core reads the two halves of a large photo at the same time.
//
// It handles what cameras and editors write nearly always: 8-bit sequential
// Huffman-coded JPEGs, greyscale or YCbCr, all components in one scan, with
// or without restart markers. For anything else, and for any damage in the
// file, it gives nothing and the caller decodes with the library, which
// shows damaged files as far as they go.

#include <optional>
#include <string_view>

#include "images/PictureDecoder.h"
#include "images/Scaling.h"

namespace seamster {

// The picture at 1/8 of its size, when that is at least minWidth x minHeight
// (or the file's own size, where that is smaller); nothing otherwise. With
// two threads, the second reads the second half of the data (large photos
// only, unless `always`); the result is the same as with one.
std::optional<DecodedPicture> decodeJpegBlockAverages(std::string_view bytes, int minWidth,
                                                      int minHeight,
                                                      Threading threading = Threading::whenWorthIt);

}  // namespace seamster

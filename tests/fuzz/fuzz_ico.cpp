// Icon files: a directory of images, each a bitmap with a mask or a PNG.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "images/PictureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    seamster::decodeIco(bytes);
    // The same bytes behind a valid directory header.
    std::string withHeader("\0\0\1\0", 4);
    withHeader.append(bytes);
    seamster::decodeIco(withHeader);
    return 0;
}

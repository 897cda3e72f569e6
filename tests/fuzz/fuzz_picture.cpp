// Any file the user may pick: format detection, every decoder, the
// thumbnail path and scaling of whatever comes out.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "images/PictureDecoder.h"
#include "images/Scaling.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (auto image = seamster::decodePicture(bytes)) seamster::scaleImage(*image, 17, 13);
    seamster::decodePictureScaled(bytes, 200, 200);
    return 0;
}

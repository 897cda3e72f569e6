// Bitmap files from anywhere: the decoder must never read out of bounds,
// never hang and never allocate for a size the header only claims.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "images/PictureDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Most inputs should reach the header parser, not stop at the signature.
    std::string withSignature = "BM";
    withSignature.append(bytes);
    seamster::decodeBmp(bytes);
    seamster::decodeBmp(withSignature);
    return 0;
}

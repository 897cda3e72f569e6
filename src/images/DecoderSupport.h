#pragma once
// Small pieces the picture decoders share.

#include <cstdint>
#include <optional>
#include <string>

namespace seamster::decoding {

// Nothing, with the reason when the caller wants one.
inline std::nullopt_t refuse(std::string* why, const char* reason) {
    if (why) *why = reason;
    return std::nullopt;
}

// a x b / 255, rounded: a colour value laid over black by its coverage, or
// thinned by an amount of ink.
inline uint8_t timesOver255(unsigned a, unsigned b) { return uint8_t((a * b + 127) / 255); }

}  // namespace seamster::decoding

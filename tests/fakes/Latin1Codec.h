#pragma once
// A text codec whose code page is ISO-8859-1, so that settings text can be
// tested the same way on every machine: every byte maps to one character
// U+0000-U+00FF, which makes the code-page side of the mapping exact.

#include "platform/Platform.h"

namespace seamster {

class Latin1Codec : public TextCodec {
public:
    // Characters up to U+00FF become single bytes; text holding anything
    // beyond stays UTF-8, as does text that is not valid UTF-8.
    std::string toFileBytes(const std::string& utf8) override;
    // Valid UTF-8 is taken as it is; anything else is read byte by byte.
    std::string fromFileBytes(const std::string& bytes) override;
};

}  // namespace seamster

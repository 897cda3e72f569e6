#include "fakes/Latin1Codec.h"

#include "platform/Text.h"

namespace seamster {

std::string Latin1Codec::toFileBytes(const std::string& utf8) {
    if (!isValidUtf8(utf8)) return utf8;
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += char(lead);
        } else if (lead == 0xC2 || lead == 0xC3) {
            // Two-byte forms with these leads are exactly U+0080-U+00FF.
            const unsigned char next = static_cast<unsigned char>(utf8[++i]);
            out += char(((lead & 0x03) << 6) | (next & 0x3F));
        } else {
            return utf8;  // beyond the code page: keep it as UTF-8
        }
    }
    return out;
}

std::string Latin1Codec::fromFileBytes(const std::string& bytes) {
    if (isValidUtf8(bytes)) return bytes;
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += char(0xC0 | (byte >> 6));
            out += char(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

}  // namespace seamster

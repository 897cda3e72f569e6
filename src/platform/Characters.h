#pragma once
// Names are UTF-8, but rules about names count characters as a user sees
// them, so positions are counted in code points and a cut never splits one.

#include <cstddef>
#include <string_view>

namespace seamster {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

inline bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offset of the character numbered `count` (from 0), or text.size()
// when the text has fewer characters.
inline size_t offsetOfCharacter(std::string_view text, size_t count) {
    size_t pos = 0;
    while (pos < text.size() && count > 0) {
        ++pos;
        while (pos < text.size() && isContinuationByte(text[pos])) ++pos;
        --count;
    }
    return pos;
}

inline size_t characterCount(std::string_view text) {
    size_t count = 0;
    for (char c : text)
        if (!isContinuationByte(c)) ++count;
    return count;
}

}  // namespace seamster

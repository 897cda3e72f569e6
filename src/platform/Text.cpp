#include "platform/Text.h"

#include <algorithm>

namespace seamster {

namespace {
char lowerChar(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string removeMatches(std::string_view text, std::string_view what, bool foldCase) {
    if (what.empty()) return std::string(text);
    std::string result;
    const std::string hay = foldCase ? toLower(text) : std::string(text);
    const std::string needle = foldCase ? toLower(what) : std::string(what);
    size_t pos = 0;
    while (pos < text.size()) {
        size_t hit = hay.find(needle, pos);
        if (hit == std::string::npos) break;
        result.append(text.substr(pos, hit - pos));
        pos = hit + needle.size();
    }
    if (pos < text.size()) result.append(text.substr(pos));
    return result;
}
}  // namespace

std::string toLower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lowerChar);
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerChar(x) == lowerChar(y);
           });
}

bool containsIgnoreCase(std::string_view text, std::string_view part) {
    return toLower(text).find(toLower(part)) != std::string::npos;
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool endsWithIgnoreCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsIgnoreCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string removeAll(std::string_view text, std::string_view what) {
    return removeMatches(text, what, false);
}

std::string removeAllIgnoreCase(std::string_view text, std::string_view what) {
    return removeMatches(text, what, true);
}

std::string extensionOf(std::string_view name) {
    size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    if (pattern == "*" || pattern == "*.*") return true;
    // Iterative matcher with back-tracking to the last star.
    size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size()) {
        if (p < pattern.size() &&
            (pattern[p] == '?' || lowerChar(pattern[p]) == lowerChar(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            mark = n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::string withBackslash(std::string_view folder) {
    std::string out(folder);
    if (out.empty() || out.back() != '\\') out += '\\';
    return out;
}

bool isAbsolutePath(std::string_view path) {
    const bool drive = path.size() >= 3 &&
                       ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    return (drive && path[1] == ':' && path[2] == '\\') || startsWith(path, "\\\\");
}

bool isNetworkPath(std::string_view path) {
    auto separator = [](char c) { return c == '\\' || c == '/'; };
    return path.size() >= 2 && separator(path[0]) && separator(path[1]);
}

bool isValidUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size_t extra;
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xC2 && c <= 0xDF)
            extra = 1;
        else if ((c >> 4) == 0xE)
            extra = 2;
        else if (c >= 0xF0 && c <= 0xF4)
            extra = 3;
        else
            return false;
        if (text.size() - i <= extra) return false;
        for (size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        i += extra + 1;
    }
    return true;
}

}  // namespace seamster

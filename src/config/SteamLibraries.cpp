#include "config/SteamLibraries.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "platform/Text.h"

namespace seamster {

namespace {

// A path can be 32,767 characters long; longer texts are not folders.
constexpr size_t maxPathLength = 32767;

enum class TokenKind { text, brace, end };

struct Token {
    TokenKind kind = TokenKind::end;
    std::string text;
};

class VdfReader {
public:
    explicit VdfReader(std::string_view vdf) : in_(vdf) {}

    Token next() {
        skipBlanksAndComments();
        if (at_ >= in_.size()) return {};
        const char c = in_[at_];
        if (c == '{' || c == '}') {
            ++at_;
            return {TokenKind::brace, {}};
        }
        return {TokenKind::text, c == '"' ? quoted() : bare()};
    }

private:
    std::string_view in_;
    size_t at_ = 0;

    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

    void skipBlanksAndComments() {
        while (at_ < in_.size()) {
            if (isBlank(in_[at_])) {
                ++at_;
            } else if (in_.substr(at_, 2) == "//") {
                const size_t line = in_.find('\n', at_);
                at_ = line == std::string_view::npos ? in_.size() : line + 1;
            } else {
                return;
            }
        }
    }

    // A quoted text with Steam's escapes; an unclosed one runs to the end.
    std::string quoted() {
        std::string text;
        for (++at_; at_ < in_.size() && in_[at_] != '"'; ++at_) {
            char c = in_[at_];
            if (c == '\\' && at_ + 1 < in_.size()) {
                c = in_[++at_];
                if (c == 'n') c = '\n';
                if (c == 't') c = '\t';
            }
            if (text.size() <= maxPathLength) text += c;
        }
        ++at_;  // the closing quote
        return text;
    }

    std::string bare() {
        const size_t start = at_;
        while (at_ < in_.size() && !isBlank(in_[at_]) && in_[at_] != '"' && in_[at_] != '{' &&
               in_[at_] != '}')
            ++at_;
        return std::string(in_.substr(start, std::min(at_ - start, maxPathLength + 1)));
    }
};

bool usableFolder(const std::string& text) {
    return !text.empty() && text.size() <= maxPathLength &&
           std::none_of(text.begin(), text.end(), [](char c) { return uint8_t(c) < 0x20; });
}

}  // namespace

std::vector<std::string> steamLibraryPaths(std::string_view vdf) {
    std::vector<std::string> paths;
    VdfReader reader(vdf);
    std::optional<std::string> key;  // a key waiting for its value or block
    for (Token token = reader.next(); token.kind != TokenKind::end; token = reader.next()) {
        if (token.kind == TokenKind::brace) {  // a block ends or begins: no value follows
            key.reset();
            continue;
        }
        if (!key) {
            key = std::move(token.text);
            continue;
        }
        const bool library = equalsIgnoreCase(*key, "path");
        key.reset();
        if (library && usableFolder(token.text)) {
            paths.push_back(std::move(token.text));
            if (paths.size() == maxSteamLibraries) break;
        }
    }
    return paths;
}

}  // namespace seamster

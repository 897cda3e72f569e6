#pragma once
// Small text helpers shared by every subsystem. Letter case is folded for
// ASCII only, which is what the program's comparisons need.

#include <string>
#include <string_view>

namespace seamster {

std::string toLower(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool containsIgnoreCase(std::string_view text, std::string_view part);
bool startsWith(std::string_view text, std::string_view prefix);
bool endsWithIgnoreCase(std::string_view text, std::string_view suffix);
// Every occurrence of `what` removed, compared with or without letter case.
std::string removeAll(std::string_view text, std::string_view what);
std::string removeAllIgnoreCase(std::string_view text, std::string_view what);
// The text after the last dot, or "" when there is none.
std::string extensionOf(std::string_view name);
// Windows-style wildcard match (* and ?), ignoring letter case. "*.*" and "*"
// match every name.
bool wildcardMatch(std::string_view pattern, std::string_view name);
// `folder` with one trailing backslash.
std::string withBackslash(std::string_view folder);
// A full path: a drive letter, a colon and a backslash, or a network path.
bool isAbsolutePath(std::string_view path);
// A path that reaches another computer (\\server\share, //server/share) or
// a device namespace (\\?\, \\.\): never a game folder or a program to start.
bool isNetworkPath(std::string_view path);
// True when `text` is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

}  // namespace seamster

#pragma once
// Steam keeps the list of its library folders in steamapps\libraryfolders.vdf,
// a text file of quoted keys and values in nested braces. Only the folders
// are read from it.

#include <string>
#include <string_view>
#include <vector>

namespace seamster {

// At most this many folders are taken from one file.
inline constexpr size_t maxSteamLibraries = 64;

// The library folders the file names, in its order: every "path" value.
// Anything else in the file, and anything it cannot make sense of, is passed
// over.
std::vector<std::string> steamLibraryPaths(std::string_view vdf);

}  // namespace seamster

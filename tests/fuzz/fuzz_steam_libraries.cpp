// Feeds arbitrary bytes to the reader of Steam's libraryfolders.vdf, directly
// and as the file the installation search reads, which must then offer only
// full paths.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "config/Editions.h"
#include "config/SteamLibraries.h"
#include "fakes/FakePlatform.h"
#include "platform/Text.h"

using namespace seamster;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> paths = steamLibraryPaths(bytes);
    if (paths.size() > maxSteamLibraries) std::abort();
    for (const std::string& path : paths)
        if (path.empty() || path.size() > 32767 || path.find('\0') != std::string::npos)
            std::abort();

    FakePlatform machine;
    machine.fs.addFile("C:\\Program Files (x86)\\Steam\\steamapps\\libraryfolders.vdf", bytes);
    for (const std::string& folder : installationCandidates(machine.platform))
        if (!isAbsolutePath(folder)) std::abort();
    return 0;
}

// Feeds arbitrary bytes to the project-file reader, both directly and through
// the Remove Projects model over a folder holding one such file, so that the
// name lookup and the removal see whatever names a damaged file can produce.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

#include "fakes/MemoryFileSystem.h"
#include "projects/ProjectCleanup.h"
#include "projects/ProjectScan.h"

namespace {
const std::string kProjects = "C:\\Documents\\EA Games\\The Sims 2\\Projects";
const std::string kProjectFile = kProjects + "\\project.xml";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace seamster;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const bool isProject = readProjectName(bytes).has_value();

    MemoryFileSystem fs;
    fs.addFile(kProjectFile, bytes)
        .addFile(kProjects + "\\Folder\\inside.txt", "x")
        .addFile("C:\\Documents\\EA Games\\outside.txt", "x");
    const auto before = fs.snapshot();
    auto model = RemoveProjectsModel::open(fs, kProjects, true, 17);
    if (!model || model->projectCount() != (isProject ? 1u : 0u)) __builtin_trap();
    const bool orphan = isProject && model->projectRows()[0].textColour == kOrphanTextColour;

    // Only orphans are ticked, so the project file is the one thing that may go.
    model->removeTicked();
    const auto after = fs.snapshot();
    std::vector<std::string> lost;
    std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                        std::back_inserter(lost));
    const bool projectGone = fs.exists(kProjectFile) == PathKind::missing;
    if (after.size() > before.size() || projectGone != orphan) __builtin_trap();
    if (lost.size() != (projectGone ? 1u : 0u)) __builtin_trap();
    return 0;
}

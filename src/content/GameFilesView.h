#pragma once
// What hiding the game's folders and switching its underwear show in the
// main window. The main window implements it; tests record the calls.

namespace seamster {

enum class HiddenFolder { downloads, savedSims };
enum class Underwear { male, female };

class GameFilesView {
public:
    virtual ~GameFilesView() = default;
    // A folder hidden, or to be hidden by the next run, shows marked.
    virtual void markFolder(HiddenFolder folder, bool hidden) = 0;
    // Invisible underwear switched on shows marked.
    virtual void markUnderwear(Underwear underwear, bool invisible) = 0;
    // The Body Shop's thumbnails cannot be rebuilt while their cache is gone.
    virtual void enableThumbnailRefresh(bool enabled) = 0;
    // Takes and handles pending window messages, dropping their events.
    virtual void flushEvents() = 0;
};

}  // namespace seamster

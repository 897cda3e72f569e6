#pragma once
// The system's requesters as the program uses them: the colour requester,
// the save requester, and the open requester widened by a preview panel
// that follows the selection.

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Handles.h"
#include "ui/Gadgets.h"
#include "ui/Owner.h"

namespace seamster::ui {

// A requester's file types: what the user reads and the patterns it stands
// for ("*.bmp;*.jpg").
using FileTypes = std::vector<std::pair<std::string, std::string>>;

// Asks for a colour over the active window while `owner` is disabled.
// `custom` holds the requester's 16 custom colours and gets them back as the
// user left them, also when cancelled. Nothing when cancelled.
std::optional<Colour> chooseColour(Owner owner, std::array<Colour, 16>& custom);

// Asks for a name to save under, proposing `proposed` (left out when too
// long to offer); the folder must exist. "" when cancelled.
std::string askSaveName(const std::string& title, const FileTypes& types,
                        const std::string& proposed);

// What the preview panel shows for the selected file.
struct PanelContent {
    BitmapHandle picture;                     // empty: the picture shown before stays
    int x = 0, y = 0, width = 0, height = 0;  // where the picture goes in the requester
    std::string title;
    std::string caption;
};

struct OpenRequest {
    std::string title;
    FileTypes types;
    std::string folder;    // where it opens; the current folder when empty
    std::string name;      // the name offered (cut to fit)
    Owner owner;           // disabled while the requester shows
    HFONT font = nullptr;  // the panel's texts
    // The outer top-left corner the requester moves to once it has laid out
    // its own controls.
    std::function<std::pair<int, int>()> position;
    // The panel's picture and texts for the selected path.
    std::function<PanelContent(const std::string& path)> preview;
};

// The open requester with the preview panel; the chosen file's full path,
// or "" when cancelled.
std::string openWithPreview(const OpenRequest& request);

}  // namespace seamster::ui

#pragma once
// Making a new Body Shop background: from a chosen picture fitted in the
// Image Preview window (with an optional copy kept under a name of the
// user's choice), or from a single colour; and the picture behind the main
// window's background thumbnail. The windows and requesters are reached
// through BackgroundScreens, so the whole flow runs in tests.

#include <cstdint>
#include <optional>
#include <string>

#include "core/App.h"
#include "images/Fitting.h"
#include "core/Image.h"

namespace seamster {

// What the Image Preview window answers: save the composed background, and
// keep a copy of it. Cancel and the close box answer neither.
struct PreviewAnswer {
    bool save = false;
    bool backup = false;
    // The fitted picture at the Body Shop size; nothing when it could not be
    // made (the window has said "Image Error").
    std::optional<Image> composed;
};

class BackgroundScreens {
public:
    virtual ~BackgroundScreens() = default;
    // The picture requester; the chosen file's full path, or "" when cancelled.
    virtual std::string chooseBackgroundImage() = 0;
    // The Image Preview window over a loaded picture.
    virtual PreviewAnswer runImagePreview(const Image& source) = 0;
    // The "Save Copy As:" requester opened on `proposed`; the chosen name,
    // or "" when cancelled. Asked again when the name cannot or may not be
    // used, opened on the name chosen before.
    virtual std::string chooseCopyName(const std::string& proposed) = 0;
    // The colour requester; the colour value chosen, or nothing when cancelled.
    virtual std::optional<uint32_t> chooseColor() = 0;
    // Shows the current background in the main window.
    virtual void refreshBackgroundThumbnail() = 0;
};

inline constexpr char backgroundSaveFailedText[] = "Couldn't Save New Background Image!";
inline constexpr char backgroundCopyFailedText[] = "Couldn't Save Background Image Copy!";
// Asked before a copy replaces the file `name`; shown when the name chosen
// for a copy is the picture it is made from.
std::string replaceCopyQuestion(const std::string& name);
std::string copyOverOriginalText(const std::string& name);

// The toolbar's "New Background Image": choose, load, preview, save, copy.
void newBackgroundImage(App& app, BackgroundScreens& screens);
// The toolbar's "New Background Color": a 1024 x 768 background in one colour.
void newBackgroundColor(App& app, BackgroundScreens& screens);

// The picture for the main window's thumbnail (without its caption) at the
// chosen Body Shop size: the current background file, or a block of the
// background colour when there is none or it cannot be read. Remembers the
// background as the last image when none is remembered yet.
std::optional<Image> currentBackgroundThumbnail(App& app, OutputSize bodyShop);

// Path pieces: the folder part up to and including the last backslash, and
// the file part after it.
std::string folderPartOf(const std::string& path);
std::string filePartOf(const std::string& path);
// The name proposed for a copy of the background made from `lastImage`:
// a three-letter extension is dropped ("sky.png" -> "sky"), longer ones stay
// ("sky.jpeg" stays whole), and ".bmp" is added.
std::string backupFileName(const std::string& lastImage);
// A chosen copy name ends in ".bmp" in any letter case, or gets it added.
std::string withBmpExtension(const std::string& name);

}  // namespace seamster

#pragma once
// The picture requester and the Image Preview window, used by the
// "New Background Image" flow.

#include <string>

#include "images/BackgroundSave.h"
#include "images/BackgroundView.h"
#include "platform/win32/Handles.h"
#include "ui/Owner.h"
#include "ui/Toolkit.h"

namespace seamster {

inline constexpr int imagePreviewWindowNumber = 1;
// Picture 1 of the toolkit holds the thumbnail the main window shows.
inline constexpr int thumbnailPicture = 1;

// What the background windows are given: the program's state, the toolkit,
// and the main window they run modally over.
struct BackgroundContext {
    App& app;
    ui::Toolkit& toolkit;
    BackgroundView& mainWindow;
    ui::Owner owner;
};

void runNewBackgroundColor(BackgroundContext& context);
void runNewBackgroundImage(BackgroundContext& context);
// The current background's thumbnail for the chosen Body Shop size, with its
// caption, at `dpi`; none when there is no picture to show.
BitmapHandle backgroundThumbnail(App& app, ui::Toolkit& toolkit, bool small, int dpi);
// Creates the hidden Image Preview window, unless it is made already.
void buildImagePreviewWindow(BackgroundContext& context);

// The open-file requester with its preview panel; the chosen file's full
// path, or "" when cancelled. Leaves `Window X` where the requester opened.
std::string chooseBackgroundImage(BackgroundContext& context);

// The modal Image Preview window over `source`, fitted at the Body Shop size
// chosen in the main window.
PreviewAnswer runImagePreview(BackgroundContext& context, const Image& source);

}  // namespace seamster

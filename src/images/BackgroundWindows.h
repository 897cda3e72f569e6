#pragma once
// The picture requester and the Image Preview window, used by the
// "New Background Image" flow.

#include <string>

#include "images/BackgroundSave.h"
#include "ui/WindowContext.h"

namespace seamster {

inline constexpr int imagePreviewWindowNumber = 1;

void runNewBackgroundColor(WindowContext& context);
void runNewBackgroundImage(WindowContext& context);
// Draws the current background's thumbnail into main window gadget 22.
void refreshBackgroundThumbnail(WindowContext& context);
// Creates the hidden Image Preview window, unless it is made already.
void buildImagePreviewWindow(WindowContext& context);

// The open-file requester with its preview panel; the chosen file's full
// path, or "" when cancelled. Leaves `Window X` where the requester opened.
std::string chooseBackgroundImage(WindowContext& context);

// The modal Image Preview window over `source`, fitted at the Body Shop size
// chosen in the main window.
PreviewAnswer runImagePreview(WindowContext& context, const Image& source);

}  // namespace seamster

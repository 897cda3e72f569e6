#pragma once
// What the picture requester's preview panel shows for the selected path:
// the picture fitted into 200 x 200 and centred in the panel, with its file
// name above and its size below; or, for anything that is not a readable
// picture (a folder, a damaged or foreign file), the placeholder with empty
// texts.

#include <string>

#include "images/Fitting.h"
#include "core/Image.h"

namespace seamster {

class FileSystem;

struct ChooserPreview {
    bool loaded = false;  // false: the placeholder, which still needs its text
    Image picture;
    ThumbnailPlacement placement;  // in the requester's frame
    std::string title;             // the file name
    std::string caption;           // "W X H"
};

inline constexpr char placeholderText[] = "No Image Selected";
inline constexpr ScreenPoint placeholderTextCorner{30, 90};

ChooserPreview chooserPreviewFor(FileSystem& fs, const std::string& path);

}  // namespace seamster

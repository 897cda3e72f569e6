#pragma once
// Image lists of the program's pictures, for tool bars and list views.

#include <windows.h>
#include <commctrl.h>

#include "platform/win32/Handles.h"

namespace seamster::ui {

class Toolkit;

// An image list with a single owner: destroyed once, when its holder lets it
// go or takes another. Lists come to a holder from makeImageList only.
struct ImageListTraits {
    static HIMAGELIST invalid() { return nullptr; }
    static void close(HIMAGELIST list);
};
using ImageListHandle = UniqueHandle<HIMAGELIST, ImageListTraits>;

// A list for 32-bit pictures with masks, `side` pixels square, room for
// `count` before it grows.
ImageListHandle makeImageList(int width, int height, int count, int grow = 0);
inline ImageListHandle makeImageList(int side, int count) {
    return makeImageList(side, side, count);
}
// Adds an icon to an image list; its index, or -1.
int addIcon(HIMAGELIST list, HICON icon);
// Adds a picture at the list's size, from its own pixels when it comes drawn
// at that size, else through its icon drawn for `dpi` at `layoutSize`.
int addPicture(HIMAGELIST list, const Toolkit& toolkit, int picture, int layoutSize, int dpi);
// Whether a list made by makeImageList is not destroyed yet, and how many
// are not. A list given to two holders is destroyed by the first only; the
// second's attempt is counted instead.
bool imageListAlive(HIMAGELIST list);
int liveImageLists();
int imageListsDestroyedTwice();

}  // namespace seamster::ui

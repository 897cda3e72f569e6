#include "ui/ImageList.h"

#include <cstring>
#include <set>

#include "ui/Toolkit.h"

namespace seamster::ui {

namespace {
std::set<HIMAGELIST>& imageListsAlive() {
    static std::set<HIMAGELIST> lists;
    return lists;
}
int destroyedTwice = 0;
}  // namespace

void ImageListTraits::close(HIMAGELIST list) {
    // Two holders of one list would show here, before the second destroy
    // could harm a list made since under the same handle.
    if (imageListsAlive().erase(list) == 0) {
        ++destroyedTwice;
        return;
    }
    ImageList_Destroy(list);
}

ImageListHandle makeImageList(int width, int height, int count, int grow) {
    ImageListHandle list(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, count, grow));
    if (list) imageListsAlive().insert(list.get());
    return list;
}

int addIcon(HIMAGELIST list, HICON icon) {
    // ImageList_AddIcon loads the icon again from the resources, at a cost
    // the start-up feels; an icon of the list's size gives its own pictures,
    // which the list stores alike.
    ICONINFO info = {};
    int width = 0, height = 0;
    if (!list || !icon || !ImageList_GetIconSize(list, &width, &height) ||
        !GetIconInfo(icon, &info))
        return ImageList_AddIcon(list, icon);
    BITMAP colour = {};
    const bool sameSize = info.hbmColor && GetObjectW(info.hbmColor, sizeof(colour), &colour) &&
                          colour.bmWidth == width && colour.bmHeight == height &&
                          colour.bmBitsPixel == 32;
    const int index =
        sameSize ? ImageList_Add(list, info.hbmColor, info.hbmMask) : ImageList_AddIcon(list, icon);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return index;
}

int addPicture(HIMAGELIST list, const Toolkit& toolkit, int picture, int layoutSize, int dpi) {
    // Making an icon and taking its bitmaps out again costs a start-up under
    // Wine a dozen requests to its server per picture; the resource's own
    // pixels are what the icon would hold.
    int width = 0, height = 0;
    const auto pixels = list && ImageList_GetIconSize(list, &width, &height) && width == height
                            ? toolkit.iconPixels(picture, width)
                            : std::nullopt;
    if (!pixels) return addIcon(list, toolkit.icon(picture, layoutSize, dpi));
    const int side = pixels->side;
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof(info.header);
    info.header.biWidth = side;
    info.header.biHeight = side;  // bottom-up, as the resource has them
    info.header.biPlanes = 1;
    info.header.biBitCount = 32;
    void* colourBits = nullptr;
    BitmapHandle colour(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                         DIB_RGB_COLORS, &colourBits, nullptr, 0));
    info.header.biBitCount = 1;
    info.colours[1] = {255, 255, 255, 0};
    void* maskBits = nullptr;
    BitmapHandle mask(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                       DIB_RGB_COLORS, &maskBits, nullptr, 0));
    if (!colour || !mask) return addIcon(list, toolkit.icon(picture, layoutSize, dpi));
    std::memcpy(colourBits, pixels->colour, size_t(side) * side * 4);
    std::memcpy(maskBits, pixels->mask, size_t((side + 31) / 32 * 4) * side);
    return ImageList_Add(list, colour.get(), mask.get());
}

bool imageListAlive(HIMAGELIST list) { return imageListsAlive().contains(list); }
int liveImageLists() { return int(imageListsAlive().size()); }
int imageListsDestroyedTwice() { return destroyedTwice; }

}  // namespace seamster::ui

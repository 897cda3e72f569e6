// The Windows side of the background commands: the requesters, and the
// thumbnail of the current background in the main window.

#include <windows.h>
#include <commdlg.h>

#include "core/MainGadgets.h"
#include "images/BackgroundWindows.h"
#include "platform/win32/Win32Platform.h"
#include "ui/ImageBitmap.h"
#include "ui/Window.h"

namespace seamster {
namespace {

// Picture 1 holds the thumbnail the main window shows.
constexpr int thumbnailPicture = 1;
constexpr int captionFont = 3;
constexpr char thumbnailCaption[] = " <F5>  Background";

constexpr size_t pathCapacity = 260;

class WindowScreens : public BackgroundScreens {
public:
    explicit WindowScreens(WindowContext& context) : context_(context) {}

    std::string chooseBackgroundImage() override {
        return seamster::chooseBackgroundImage(context_);
    }

    PreviewAnswer runImagePreview(const Image& source) override {
        PreviewAnswer answer = seamster::runImagePreview(context_, source);
        // The main window stays disabled while the background is written.
        if (answer.save || answer.backup) EnableWindow(context_.owner, FALSE);
        return answer;
    }

    std::string chooseCopyName(const std::string& proposed) override;
    std::optional<uint32_t> chooseColor() override;

    void refreshBackgroundThumbnail() override { seamster::refreshBackgroundThumbnail(context_); }

private:
    WindowContext& context_;
};

std::string WindowScreens::chooseCopyName(const std::string& proposed) {
    static const wchar_t filter[] = L"Windows .bmp\0*.bmp\0";
    std::wstring name = widen(proposed);
    if (name.size() > pathCapacity - 1) name.clear();  // too long to offer
    name.resize(pathCapacity, L'\0');
    const std::wstring title = L"Save Copy As:";
    OPENFILENAMEW request = {};
    request.lStructSize = sizeof(request);
    request.lpstrFilter = filter;
    request.nFilterIndex = 1;
    request.lpstrFile = name.data();
    request.nMaxFile = DWORD(pathCapacity);
    request.lpstrTitle = title.c_str();
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&request)) return {};
    return narrow(name.c_str());
}

std::optional<uint32_t> WindowScreens::chooseColor() {
    // The custom colours live in App for the whole run.
    std::array<COLORREF, 16> custom = {};
    for (size_t i = 0; i < custom.size(); ++i) custom[i] = context_.app.customColors[i];
    CHOOSECOLORW request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = GetActiveWindow();
    request.rgbResult = 1;
    request.lpCustColors = custom.data();
    request.Flags = CC_RGBINIT;
    bool chosen = false;
    {
        ui::ModalScope modal(context_.owner);
        chosen = ChooseColorW(&request) != FALSE;
    }
    for (size_t i = 0; i < custom.size(); ++i) context_.app.customColors[i] = custom[i];
    if (!chosen) return std::nullopt;
    return uint32_t(request.rgbResult & 0xFFFFFF);
}

// The shadowed caption: twice in black, offset, then in white.
void drawThumbnailCaption(HBITMAP bitmap, HFONT font) {
    ui::drawTextOnBitmap(bitmap, thumbnailCaption, font, 47, 143, RGB(0, 0, 0));
    ui::drawTextOnBitmap(bitmap, thumbnailCaption, font, 47, 142, RGB(0, 0, 0));
    ui::drawTextOnBitmap(bitmap, thumbnailCaption, font, 46, 142, RGB(255, 255, 255));
}

}  // namespace

void runNewBackgroundImage(WindowContext& context) {
    WindowScreens screens(context);
    newBackgroundImage(context.app, screens);
    // Whatever happened above, the main window is usable again.
    if (!context.owner) return;
    EnableWindow(context.owner, TRUE);
    SetForegroundWindow(context.owner);
    SetActiveWindow(context.owner);
}

void runNewBackgroundColor(WindowContext& context) {
    WindowScreens screens(context);
    newBackgroundColor(context.app, screens);
}

void refreshBackgroundThumbnail(WindowContext& context) {
    const bool small = context.main.isGadgetChecked(gadget::size800);
    const auto picture =
        currentBackgroundThumbnail(context.app, small ? smallBodyShopSize : largeBodyShopSize);
    if (!picture) return;
    BitmapHandle bitmap = ui::bitmapFromImage(*picture);
    ui::Window* main = ui::Window::fromHandle(context.owner);
    if (!bitmap || !main) return;
    drawThumbnailCaption(bitmap.get(), context.toolkit.font(captionFont));
    main->showBitmap(gadget::thumbnail, bitmap.get());
    // Replaced only once the gadget shows the new one.
    context.toolkit.setBitmap(thumbnailPicture, bitmap.release());
}

}  // namespace seamster

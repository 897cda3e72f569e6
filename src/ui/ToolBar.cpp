#include "ui/ToolBar.h"

#include <commctrl.h>

#include <utility>

#include "ui/ImageList.h"
#include "ui/Window.h"

namespace seamster::ui {

namespace {
int toolBarHeight(HWND bar) {
    SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    RECT client = {};
    GetClientRect(bar, &client);
    return client.bottom - client.top;
}

// A tool bar's picture and button size at a DPI: the pictures come drawn for
// the nearest scale, and the buttons are as the bar had them at 96 DPI
// scaled, so the bar is as high as it was there scaled. `buttonAt96` and
// `heightAt96` are the button size and bar height it had there.
void sizeToolBar(HWND bar, int dpi, LRESULT buttonAt96, int heightAt96) {
    const int side = pictureSize(32, dpi);
    SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(side, side));
    if (dpi == layoutDpi) return;
    const int edges = heightAt96 - HIWORD(buttonAt96);
    SendMessageW(bar, TB_SETBUTTONSIZE, 0,
                 MAKELPARAM(scaled(LOWORD(buttonAt96), dpi), scaled(heightAt96, dpi) - edges));
}
}  // namespace

// What the bar needs to take its pictures and sizes for another DPI; held
// by the bar and by its window's rescale handler, so the pictures last as
// long as the window shows them.
struct ToolBarPictures {
    std::vector<std::pair<int, int>> commands;  // command, picture
    LRESULT buttonAt96 = 0;                     // as the bar had it at 96 DPI
    int heightAt96 = 0;                         // likewise
    ImageListHandle images;                     // at the window's DPI

    void rescale(HWND bar, const Toolkit& toolkit, int dpi) {
        ImageListHandle made = makeImageList(pictureSize(32, dpi), 10);
        for (const auto& [command, picture] : commands) {
            TBBUTTONINFOW info = {};
            info.cbSize = sizeof(info);
            info.dwMask = TBIF_IMAGE;
            info.iImage = addPicture(made.get(), toolkit, picture, 32, dpi);
            SendMessageW(bar, TB_SETBUTTONINFOW, WPARAM(command), reinterpret_cast<LPARAM>(&info));
        }
        sizeToolBar(bar, dpi, buttonAt96, heightAt96);
        SendMessageW(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(made.get()));
        // The bar no longer shows the old list, so it can go.
        images = std::move(made);
        SendMessageW(bar, TB_AUTOSIZE, 0, 0);
    }
};

ToolBar::ToolBar(Window& window) : window_(window) {
    hwnd_ = CreateWindowExW(
        0, TOOLBARCLASSNAMEW, nullptr,
        WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP | CCS_NODIVIDER, 0, 0, 0,
        0, window.hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    window.setToolBar(hwnd_);
    pictures_ = std::make_shared<ToolBarPictures>();
    SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Measured at the 96-DPI picture size first, then sized for the window's DPI.
    SendMessageW(hwnd_, TB_SETBITMAPSIZE, 0, MAKELPARAM(32, 32));
    pictures_->heightAt96 = toolBarHeight(hwnd_);
    pictures_->buttonAt96 = SendMessageW(hwnd_, TB_GETBUTTONSIZE, 0, 0);
    if (window.dpi() != layoutDpi)
        sizeToolBar(hwnd_, window.dpi(), pictures_->buttonAt96, pictures_->heightAt96);
    height_ = unscaled(toolBarHeight(hwnd_), window.dpi());
    pictures_->images = makeImageList(pictureSize(32, window.dpi()), 10);
    SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures_->images.get()));
    window.setRescale(hwnd_, [bar = hwnd_, pictures = pictures_, &toolkit = window.toolkit()](
                                 int, int dpi) { pictures->rescale(bar, toolkit, dpi); });
}

void ToolBar::addButtons(const std::vector<ToolBarButton>& buttons) {
    if (!hwnd_) return;
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(hwnd_, TB_GETIMAGELIST, 0, 0));
    std::vector<TBBUTTON> entries;
    for (const ToolBarButton& button : buttons) {
        TBBUTTON separator = {};
        separator.fsStyle = BTNS_SEP;
        // The bar finds a button by the first entry with its number, so a
        // separator must not carry a number that a button uses (0 included).
        separator.idCommand = -1;
        TBBUTTON entry = {};
        entry.iBitmap = addPicture(images, window_.toolkit(), button.picture, 32, window_.dpi());
        entry.idCommand = button.command;
        entry.fsState = TBSTATE_ENABLED;
        entry.fsStyle = BTNS_BUTTON;
        entries.insert(entries.end(), {separator, entry});
        pictures_->commands.emplace_back(button.command, button.picture);
        window_.setCommandTip(button.command, button.tip);
    }
    SendMessageW(hwnd_, TB_ADDBUTTONSW, WPARAM(entries.size()),
                 reinterpret_cast<LPARAM>(entries.data()));
}

void ToolBar::enableButton(int command, bool enabled) {
    if (!hwnd_) return;
    bool now = SendMessageW(hwnd_, TB_ISBUTTONENABLED, WPARAM(command), 0) != 0;
    if (now != enabled)
        SendMessageW(hwnd_, TB_ENABLEBUTTON, WPARAM(command), MAKELPARAM(enabled, 0));
}

}  // namespace seamster::ui

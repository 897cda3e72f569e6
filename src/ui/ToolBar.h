#pragma once
// A window's tool bar of picture buttons.

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace seamster::ui {

class Window;

// Tool bar 0 of a window: picture buttons with tool tips.
struct ToolBarButton {
    int command = 0;
    int picture = 0;
    std::string tip;
};

struct ToolBarPictures;

class ToolBar {
public:
    // The bar's pictures are kept with its window until the window is
    // destroyed or takes pictures for another DPI.
    explicit ToolBar(Window& window);
    ToolBar(const ToolBar&) = delete;
    ToolBar& operator=(const ToolBar&) = delete;
    bool valid() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_; }
    // The bar's client height before any button is added, at 96 DPI.
    int height() const { return height_; }
    // Each button after a separator, all in one go: the bar lays itself out
    // again after every addition.
    void addButtons(const std::vector<ToolBarButton>& buttons);
    void enableButton(int command, bool enabled);

private:
    Window& window_;
    HWND hwnd_ = nullptr;
    int height_ = 0;
    std::shared_ptr<ToolBarPictures> pictures_;
};

}  // namespace seamster::ui

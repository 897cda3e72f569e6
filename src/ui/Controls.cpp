#include "ui/Controls.h"

#include <commctrl.h>

#include "platform/win32/Win32Platform.h"
#include "ui/Window.h"

namespace seamster::ui {

HWND createControl(HWND parent, const ControlPlace& place, HFONT font) {
    HWND control =
        CreateWindowExW(place.exStyle, place.className, widen(place.text).c_str(),
                        WS_CHILD | place.style, place.x, place.y, place.width, place.height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void placeControl(HWND control, int x, int y, int width, int height, bool above) {
    SetWindowPos(control, above ? HWND_TOP : nullptr, x, y, width, height,
                 above ? 0 : SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- every kind ------------------------------------------------------------

int Control::id() const { return hwnd_ ? GetDlgCtrlID(hwnd_) : 0; }

void Control::enable(bool enabled) const {
    // Only on a change, so a state recomputed many times a second costs nothing.
    if (hwnd_ && (IsWindowEnabled(hwnd_) != FALSE) != enabled) EnableWindow(hwnd_, enabled);
}

bool Control::isEnabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void Control::show(bool visible) const { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

bool Control::isVisible() const { return IsWindowVisible(hwnd_) != FALSE; }

std::string Control::text() const {
    if (!hwnd_) return {};
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(size_t(length) + 1, L'\0');
    GetWindowTextW(hwnd_, text.data(), length + 1);
    text.resize(size_t(length));
    return narrow(text);
}

void Control::setText(const std::string& text) const { SetWindowTextW(hwnd_, widen(text).c_str()); }

void Control::setFont(HFONT font) const {
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Control::setTextColour(Colour colour) const {
    if (window_ && hwnd_) window_->setTextColour(hwnd_, colour);
}

void Control::setTip(const std::string& tip) const {
    if (window_ && hwnd_) window_->setTip(hwnd_, tip);
}

void Control::focus() const {
    if (hwnd_) SetFocus(hwnd_);
}

bool Control::hasFocus() const { return hwnd_ && GetFocus() == hwnd_; }

void Control::sendToBack() const {
    SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Control::update() const {
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
}

// ---- kinds -----------------------------------------------------------------

void Button::setIcon(HICON icon) const {
    SendMessageW(hwnd_, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

bool CheckBox::isChecked() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::setChecked(bool checked) const {
    SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DropDown::insertItem(int position, const std::string& text) const {
    const std::wstring wide = widen(text);
    SendMessageW(hwnd_, CB_INSERTSTRING, WPARAM(position), reinterpret_cast<LPARAM>(wide.c_str()));
}

void DropDown::select(int position) const {
    SendMessageW(hwnd_, CB_SETCURSEL, WPARAM(position), 0);
}

int DropDown::selected() const { return int(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }

void ListBox::insertItem(int position, const std::string& text) const {
    const std::wstring wide = widen(text);
    SendMessageW(hwnd_, LB_INSERTSTRING, WPARAM(position), reinterpret_cast<LPARAM>(wide.c_str()));
}

void ListBox::select(int position) const { SendMessageW(hwnd_, LB_SETCURSEL, WPARAM(position), 0); }

int ListBox::selected() const { return int(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }

void Picture::showBitmap(HBITMAP bitmap) const {
    if (window_) window_->showImage(hwnd_, SS_BITMAP, IMAGE_BITMAP, bitmap);
}

void Picture::showIcon(HICON icon) const {
    if (window_) window_->showImage(hwnd_, SS_ICON, IMAGE_ICON, icon);
}

void Picture::setSunken() const {
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWL_STYLE, GetWindowLongPtrW(hwnd_, GWL_STYLE) | SS_SUNKEN);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void Picture::place(int x, int y, int width, int height) const {
    if (hwnd_) placeControl(hwnd_, x, y, width, height, true);
}

void Edit::setText(const std::string& text) const {
    Control::setText(text);
    if (!hasFocus()) return;
    const int length = GetWindowTextLengthW(hwnd_);
    SendMessageW(hwnd_, EM_SETSEL, WPARAM(length), LPARAM(length));
}

}  // namespace seamster::ui

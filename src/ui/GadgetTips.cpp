#include "ui/GadgetTips.h"

#include <commctrl.h>

#include "platform/win32/Win32Platform.h"

namespace seamster::ui {

void GadgetTips::set(HWND control, const std::string& tip) {
    if (!control) return;
    std::wstring& text = texts_[control];
    text = widen(tip);
    if (tips_) add(control, text);
}

void GadgetTips::setCommand(int command, const std::string& tip) {
    commandTips_[command] = widen(tip);
}

void GadgetTips::mouseCame() {
    if (tips_ || texts_.empty() || !window_) return;
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                            0, 0, window_, nullptr, instance_, nullptr);
    if (!tips_) return;
    for (const auto& [control, text] : texts_)
        if (IsChild(window_, control)) add(control, text);
}

bool GadgetTips::fillCommandTip(NMHDR* header) const {
    if (header->code != TTN_GETDISPINFOW) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    auto it = commandTips_.find(int(header->idFrom));
    if (it != commandTips_.end()) info->lpszText = const_cast<wchar_t*>(it->second.c_str());
    return true;
}

void GadgetTips::add(HWND control, const std::wstring& tip) const {
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = window_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = const_cast<wchar_t*>(tip.c_str());
    SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace seamster::ui

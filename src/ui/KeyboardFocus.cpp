#include "ui/KeyboardFocus.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ui/Dpi.h"

namespace seamster::ui {

bool hasClass(HWND control, const wchar_t* name) {
    wchar_t found[32] = {};
    GetClassNameW(control, found, 32);
    return lstrcmpiW(found, name) == 0;
}

namespace {
bool isTabStop(HWND control) { return (GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP) != 0; }
bool startsGroup(HWND control) { return (GetWindowLongPtrW(control, GWL_STYLE) & WS_GROUP) != 0; }
// Options keep only the chosen one of a group a tab stop, so they are known
// by their kind.
bool isOption(HWND control) {
    const LONG_PTR kind = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return hasClass(control, L"Button") && (kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON);
}
}  // namespace

void KeyboardFocus::orderTabStops(int dpi) {
    // Made in keyboard order already: z-order is creation order.
    if (creationOrder_) return;
    // Units of keyboard order: a gadget, or an option group as a whole so
    // that the arrow keys still move within it.
    struct Unit {
        std::vector<HWND> members;
        LayoutRect place;
        bool options = false;
    };
    std::vector<Unit> units;
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool option = isOption(child);
        if ((!isTabStop(child) && !option) || child == toolBar_) continue;
        if (option && !startsGroup(child) && !units.empty() && units.back().options) {
            units.back().members.push_back(child);
            continue;
        }
        RECT rect = {};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&rect), 2);
        units.push_back(
            {{child}, {unscaled(rect.left, dpi), unscaled(rect.top, dpi), 0, 0}, option});
    }
    // Top to bottom, left to right; tops less than 8 pixels apart share a row.
    std::stable_sort(units.begin(), units.end(), [](const Unit& a, const Unit& b) {
        if (std::abs(a.place.y - b.place.y) >= 8) return a.place.y < b.place.y;
        return a.place.x < b.place.x;
    });
    HWND after = nullptr;
    for (const Unit& unit : units)
        for (HWND member : unit.members) {
            if (after)
                SetWindowPos(member, after, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
            after = member;
        }
}

void KeyboardFocus::focusFirstGadget() {
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool option = isOption(child);
        if ((!isTabStop(child) && !option) || child == toolBar_ || !IsWindowEnabled(child) ||
            !IsWindowVisible(child))
            continue;
        focusUnit(child);
        return;
    }
}

void KeyboardFocus::focusUnit(HWND first) {
    if (!first) return;
    // In an option group, the chosen option.
    HWND chosen = first;
    if (isOption(first))
        for (HWND member = first; member && isOption(member);
             member = GetWindow(member, GW_HWNDNEXT)) {
            if (member != first && startsGroup(member)) break;
            if (SendMessageW(member, BM_GETCHECK, 0, 0) == BST_CHECKED) chosen = member;
        }
    SetFocus(chosen);
    focused_ = chosen;
}

bool KeyboardFocus::orderOnce(int dpi) {
    if (ordered_) return false;
    ordered_ = true;
    orderTabStops(dpi);
    return true;
}

void KeyboardFocus::focusStart() {
    if (firstFocus_)
        focusUnit(GetDlgItem(window_, firstFocus_));
    else
        focusFirstGadget();
}

bool KeyboardFocus::activated(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(window_, focus)) focused_ = focus;
        return false;
    }
    if (!focused_ || !IsChild(window_, focused_) || !IsWindowVisible(focused_) ||
        !IsWindowEnabled(focused_))
        return false;
    SetFocus(focused_);
    return true;
}

}  // namespace seamster::ui

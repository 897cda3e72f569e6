#include "ui/ListView.h"

#include <algorithm>

#include "platform/win32/Win32Platform.h"

namespace seamster::ui {

namespace {
constexpr UINT tickedImage = INDEXTOSTATEIMAGEMASK(2);
constexpr UINT untickedImage = INDEXTOSTATEIMAGEMASK(1);
}  // namespace

ListView::ListView(Window& window, const Gadget& row, const ListViewArgs& args)
    : window_(window),
      id_(row.id),
      background_(args.background),
      textColour_(args.textColour),
      columnCount_(args.columns.size()),
      iconSize_(args.iconSize),
      reportSelection_(args.reportSelection),
      reportOwnChanges_(args.reportOwnChanges) {
    ControlPlace place;
    place.className = WC_LISTVIEWW;
    place.style = WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS |
                  LVS_SINGLESEL | LVS_NOSORTHEADER | LVS_SHAREIMAGELISTS;
    place.id = row.id;
    place.x = row.x, place.y = row.y, place.width = row.width, place.height = row.height;
    hwnd_ = window.addControl(place);
    if (!hwnd_) return;
    window.setRescale(hwnd_, [list = hwnd_](int oldDpi, int dpi) {
        const int columns = Header_GetItemCount(ListView_GetHeader(list));
        for (int i = 0; i < columns; ++i)
            ListView_SetColumnWidth(list, i, mulDiv(ListView_GetColumnWidth(list, i), dpi, oldDpi));
    });
    DWORD extended = LVS_EX_FULLROWSELECT;
    if (args.checkBoxes) extended |= LVS_EX_CHECKBOXES;
    if (args.gridLines) extended |= LVS_EX_GRIDLINES;
    ListView_SetExtendedListViewStyle(hwnd_, extended);
    ListView_SetBkColor(hwnd_, args.background);
    ListView_SetTextBkColor(hwnd_, args.background);
    ListView_SetTextColor(hwnd_, args.textColour);
    // A list's rows are as high as its small pictures (or its text, if higher).
    if (args.iconSize > 0 || args.rowHeight > 0) {
        // The list adds a pixel below each row's picture.
        // Pictures come drawn for the nearest scale; the row keeps its scaled height.
        const int side = args.iconSize > 0 ? pictureSize(args.iconSize, window.dpi()) : 0;
        const int height = std::max(side, window.scaled(args.rowHeight) - 1);
        pictures_ = makeImageList(std::max(side, 1), height, 4, 4);
        ListView_SetImageList(hwnd_, pictures_.get(), LVSIL_SMALL);
    }
    for (size_t i = 0; i < args.columns.size(); ++i) {
        std::wstring title = widen(args.columns[i].title);
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = title.data();
        column.cx = window.scaled(args.columns[i].width);
        column.iSubItem = int(i);
        SendMessageW(hwnd_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    window.setNotifyHandler(id_, [this](NMHDR* header) { return notify(header); });
}

ListView::~ListView() {
    window_.setNotifyHandler(id_, nullptr);
    // The pictures are shared with the list, not owned by it: let go of them first.
    if (pictures_ && IsWindow(hwnd_)) ListView_SetImageList(hwnd_, nullptr, LVSIL_SMALL);
}

std::optional<LRESULT> ListView::notify(NMHDR* header) {
    if (header->hwndFrom != hwnd_) return std::nullopt;
    if (header->code == NM_CUSTOMDRAW) return customDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    if (header->code != LVN_ITEMCHANGED) return std::nullopt;
    auto* change = reinterpret_cast<NMLISTVIEW*>(header);
    const UINT changed = change->uNewState ^ change->uOldState;
    UINT watched = LVIS_STATEIMAGEMASK | (reportSelection_ ? LVIS_SELECTED : 0);
    if (!quiet_ && (change->uChanged & LVIF_STATE) && (changed & watched))
        window_.toolkit().post({EventKind::gadget, window_.number(), id_});
    return 0;
}

LRESULT ListView::customDraw(NMLVCUSTOMDRAW* draw) const {
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const size_t row = draw->nmcd.dwItemSpec;
        const size_t column = size_t(draw->iSubItem);
        draw->clrText = row < colours_.size() && column < colours_[row].size()
                            ? colours_[row][column]
                            : textColour_;
        draw->clrTextBk = background_;
        return CDRF_NEWFONT;
    }
    default: return CDRF_DODEFAULT;
    }
}

int ListView::addRow(const std::vector<std::string>& texts, int picture) {
    return insertRow(rowCount(), texts, picture);
}

int ListView::insertRow(int position, const std::vector<std::string>& texts, int picture) {
    if (!hwnd_) return -1;
    position = std::clamp(position, 0, rowCount());
    std::wstring first = widen(texts.empty() ? std::string() : texts[0]);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = position;
    item.pszText = first.data();
    item.iImage = picture;
    quiet_ = true;
    int row = int(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row >= 0) {
        colours_.insert(colours_.begin() + row, std::vector<Colour>(columnCount_, textColour_));
        // A new row's other columns start empty.
        for (size_t column = 1; column < texts.size(); ++column)
            if (!texts[column].empty()) setText(row, int(column), texts[column]);
    }
    quiet_ = false;
    return row;
}

void ListView::removeRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    quiet_ = true;
    if (ListView_DeleteItem(hwnd_, row)) colours_.erase(colours_.begin() + row);
    quiet_ = false;
}

void ListView::clear() {
    if (!hwnd_) return;
    quiet_ = true;
    ListView_DeleteAllItems(hwnd_);
    colours_.clear();
    quiet_ = false;
}

int ListView::rowCount() const { return hwnd_ ? ListView_GetItemCount(hwnd_) : 0; }

void ListView::reserveRows(int count) {
    if (!hwnd_ || count <= 0) return;
    ListView_SetItemCountEx(hwnd_, count, LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    colours_.reserve(size_t(count));
}

void ListView::setRedraw(bool on) {
    if (!hwnd_) return;
    SendMessageW(hwnd_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) InvalidateRect(hwnd_, nullptr, TRUE);
}

std::string ListView::text(int row, int column) const {
    if (!hwnd_) return {};
    // Grow the buffer until the text fits; the list does not say how long it is.
    for (size_t size = 256;; size *= 4) {
        std::wstring buffer(size, L'\0');
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = int(size);
        int length = int(
            SendMessageW(hwnd_, LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item)));
        if (length < int(size) - 1 || size > 65536) {
            buffer.resize(size_t(std::max(length, 0)));
            return narrow(buffer);
        }
    }
}

void ListView::setText(int row, int column, const std::string& text) {
    if (!hwnd_) return;
    std::wstring wide = widen(text);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(hwnd_, LVM_SETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
}

Colour ListView::textColour(int row, int column) const {
    if (row < 0 || size_t(row) >= colours_.size() || column < 0 || size_t(column) >= columnCount_)
        return textColour_;
    return colours_[size_t(row)][size_t(column)];
}

void ListView::setTextColour(int row, int column, Colour colour) {
    if (row < 0 || size_t(row) >= colours_.size() || column < 0 || size_t(column) >= columnCount_)
        return;
    if (colours_[size_t(row)][size_t(column)] == colour) return;
    colours_[size_t(row)][size_t(column)] = colour;
    ListView_RedrawItems(hwnd_, row, row);
}

void ListView::setStateBits(int row, UINT state, UINT mask) {
    if (!hwnd_) return;
    LVITEMW item = {};
    item.stateMask = mask;
    item.state = state;
    const bool wasQuiet = quiet_;
    if (!reportOwnChanges_) quiet_ = true;
    SendMessageW(hwnd_, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(&item));
    quiet_ = wasQuiet;
}

bool ListView::isTicked(int row) const {
    return hwnd_ && ListView_GetItemState(hwnd_, row, LVIS_STATEIMAGEMASK) == tickedImage;
}

void ListView::setTicked(int row, bool ticked) {
    setStateBits(row, ticked ? tickedImage : untickedImage, LVIS_STATEIMAGEMASK);
}

bool ListView::isSelected(int row) const {
    return hwnd_ && (ListView_GetItemState(hwnd_, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void ListView::setSelected(int row, bool selected) {
    setStateBits(row, selected ? LVIS_SELECTED | LVIS_FOCUSED : 0,
                 selected ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED);
}

int ListView::state(int row) const {
    return (isSelected(row) ? rowSelected : 0) | (isTicked(row) ? rowTicked : 0);
}

void ListView::setState(int row, int state) {
    if (isTicked(row) != ((state & rowTicked) != 0)) setTicked(row, (state & rowTicked) != 0);
    if (isSelected(row) != ((state & rowSelected) != 0))
        setSelected(row, (state & rowSelected) != 0);
}

std::vector<int> ListView::states() const {
    std::vector<int> result;
    for (int row = 0, count = rowCount(); row < count; ++row) result.push_back(state(row));
    return result;
}

std::vector<bool> ListView::tickMarks() const {
    std::vector<bool> result;
    for (int row = 0, count = rowCount(); row < count; ++row) result.push_back(isTicked(row));
    return result;
}

void ListView::setAllTicked(bool ticked) {
    for (int row = 0, count = rowCount(); row < count; ++row) setState(row, ticked ? rowTicked : 0);
}

int ListView::columnWidth(int column) const {
    return hwnd_ ? unscaled(ListView_GetColumnWidth(hwnd_, column), window_.dpi()) : 0;
}

void ListView::setColumnWidth(int column, int width) {
    if (hwnd_) ListView_SetColumnWidth(hwnd_, column, window_.scaled(width));
}

void ListView::setGridLines(bool on) {
    if (!hwnd_) return;
    ListView_SetExtendedListViewStyleEx(hwnd_, LVS_EX_GRIDLINES, on ? LVS_EX_GRIDLINES : 0);
}

void ListView::scrollToTop() {
    if (!hwnd_ || rowCount() == 0) return;
    ListView_EnsureVisible(hwnd_, 0, FALSE);
}

void ListView::makeVisible(int row) {
    if (hwnd_ && row >= 0 && row < rowCount()) ListView_EnsureVisible(hwnd_, row, FALSE);
}

int ListView::rowHeight() const {
    RECT rect = {};
    if (!hwnd_ || rowCount() == 0) return 0;
    rect.left = LVIR_BOUNDS;
    SendMessageW(hwnd_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rect));
    return unscaled(rect.bottom - rect.top, window_.dpi());
}

int ListView::addPicture(HICON icon) {
    return pictures_ && icon && iconSize_ > 0 ? addIcon(pictures_.get(), icon) : -1;
}

}  // namespace seamster::ui

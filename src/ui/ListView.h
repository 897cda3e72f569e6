#pragma once
// A report-style list gadget: columns of text, a check box per row, grid
// lines, a text colour per cell and, when asked for, a small picture per row.
// Rows are addressed by position from 0; a row's state as the program reads
// it is a pair of bits: selected (highlighted) and ticked.

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/ImageList.h"
#include "ui/Window.h"

namespace seamster::ui {

class ListView {
public:
    static constexpr int rowSelected = kRowSelected;
    static constexpr int rowTicked = kRowTicked;

    // Creates the list as the gadget `row` of `window` describes; the window
    // makes and keeps its lists (Window::addGadgets).
    ListView(Window& window, const Gadget& row, const ListViewArgs& args);
    ~ListView();
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    bool valid() const { return hwnd_ != nullptr; }
    HWND hwnd() const { return hwnd_; }
    int id() const { return id_; }

    // Rows. A picture is an index returned by addPicture, or -1 for none.
    int addRow(const std::vector<std::string>& texts, int picture = -1);
    int insertRow(int position, const std::vector<std::string>& texts, int picture = -1);
    void removeRow(int row);
    void clear();
    int rowCount() const;
    // Room for `count` rows, before adding many.
    void reserveRows(int count);
    // Off while many rows are added or changed, so the list draws once after.
    void setRedraw(bool on);

    std::string text(int row, int column) const;
    void setText(int row, int column, const std::string& text);
    Colour textColour(int row, int column) const;
    void setTextColour(int row, int column, Colour colour);

    // Check marks and selection; each change is reported like a user's
    // unless the list was made not to report its own changes.
    bool isTicked(int row) const;
    void setTicked(int row, bool ticked);
    bool isSelected(int row) const;
    void setSelected(int row, bool selected);
    // rowSelected | rowTicked
    int state(int row) const;
    void setState(int row, int state);
    std::vector<int> states() const;
    std::vector<bool> tickMarks() const;
    void setAllTicked(bool ticked);  // and none selected

    int columnWidth(int column) const;
    void setColumnWidth(int column, int width);
    void setGridLines(bool on);

    // Scrolling.
    void scrollToTop();
    void makeVisible(int row);
    int rowHeight() const;

    // Adds a picture for the rows (lists made with an icon size only).
    int addPicture(HICON icon);

private:
    std::optional<LRESULT> notify(NMHDR* header);
    LRESULT customDraw(NMLVCUSTOMDRAW* draw) const;
    void setStateBits(int row, UINT state, UINT mask);

    Window& window_;
    int id_;
    HWND hwnd_ = nullptr;
    ImageListHandle pictures_;
    Colour background_;
    Colour textColour_;
    size_t columnCount_;
    int iconSize_;
    bool reportSelection_;
    bool reportOwnChanges_;
    // While the list fills or empties itself, its own changes raise no events.
    bool quiet_ = false;
    // Text colour per row, per column.
    std::vector<std::vector<Colour>> colours_;
};

}  // namespace seamster::ui

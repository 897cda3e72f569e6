// The list gadget over a real list control: rows keep their texts, colours
// and states through insertions and removals, and only changes the user
// could have made raise events.
#include <gtest/gtest.h>

#include "ui/ListView.h"
#include "ui/ModalLoop.h"
#include "ui/ProgressBar.h"
#include "ui/Window.h"

namespace seamster::ui {
namespace {

class ListViewTest : public ::testing::Test {
protected:
    ListViewTest() : toolkit(GetModuleHandleW(nullptr)) {
        WindowArgs args;
        args.number = 5;
        args.title = "List test";
        args.clientWidth = 400;
        args.clientHeight = 300;
        window = std::make_unique<Window>(toolkit, args);
        GadgetSettings settings;
        ListViewArgs& list = settings.lists[9];
        list.columns = {{"Name", 200}, {"Mark", 80}};
        list.rowHeight = 17;
        list.reportSelection = true;
        ListViewArgs& quiet = settings.lists[10];
        quiet.columns = {{"Name", 200}};
        quiet.reportSelection = true;
        quiet.reportOwnChanges = false;
        settings.bars[36] = {0, 100, true, true, RGB(0, 204, 51), RGB(0, 102, 51)};
        window->addGadgets({{9, GadgetKind::listView, 0, 0, 380, 13 * 17 + 24, "", ""},
                            {10, GadgetKind::listView, 0, 0, 380, 200, "", ""},
                            {36, GadgetKind::progressBar, 0, 0, 200, 18, "", ""}},
                           settings);
        view = window->listView(9);
    }

    // Every event the list raised since the last call.
    int listEvents(int id = 9) {
        int count = 0;
        for (int step = 0; step < 1000; ++step) {
            Event event = toolkit.pollEvent();
            if (event.kind == EventKind::gadget && event.window == 5 && event.id == id) ++count;
            MSG message;
            if (event.kind == EventKind::none &&
                !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE))
                break;
        }
        return count;
    }

    Toolkit toolkit;
    std::unique_ptr<Window> window;
    ListView* view = nullptr;  // kept by the window
};

TEST_F(ListViewTest, RowsKeepTheirColoursThroughInsertionsAndRemovals) {
    ASSERT_TRUE(view->valid());
    view->addRow({"b", "x"});
    view->addRow({"c"});
    view->insertRow(0, {"a", "y"});
    view->setTextColour(1, 0, RGB(204, 0, 51));
    view->setTextColour(2, 1, RGB(0, 204, 51));
    EXPECT_EQ(view->rowCount(), 3);
    EXPECT_EQ(view->text(0, 0), "a");
    EXPECT_EQ(view->text(0, 1), "y");
    EXPECT_EQ(view->text(2, 1), "");

    view->removeRow(0);
    EXPECT_EQ(view->text(0, 0), "b");
    EXPECT_EQ(view->textColour(0, 0), RGB(204, 0, 51));
    EXPECT_EQ(view->textColour(1, 1), RGB(0, 204, 51));
    EXPECT_EQ(view->textColour(1, 0), RGB(0, 0, 0));

    const std::string longName(600, 'n');
    view->setText(1, 0, longName);
    EXPECT_EQ(view->text(1, 0), longName);
    view->clear();
    EXPECT_EQ(view->rowCount(), 0);
    EXPECT_EQ(view->textColour(0, 0), RGB(0, 0, 0));
}

TEST_F(ListViewTest, StatesRoundTripAndOnlyChangesRaiseEvents) {
    for (const char* name : {"a", "b", "c"}) view->addRow({name});
    EXPECT_EQ(listEvents(), 0);  // filling the list is no user's doing
    view->setState(1, ListView::rowTicked | ListView::rowSelected);
    EXPECT_EQ(view->states(), (std::vector<int>{0, 3, 0}));
    EXPECT_GT(listEvents(), 0);
    view->setState(1, ListView::rowTicked | ListView::rowSelected);
    EXPECT_EQ(listEvents(), 0);

    view->setAllTicked(true);
    EXPECT_EQ(view->states(), (std::vector<int>{2, 2, 2}));
    EXPECT_EQ(view->tickMarks(), (std::vector<bool>{true, true, true}));
    view->setAllTicked(false);
    EXPECT_EQ(view->states(), (std::vector<int>{0, 0, 0}));
    EXPECT_GT(listEvents(), 0);
}

TEST_F(ListViewTest, AListThatKeepsItsOwnStatesHearsOnlyTheUser) {
    ListView& quiet = *window->listView(10);
    quiet.setRedraw(false);
    quiet.reserveRows(3000);
    for (int i = 0; i < 3000; ++i) quiet.addRow({"row " + std::to_string(i)});
    quiet.setRedraw(true);
    ASSERT_EQ(quiet.rowCount(), 3000);
    EXPECT_EQ(quiet.text(2999, 0), "row 2999");

    quiet.setAllTicked(true);
    quiet.setState(7, ListView::rowTicked | ListView::rowSelected);
    quiet.setState(8, ListView::rowSelected);  // moves the highlight
    EXPECT_EQ(listEvents(10), 0);
    EXPECT_EQ(quiet.state(7), ListView::rowTicked);
    EXPECT_EQ(quiet.state(8), ListView::rowSelected);

    // An untick from outside, as a click makes it, is still heard.
    LVITEMW item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(1);
    SendMessageW(quiet.hwnd(), LVM_SETITEMSTATE, 9, reinterpret_cast<LPARAM>(&item));
    EXPECT_GT(listEvents(10), 0);
}

TEST_F(ListViewTest, ThirteenRowsFitAndColumnsAndGridLinesCanChange) {
    for (int i = 0; i < 14; ++i) view->addRow({"row " + std::to_string(i)});
    EXPECT_EQ(view->rowHeight(), 17);
    EXPECT_GE(ListView_GetCountPerPage(view->hwnd()), 13);
    view->setColumnWidth(0, 183);
    EXPECT_EQ(view->columnWidth(0), 183);
    view->setGridLines(false);
    EXPECT_EQ(ListView_GetExtendedListViewStyle(view->hwnd()) & LVS_EX_GRIDLINES, 0u);
    view->setGridLines(true);
    EXPECT_NE(ListView_GetExtendedListViewStyle(view->hwnd()) & LVS_EX_GRIDLINES, 0u);
}

TEST_F(ListViewTest, ProgressBarKeepsItsRangeAndColours) {
    ASSERT_NE(window->progressBar(36), nullptr);
    ProgressBar& bar = *window->progressBar(36);
    bar.setValue(66);
    EXPECT_EQ(bar.value(), 66);
    bar.setValue(100);
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(COLORREF(SendMessageW(bar.hwnd(), PBM_GETBARCOLOR, 0, 0)), RGB(0, 204, 51));
    EXPECT_EQ(COLORREF(SendMessageW(bar.hwnd(), PBM_GETBKCOLOR, 0, 0)), RGB(0, 102, 51));
}

TEST_F(ListViewTest, GadgetsAreHandedOutOnlyAsTheKindTheyWereMadeAs) {
    window->addGadgets({{40, GadgetKind::frame, 0, 0, 50, 50, "", ""},
                        {41, GadgetKind::option, 0, 0, 50, 20, "", ""}});
    EXPECT_TRUE(window->control(40).valid());
    EXPECT_TRUE(window->frame(40).valid());
    EXPECT_FALSE(window->checkBox(40).valid());
    EXPECT_TRUE(window->checkBox(41).valid());
    EXPECT_FALSE(window->button(41).valid());
    EXPECT_EQ(window->listView(36), nullptr);  // a progress bar
    EXPECT_EQ(window->progressBar(9), nullptr);
}

// A quit message ends the main loop and every modal loop over it, once, and
// is not left in the queue where it would wake each wait at once.
TEST_F(ListViewTest, QuitMessageEndsEveryLoop) {
    PostQuitMessage(0);
    EXPECT_EQ(toolkit.pollEvent().kind, EventKind::quit);
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(toolkit.waitEvent(window->hwnd()).kind, EventKind::close);
    EXPECT_FALSE(runUntilGadget(toolkit, *window, 1));
    EXPECT_EQ(toolkit.pollEvent().kind, EventKind::quit);
}

}  // namespace
}  // namespace seamster::ui

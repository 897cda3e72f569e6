// The Remove Projects window: the Body Shop's project files and project
// folders, orphaned projects in red (and ticked when the options ask for it),
// and whatever the user ticks deleted for good with "Remove".

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "res/Pictures.h"
#include "projects/RemoveProjectsWindow.h"
#include "projects/ProjectCleanup.h"
#include "ui/ListView.h"
#include "ui/ModalLoop.h"
#include "ui/TransparentText.h"

namespace seamster {

namespace {

enum : int {
    heading = 8,
    projectList = 9,
    done = 5,
    remove = 311,
    projectImage = 309,
    folderList = 314
};

constexpr char windowTitle[] = "Seamster   --    Remove Projects";
constexpr int windowWidth = 438;
constexpr int headingFont = ui::font::arial12;
constexpr int rowPictureSize = 16;

// One of the window's two lists, kept in step with the rows the model gives.
class RowList {
public:
    // `list` is kept by its window.
    RowList(ui::ListView& list, ui::Toolkit& toolkit, size_t columns)
        : list_(list), columns_(columns) {
        for (int picture : {kProjectRowPicture, kFolderRowPicture, kNothingFoundPicture})
            pictures_[size_t(slot(picture))] =
                list_.addPicture(toolkit.icon(picture, rowPictureSize));
    }

    ui::ListView& view() { return list_; }

    void fill(const std::vector<ListRow>& rows) {
        list_.clear();
        for (const ListRow& row : rows) {
            std::vector<std::string> texts = {row.text, row.fileName};
            texts.resize(columns_);
            const int added = list_.addRow(texts, pictures_[size_t(slot(row.picture))]);
            if (added >= 0) paint(added, row);
        }
    }

    // Takes out rows in the order given (bottom up), then shows every
    // remaining row's colour and tick as the model now has them.
    void removeAndRefresh(const std::vector<size_t>& removed, const std::vector<ListRow>& rows) {
        for (size_t row : removed) list_.removeRow(int(row));
        if (size_t(list_.rowCount()) != rows.size()) {
            fill(rows);  // out of step: show the model's rows afresh
            return;
        }
        for (size_t row = 0; row < rows.size(); ++row) paint(int(row), rows[row]);
    }

    std::vector<bool> ticks() const { return list_.tickMarks(); }

private:
    static int slot(int picture) {
        return picture == kFolderRowPicture ? 1 : picture == kNothingFoundPicture ? 2 : 0;
    }

    void paint(int row, const ListRow& content) {
        for (size_t column = 0; column < columns_; ++column)
            list_.setTextColour(row, int(column), content.textColour);
        if (list_.isTicked(row) != content.ticked) list_.setTicked(row, content.ticked);
    }

    ui::ListView& list_;
    size_t columns_;
    std::array<int, 3> pictures_ = {-1, -1, -1};
};

// The two lists' columns and rows, beyond their places.
ui::GadgetSettings listSettings() {
    ui::GadgetSettings settings;
    settings.lists[projectList].columns = {
        {"            Bodyshop Project Name", kProjectNameColumnWidth},
        {" Windows Filename", kProjectFileColumnWidth}};
    settings.lists[folderList].columns = {
        {"            Bodyshop Project Folders", kFolderColumnWidth}};
    for (auto& [id, list] : settings.lists) {
        list.iconSize = rowPictureSize;
        list.rowHeight = listRowHeight;  // so each list shows exactly its rows
    }
    return settings;
}

// The ticks as the user left them go into the model, which deletes what is
// ticked; the lists then show what is left.
void removeTicked(RemoveProjectsModel& model, RowList& projects, RowList& folders,
                  ui::Toolkit& toolkit) {
    const std::vector<bool> projectTicks = projects.ticks();
    for (size_t row = 0; row < projectTicks.size(); ++row)
        model.setProjectTicked(row, projectTicks[row]);
    const std::vector<bool> folderTicks = folders.ticks();
    for (size_t row = 0; row < folderTicks.size(); ++row)
        model.setFolderTicked(row, folderTicks[row]);

    RemovedRows removed;
    {
        ui::WaitCursor busy(toolkit);
        removed = model.removeTicked();
    }

    projects.removeAndRefresh(removed.projects, model.projectRows());
    folders.removeAndRefresh(removed.folders, model.folderRows());
    projects.view().setColumnWidth(1, model.projectFileColumnWidth());
    folders.view().setColumnWidth(0, model.folderColumnWidth());
}

}  // namespace

void runRemoveProjectsWindow(App& app, ui::Toolkit& toolkit, ui::Owner owner) {
    // A Projects folder that cannot be listed opens nothing and says nothing.
    std::optional<RemoveProjectsModel> model = RemoveProjectsModel::open(
        app.fs(), app.paths.projectsFolder, app.settings.options.orphanProjects == 1,
        app.screen.scrollBarWidth, &app.platform.codec);
    if (!model) return;
    const RemoveProjectsLayout layout = removeProjectsLayout(listRowHeight, listHeaderHeight);
    ui::ModalWindow modal(toolkit,
                          ui::modalWindowArgs(windowTitle, windowWidth, layout.windowHeight, owner,
                                              "remove-projects.htm"));
    if (!modal.valid()) return;
    ui::Window& window = modal.window();

    using K = GadgetKind;
    const ui::GadgetSettings lists = listSettings();
    window.addGadgets(
        {
            {heading, K::centredText, 20, 11, 405, 20,
             "Check the Projects and Folders you want to remove", ""},
            {projectList, K::listView, 5, 38, 425, layout.listHeight, "", ""},
            {done, K::button, 220, layout.buttonTop, 210, 30, "Done", "", KeyRole::enter},
            {remove, K::button, 6, layout.buttonTop, 210, 30, "Remove", ""},
            // The picture keeps its own size at the top left of its place.
            {projectImage, K::picture, 15, 0, 48, 48, "", "", KeyRole::none, lookNaturalSize},
            {folderList, K::listView, 5, layout.folderListTop, 427, layout.listHeight, "", ""},
        },
        lists);
    window.label(heading).setFont(toolkit.font(headingFont));
    ui::ListView* projectView = window.listView(projectList);
    ui::ListView* folderView = window.listView(folderList);
    if (!projectView || !folderView || !window.button(done).valid() ||
        !window.button(remove).valid())
        return;
    RowList projects(*projectView, toolkit, lists.lists.at(projectList).columns.size());
    RowList folders(*folderView, toolkit, lists.lists.at(folderList).columns.size());
    window.picture(projectImage).showIcon(toolkit.icon(picture::cleanUp, 32));
    // The heading is as wide as the window and its first letters reach
    // into the picture: let only the letters cover it, drawn after it.
    ui::drawTextsTransparent(window, {heading});
    window.label(heading).sendToBack();

    projects.fill(model->projectRows());
    folders.fill(model->folderRows());
    projects.view().setColumnWidth(1, model->projectFileColumnWidth());
    folders.view().setColumnWidth(0, model->folderColumnWidth());

    modal.open(projectList);
    modal.runUntil(done, [&](int gadget) {
        if (gadget == remove) removeTicked(*model, projects, folders, toolkit);
    });
}

}  // namespace seamster

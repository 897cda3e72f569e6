#include "app/MainWindow.h"

#include "app/MainLayout.h"
#include "app/MainLoop.h"
#include "platform/Text.h"
#include "platform/win32/Win32Platform.h"
#include "ui/FolderPicker.h"
#include "ui/ModalLoop.h"

namespace seamster {

namespace {

// The tool bar's buttons in their order, by what they ask.
constexpr MainInput toolBarCommands[] = {MainInput::setUp,
                                         MainInput::help,
                                         MainInput::about,
                                         MainInput::newBackgroundColor,
                                         MainInput::newBackgroundImage,
                                         MainInput::cleanUpProjects,
                                         MainInput::hideGameFolders,
                                         MainInput::extras,
                                         MainInput::options,
                                         MainInput::renamePackages};
static_assert(std::size(toolBarCommands) == size_t(button::renamePackages) + 1);

MainInput inputOf(const Event& event) {
    switch (event.kind) {
    case EventKind::none: return MainInput::none;
    case EventKind::close: return MainInput::close;
    case EventKind::quit: return MainInput::quit;
    case EventKind::toolBar:
        return event.id >= 0 && event.id < int(std::size(toolBarCommands))
                   ? toolBarCommands[event.id]
                   : MainInput::other;
    case EventKind::gadget: break;
    case EventKind::other: return MainInput::other;
    }
    switch (event.id) {
    case gadget::refreshThumbnails: return MainInput::refreshThumbnails;
    case gadget::backgroundImage: return MainInput::backgroundImageButton;
    case gadget::cleanupProjects: return MainInput::cleanUpProjectsButton;
    case gadget::backgroundColor: return MainInput::backgroundColorButton;
    case gadget::size800:
    case gadget::size1024: return MainInput::sizeChosen;
    case gadget::runBodyshop: return MainInput::runBodyShop;
    default: return MainInput::gadget;
    }
}

}  // namespace

MainWindow::MainWindow(App& app, ui::Toolkit& toolkit) : app_(app), toolkit_(toolkit) {}

MainWindow::~MainWindow() = default;

bool MainWindow::build() {
    ui::WindowArgs args;
    args.number = 0;
    args.title = mainWindowTitle(app_.settings.game.selectedPack);
    args.clientWidth = mainClientWidth;
    args.clientHeight = mainInitialClientHeight;
    args.minimizeBox = true;
    args.helpPage = "main-window.htm";
    // The keyboard order is the order the gadgets are made in, and the
    // keyboard starts at the chosen screen size.
    args.tabInCreationOrder = true;
    args.firstFocus = gadget::size800;
    if (auto corner =
            savedMainPosition(app_.settings.options.windowX, app_.settings.options.windowY)) {
        args.placed = true;
        args.x = corner->x;
        args.y = corner->y;
    }
    window_ = std::make_unique<ui::Window>(toolkit_, args);
    if (!window_->valid()) return false;

    toolBar_ = std::make_unique<ui::ToolBar>(*window_);
    int t = toolBar_->valid() ? toolBar_->height() : 0;
    if (toolBar_->valid()) {
        std::vector<ui::ToolBarButton> buttons;
        for (const ToolButton& item : mainToolBar())
            buttons.push_back({item.button, item.picture, item.tip});
        toolBar_->addButtons(buttons);
        window_->setClientSize(mainClientWidth, mainClientHeight(t));
    }

    // Four equal fields of the client width as shown (131 pixels at 96 DPI).
    statusBar_ = std::make_unique<ui::StatusBar>(*window_, 4);
    for (int field = 0; field < 4; ++field) {
        const StatusField& item = mainStatusFields()[size_t(field)];
        statusBar_->setField(field, item.text, toolkit_.icon(item.picture, 16));
    }

    window_->addGadgets(mainGadgets(t));
    stateImage_ = window_->picture(gadget::stateImage);
    thumbnail_ = window_->picture(gadget::thumbnail);
    size800_ = window_->option(gadget::size800);
    size1024_ = window_->option(gadget::size1024);
    poseList_ = window_->dropDown(gadget::poseList);
    lightingList_ = window_->dropDown(gadget::lightingList);
    refreshThumbnails_ = window_->button(gadget::refreshThumbnails);
    backgroundImage_ = window_->button(gadget::backgroundImage);
    backgroundColor_ = window_->button(gadget::backgroundColor);
    cleanUpProjects_ = window_->button(gadget::cleanupProjects);
    runBodyShop_ = window_->button(gadget::runBodyshop);
    stateImage_.setSunken();
    thumbnail_.setSunken();
    showBodyShopRunning(false);
    thumbnail_.showBitmap(toolkit_.bitmap(picture::blankThumbnail));
    window_->option(preselectedSizeOption(app_.screen.screenWidth, app_.screen.screenHeight))
        .setChecked(true);
    return true;
}

void MainWindow::show() {
    if (!window_) return;
    window_->show();
    window_->activate();
}

ui::Control& MainWindow::control(MainControl which) {
    switch (which) {
    case MainControl::refreshThumbnails: return refreshThumbnails_;
    case MainControl::backgroundImage: return backgroundImage_;
    case MainControl::backgroundColor: return backgroundColor_;
    case MainControl::cleanUpProjects: return cleanUpProjects_;
    case MainControl::size800: return size800_;
    case MainControl::size1024: return size1024_;
    case MainControl::poseList: return poseList_;
    case MainControl::lightingList: return lightingList_;
    case MainControl::runBodyShop: break;
    }
    return runBodyShop_;
}

ui::DropDown& MainWindow::list(SwitchList which) {
    return which == SwitchList::pose ? poseList_ : lightingList_;
}

void MainWindow::enableControl(MainControl which, bool enabled) { control(which).enable(enabled); }

void MainWindow::enableCommand(MainInput command, bool enabled) {
    if (!toolBar_) return;
    for (size_t button = 0; button < std::size(toolBarCommands); ++button)
        if (toolBarCommands[button] == command) toolBar_->enableButton(int(button), enabled);
}

void MainWindow::showBodyShopRunning(bool running) {
    const int shown = running ? picture::bodyShopRunning : picture::bodyShopIdle;
    // Set again on every pass of the loop; redrawn only on a change.
    if (!window_ || stateShown_ == shown) return;
    stateShown_ = shown;
    stateImage_.showBitmap(toolkit_.bitmap(shown));
}

bool MainWindow::smallBodyShopChosen() { return size800_.isChecked(); }

void MainWindow::markFolder(HiddenFolder folder, bool hidden) {
    showStatusPicture(
        folder == HiddenFolder::downloads ? statusField::downloads : statusField::savedSims,
        hidden ? picture::changed : picture::folder);
}

void MainWindow::markUnderwear(Underwear underwear, bool invisible) {
    const bool male = underwear == Underwear::male;
    showStatusPicture(male ? statusField::maleUndies : statusField::femaleUndies,
                      invisible ? picture::changed
                      : male    ? picture::maleUndies
                                : picture::femaleUndies);
}

void MainWindow::showStatusPicture(int field, int picture) {
    if (statusBar_) statusBar_->setIcon(field, toolkit_.icon(picture, 16));
}

void MainWindow::setTitle(const std::string& title) {
    if (window_) window_->setTitle(title);
}

Point MainWindow::position() {
    if (!window_) return {};
    RECT outer = window_->outerRect();
    return {outer.left, outer.top};
}

void MainWindow::insertSwitch(SwitchList list, int position, const std::string& caption) {
    this->list(list).insertItem(position, caption);
}

void MainWindow::chooseSwitch(SwitchList list, int position) { this->list(list).select(position); }

int MainWindow::chosenSwitch(SwitchList list) { return window_ ? this->list(list).selected() : 0; }

void MainWindow::flushEvents() { toolkit_.flushEvents(); }

ui::Owner MainWindow::owner() const { return window_ ? ui::Owner(*window_) : ui::Owner(); }

ContentWindowContext MainWindow::contentContext() { return {app_, toolkit_, *this, owner()}; }

BackgroundContext MainWindow::backgroundContext() { return {app_, toolkit_, *this, owner()}; }

void MainWindow::openSecondary(Secondary which) {
    ContentWindowContext content = contentContext();
    BackgroundContext background = backgroundContext();
    switch (which) {
    case Secondary::about: runAboutWindow(content); break;
    case Secondary::options: runOptionsWindow(content); break;
    case Secondary::hideGameFolders: runHideGameFoldersWindow(content); break;
    case Secondary::extras: runExtrasWindow(content); break;
    case Secondary::removeProjects: runRemoveProjectsWindow(app_, toolkit_, owner()); break;
    case Secondary::renamePackages:
        runRenameWindows(app_, toolkit_, owner(), renameSession_);
        break;
    case Secondary::backgroundColor:
    case Secondary::backgroundImage: {
        // The requesters on the way have their help in the backgrounds page.
        ui::RequesterHelp help(toolkit_, "backgrounds.htm");
        if (which == Secondary::backgroundColor)
            runNewBackgroundColor(background);
        else
            runNewBackgroundImage(background);
        break;
    }
    }
}

void MainWindow::refreshBackgroundThumbnail() {
    if (!window_) return;
    BitmapHandle bitmap =
        backgroundThumbnail(app_, toolkit_, smallBodyShopChosen(), window_->dpi());
    if (!bitmap) return;
    thumbnail_.showBitmap(bitmap.get());
    // Replaced only once the gadget shows the new one.
    toolkit_.setBitmap(thumbnailPicture, bitmap.release());
}

int MainWindow::runSetUpWindow(const std::vector<std::string>& packs, int selected) {
    namespace s = setUpGadget;
    ui::ModalWindow modal(
        toolkit_, ui::modalWindowArgs("Seamster Set Up", setUpClientWidth, setUpClientHeight,
                                      owner(), "setup-window.htm"));
    if (!modal.valid()) return -1;
    ui::Window& setUp = modal.window();
    setUp.addGadgets(setUpGadgets());
    setUp.picture(s::icon).showIcon(toolkit_.icon(picture::setUp, 32));
    for (const std::string& pack : packs) setUp.listBox(s::packs).addItem(pack);
    setUp.listBox(s::packs).select(selected);
    modal.open();
    modal.runUntil(s::ok);
    const int chosen = setUp.listBox(s::packs).selected();
    return chosen < 0 ? int(packs.size()) : chosen;
}

std::string MainWindow::browseForFolder(const std::string& title, const std::string& start) {
    ui::ModalScope modal(owner());
    ui::RequesterHelp help(toolkit_, "setup-window.htm");
    return ui::pickFolder(ui::activeWindow(), title, start);
}

MainInput MainWindow::pollInput() { return inputOf(toolkit_.pollEvent()); }

void MainWindow::pause(int milliseconds) {
    // The end of a watched Body Shop wakes the loop at once.
    toolkit_.pause(milliseconds, static_cast<HANDLE>(app_.platform.processes.watchedEndSignal()));
}

}  // namespace seamster

// The Image Preview window: the chosen picture fitted to the Body Shop's
// screen in one of four ways, at one of its two sizes. Built hidden at
// start-up and shown for each new background.

#include <utility>

#include "images/BackgroundWindows.h"
#include "images/Fitting.h"
#include "ui/ImageBitmap.h"
#include "ui/ModalLoop.h"

namespace seamster {
namespace {

namespace preview {
constexpr int picture = 100, originalSize = 101, tileImage = 102, stretchImage = 103,
              smartSize = 104, ok = 105, cancel = 106, size800 = 107, size1024 = 108,
              saveToFolder = 109, sizeFrame = 250, optionsFrame = 251, backupFrame = 252;
constexpr int clientWidth = 545, clientHeight = 510;
}  // namespace preview

std::vector<Gadget> previewGadgets() {
    using K = GadgetKind;
    using namespace preview;
    // In this order, so the fitting options form one group and the sizes another.
    return {
        {picture, K::picture, 5, 5, 534, 400, "", ""},
        {originalSize, K::option, 205, 425, 115, 20, "Original Size", ""},
        {smartSize, K::option, 205, 444, 115, 20, "Smart Size", ""},
        {tileImage, K::option, 205, 463, 115, 20, "Tile Image", ""},
        {stretchImage, K::option, 205, 482, 115, 20, "Stretch Image", ""},
        {ok, K::button, 5, 475, 175, 30, "OK", "", KeyRole::enter},
        {cancel, K::button, 365, 475, 175, 30, "Cancel", "", KeyRole::escape},
        {size800, K::option, 25, 425, 115, 20, "800 x 600", ""},
        {size1024, K::option, 25, 445, 115, 20, "1024 x 768", ""},
        {saveToFolder, K::checkBox, 382, 430, 165, 25, "Save To Folder", ""},
        {sizeFrame, K::frame, 5, 410, 175, 60, "Save Image Size", ""},
        {optionsFrame, K::frame, 190, 410, 165, 96, "Image Options", ""},
        {backupFrame, K::frame, 365, 410, 175, 60, "Image Backup", ""},
    };
}

// The window's gadgets the preview changes, each as the kind it is.
struct PreviewGadgets {
    ui::Option smartSize, originalSize, stretchImage, tileImage, size800, size1024;
    ui::CheckBox saveToFolder;
    ui::Picture picture;

    explicit PreviewGadgets(ui::Window& window)
        : smartSize(window.option(preview::smartSize)),
          originalSize(window.option(preview::originalSize)),
          stretchImage(window.option(preview::stretchImage)),
          tileImage(window.option(preview::tileImage)),
          size800(window.option(preview::size800)),
          size1024(window.option(preview::size1024)),
          saveToFolder(window.checkBox(preview::saveToFolder)),
          picture(window.picture(preview::picture)) {}
};

// The fitting options with the mode each stands for.
constexpr std::pair<FitMode, ui::Option PreviewGadgets::*> modeOptions[] = {
    {FitMode::smartSize, &PreviewGadgets::smartSize},
    {FitMode::originalSize, &PreviewGadgets::originalSize},
    {FitMode::stretchImage, &PreviewGadgets::stretchImage},
    {FitMode::tileImage, &PreviewGadgets::tileImage}};

class PreviewDialog {
public:
    PreviewDialog(BackgroundContext& context, ui::Window& window, const Image& source)
        : context_(context),
          window_(window),
          modal_(context.toolkit, window, context.owner),
          gadgets_(window),
          source_(source) {}

    PreviewAnswer run() {
        open();
        PreviewAnswer answer;
        for (bool done = false; !done;) {
            const Event event = modal_.nextEvent();
            applyRules();
            done = handle(event, answer);
            // Once more, so the options match a size just chosen at once
            // rather than after the next click.
            if (!done) applyRules();
        }
        close();
        if (answer.save || answer.backup) answer.composed = std::move(composed_);
        return answer;
    }

private:
    void open();
    void close();
    bool handle(const Event& event, PreviewAnswer& answer);
    void compose();
    FitMode chosenMode() const;
    void chooseMode(FitMode mode);
    void applyRules();

    BackgroundContext& context_;
    ui::Window& window_;
    ui::ModalWindow modal_;
    PreviewGadgets gadgets_;
    const Image& source_;
    OutputSize output_ = smallBodyShopSize;
    std::optional<Image> composed_;
    BitmapHandle previewBitmap_;
};

void PreviewDialog::open() {
    chooseMode(FitMode::originalSize);
    // Each picture starts afresh, whatever the previous one left disabled.
    gadgets_.tileImage.enable(true);
    gadgets_.stretchImage.enable(true);
    gadgets_.smartSize.enable(smartSizeEnabledAtOpen(source_.width(), source_.height()));
    const bool small = context_.mainWindow.smallBodyShopChosen();
    output_ = small ? smallBodyShopSize : largeBodyShopSize;
    gadgets_.size800.setChecked(small);
    gadgets_.size1024.setChecked(!small);

    const App& app = context_.app;
    const ScreenPoint corner =
        previewWindowPosition(app.settings.options.windowX, app.settings.options.windowY,
                              app.screen.screenWidth, app.screen.screenHeight);
    window_.moveTo(corner.x, corner.y);
    modal_.open();
    context_.toolkit.flushEvents();
    compose();
}

void PreviewDialog::close() {
    modal_.close();
    gadgets_.picture.showBitmap(nullptr);
    previewBitmap_.reset();
}

// True when the dialog is done.
bool PreviewDialog::handle(const Event& event, PreviewAnswer& answer) {
    const bool ours = event.window == imagePreviewWindowNumber;
    if (event.kind == EventKind::close &&
        (ours || !window_.exists() || context_.toolkit.quitting()))
        return true;
    if (event.kind != EventKind::gadget || !ours) return false;
    switch (event.id) {
    case preview::smartSize:
    case preview::originalSize:
    case preview::stretchImage:
    case preview::tileImage: compose(); break;
    case preview::size800:
        output_ = smallBodyShopSize;
        compose();
        break;
    case preview::size1024:
        output_ = largeBodyShopSize;
        compose();
        break;
    case preview::ok:
        answer.backup = gadgets_.saveToFolder.isChecked();
        answer.save = true;
        return true;
    case preview::cancel: return true;
    default: break;
    }
    return false;
}

void PreviewDialog::compose() {
    {
        ui::WaitCursor busy(context_.toolkit);
        composed_ = composeBackground(source_, chosenMode(), output_);
    }
    if (!composed_) {
        context_.app.dialogs().showMessage("Image Error", iconStop);
        return;
    }
    // Shown at the window's scale; the composition itself stays in picture pixels.
    const auto copy = window_.dpi() == ui::layoutDpi
                          ? makePreviewCopy(*composed_)
                          : scaleImage(*composed_, window_.scaled(previewCopySize.width),
                                       window_.scaled(previewCopySize.height));
    BitmapHandle bitmap = copy ? ui::bitmapFromImage(*copy) : BitmapHandle();
    if (!bitmap) return;  // the picture shown before stays
    gadgets_.picture.showBitmap(bitmap.get());
    previewBitmap_ = std::move(bitmap);
}

FitMode PreviewDialog::chosenMode() const {
    for (const auto& [mode, option] : modeOptions)
        if ((gadgets_.*option).isChecked()) return mode;
    return FitMode::originalSize;
}

void PreviewDialog::chooseMode(FitMode mode) {
    for (const auto& [optionMode, option] : modeOptions) {
        const bool on = optionMode == mode;
        if ((gadgets_.*option).isChecked() != on) (gadgets_.*option).setChecked(on);
    }
}

void PreviewDialog::applyRules() {
    PreviewOptions options{chosenMode(), gadgets_.tileImage.isEnabled(),
                           gadgets_.stretchImage.isEnabled(), gadgets_.smartSize.isEnabled()};
    applyPreviewRules(source_.width(), source_.height(), output_, options);
    chooseMode(options.mode);
    gadgets_.tileImage.enable(options.tileEnabled);
    gadgets_.stretchImage.enable(options.stretchEnabled);
    gadgets_.smartSize.enable(options.smartEnabled);
}

}  // namespace

void buildImagePreviewWindow(BackgroundContext& context) {
    if (context.toolkit.keptWindow(imagePreviewWindowNumber)) return;
    ui::WindowArgs args;
    args.number = imagePreviewWindowNumber;
    args.title =
        "Seamster" + context.app.platform.codec.fromFileBytes(versionText) + "  Image Preview";
    args.clientWidth = preview::clientWidth;
    args.clientHeight = preview::clientHeight;
    // Over the screen, where it has always opened: it is made while another
    // window is active, which it would otherwise centre over.
    args.centreOver = {};
    args.owner = context.owner;
    args.helpPage = "backgrounds.htm";
    // Made in the order that forms the option groups, which is also the keyboard order.
    args.tabInCreationOrder = true;
    auto window = std::make_unique<ui::Window>(context.toolkit, args);
    if (!window->valid()) return;
    window->addGadgets(previewGadgets());
    window->picture(preview::picture).setSunken();
    context.toolkit.keepWindow(std::move(window));
}

PreviewAnswer runImagePreview(BackgroundContext& context, const Image& source) {
    // Made the first time it is needed, not at start-up, and kept for the run.
    buildImagePreviewWindow(context);
    ui::Window* window = context.toolkit.keptWindow(imagePreviewWindowNumber);
    if (!window || source.empty()) return {};
    PreviewDialog dialog(context, *window, source);
    return dialog.run();
}

}  // namespace seamster

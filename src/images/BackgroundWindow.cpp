// The Windows side of the background commands: the requesters, and the
// thumbnail of the current background in the main window.

#include "core/MainGadgets.h"
#include "images/BackgroundWindows.h"
#include "ui/ImageBitmap.h"
#include "ui/ModalLoop.h"
#include "ui/Requesters.h"

namespace seamster {
namespace {

// Picture 1 holds the thumbnail the main window shows.
constexpr int thumbnailPicture = 1;
constexpr int captionFont = 3;
constexpr char thumbnailCaption[] = " <F5>  Background";

class WindowScreens : public BackgroundScreens {
public:
    explicit WindowScreens(WindowContext& context) : context_(context) {}

    std::string chooseBackgroundImage() override {
        return seamster::chooseBackgroundImage(context_);
    }

    PreviewAnswer runImagePreview(const Image& source) override {
        PreviewAnswer answer = seamster::runImagePreview(context_, source);
        // The main window stays disabled while the background is written.
        if (answer.save || answer.backup) ui::disableOwner(context_.owner);
        return answer;
    }

    std::string chooseCopyName(const std::string& proposed) override;
    std::optional<uint32_t> chooseColor() override;

    void refreshBackgroundThumbnail() override { seamster::refreshBackgroundThumbnail(context_); }

private:
    WindowContext& context_;
};

std::string WindowScreens::chooseCopyName(const std::string& proposed) {
    return ui::askSaveName("Save Copy As:", {{"Windows .bmp", "*.bmp"}}, proposed);
}

std::optional<uint32_t> WindowScreens::chooseColor() {
    // The custom colours live in App for the whole run.
    std::array<COLORREF, 16> custom = {};
    for (size_t i = 0; i < custom.size(); ++i) custom[i] = context_.app.customColors[i];
    const std::optional<COLORREF> chosen = ui::chooseColour(context_.owner, custom);
    for (size_t i = 0; i < custom.size(); ++i) context_.app.customColors[i] = custom[i];
    if (!chosen) return std::nullopt;
    return uint32_t(*chosen & 0xFFFFFF);
}

// The shadowed caption: twice in black, offset, then in white.
void drawThumbnailCaption(HBITMAP bitmap, HFONT font) {
    ui::drawTextOnBitmap(bitmap, thumbnailCaption, font, 47, 143, RGB(0, 0, 0));
    ui::drawTextOnBitmap(bitmap, thumbnailCaption, font, 47, 142, RGB(0, 0, 0));
    ui::drawTextOnBitmap(bitmap, thumbnailCaption, font, 46, 142, RGB(255, 255, 255));
}

}  // namespace

void runNewBackgroundImage(WindowContext& context) {
    WindowScreens screens(context);
    newBackgroundImage(context.app, screens);
    // Whatever happened above, the main window is usable again.
    ui::restoreOwner(context.owner);
}

void runNewBackgroundColor(WindowContext& context) {
    WindowScreens screens(context);
    newBackgroundColor(context.app, screens);
}

void refreshBackgroundThumbnail(WindowContext& context) {
    const bool small = context.main.isGadgetChecked(gadget::size800);
    const auto picture =
        currentBackgroundThumbnail(context.app, small ? smallBodyShopSize : largeBodyShopSize);
    if (!picture) return;
    BitmapHandle bitmap = ui::bitmapFromImage(*picture);
    ui::Window* main = ui::Window::fromHandle(context.owner);
    if (!bitmap || !main) return;
    drawThumbnailCaption(bitmap.get(), context.toolkit.font(captionFont));
    main->picture(gadget::thumbnail).showBitmap(bitmap.get());
    // Replaced only once the gadget shows the new one.
    context.toolkit.setBitmap(thumbnailPicture, bitmap.release());
}

}  // namespace seamster

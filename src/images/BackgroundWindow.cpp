// The Windows side of the background commands: the requesters, and the
// thumbnail of the current background in the main window.

#include <algorithm>
#include <optional>

#include "images/BackgroundWindows.h"
#include "ui/ImageBitmap.h"
#include "ui/ModalLoop.h"
#include "ui/Requesters.h"

namespace seamster {
namespace {

constexpr int captionFont = ui::font::arial10;
constexpr char thumbnailCaption[] = " <F5>  Background";

class WindowScreens : public BackgroundScreens {
public:
    explicit WindowScreens(BackgroundContext& context) : context_(context) {}

    std::string chooseBackgroundImage() override {
        return seamster::chooseBackgroundImage(context_);
    }

    PreviewAnswer runImagePreview(const Image& source) override {
        PreviewAnswer answer = seamster::runImagePreview(context_, source);
        // The main window stays disabled while the background is written,
        // until the flow ends.
        if (answer.save || answer.backup) writing_.emplace(context_.owner);
        return answer;
    }

    std::string chooseCopyName(const std::string& proposed) override;
    std::optional<uint32_t> chooseColor() override;

    void refreshBackgroundThumbnail() override { context_.mainWindow.refreshBackgroundThumbnail(); }

private:
    BackgroundContext& context_;
    std::optional<ui::ModalScope> writing_;
};

std::string WindowScreens::chooseCopyName(const std::string& proposed) {
    return ui::askSaveName("Save Copy As:", {{"Windows .bmp", "*.bmp"}}, proposed);
}

std::optional<uint32_t> WindowScreens::chooseColor() {
    // The custom colours are kept for the whole run.
    const std::optional<Colour> chosen =
        ui::chooseColour(context_.owner, context_.app.background.customColors);
    if (!chosen) return std::nullopt;
    return uint32_t(*chosen & 0xFFFFFF);
}

// The shadowed caption: twice in black, offset, then in white.
// The caption's shadow and text at the thumbnail's display scale.
void drawThumbnailCaption(const BitmapHandle& bitmap, const ui::Toolkit& toolkit, int dpi) {
    auto at = [dpi](int v) { return ui::scaled(v, dpi); };
    auto draw = [&](int x, int y, Colour colour) {
        ui::drawTextOnBitmap(bitmap.get(), thumbnailCaption, toolkit.font(captionFont, dpi), x, y,
                             colour);
    };
    const int shadow = std::max(1, at(1));
    draw(at(46) + shadow, at(142) + shadow, rgbColour(0, 0, 0));
    draw(at(46) + shadow, at(142), rgbColour(0, 0, 0));
    draw(at(46), at(142), rgbColour(255, 255, 255));
}

}  // namespace

void runNewBackgroundImage(BackgroundContext& context) {
    WindowScreens screens(context);
    newBackgroundImage(context.app, screens);
}

void runNewBackgroundColor(BackgroundContext& context) {
    WindowScreens screens(context);
    newBackgroundColor(context.app, screens);
}

BitmapHandle backgroundThumbnail(App& app, ui::Toolkit& toolkit, bool small, int dpi) {
    auto picture = currentBackgroundThumbnail(app, small ? smallBodyShopSize : largeBodyShopSize);
    if (!picture) return {};
    // Worked out in picture pixels, shown at the window's scale.
    if (dpi != ui::layoutDpi)
        if (auto shown = scaleImage(*picture, ui::scaled(picture->width(), dpi),
                                    ui::scaled(picture->height(), dpi)))
            picture = std::move(shown);
    BitmapHandle bitmap = ui::bitmapFromImage(*picture);
    if (bitmap) drawThumbnailCaption(bitmap, toolkit, dpi);
    return bitmap;
}

}  // namespace seamster

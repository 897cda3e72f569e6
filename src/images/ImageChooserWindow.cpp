// The picture requester: the open requester with a preview panel that shows
// the selected picture, its name and its size.

#include "images/BackgroundWindows.h"
#include "images/ChooserPreview.h"
#include "images/Fitting.h"
#include "ui/ImageBitmap.h"
#include "ui/Requesters.h"

namespace seamster {
namespace {

// The panel's picture for `path`: the picture itself, or the placeholder
// with its text.
ui::PanelContent panelContent(BackgroundContext& context, const std::string& path) {
    ChooserPreview preview = chooserPreviewFor(context.app.fs(), path);
    ui::PanelContent content;
    content.picture = ui::bitmapFromImage(preview.picture);
    if (content.picture && !preview.loaded)
        ui::drawTextOnBitmap(content.picture.get(), placeholderText, context.toolkit.defaultFont(),
                             placeholderTextCorner.x, placeholderTextCorner.y,
                             rgbColour(255, 255, 255));
    content.x = preview.placement.x;
    content.y = preview.placement.y;
    content.width = preview.placement.width;
    content.height = preview.placement.height;
    content.title = std::move(preview.title);
    content.caption = std::move(preview.caption);
    return content;
}

}  // namespace

std::string chooseBackgroundImage(BackgroundContext& context) {
    App& app = context.app;
    storeWindowPosition(app.settings, context.mainWindow.position());

    ui::OpenRequest request;
    request.title = " Select New Background Image";
    request.types = {{"Standard Image files (.bmp .jpg .png)", "*.bmp;*jpg;*jpeg;*png"}};
    request.folder = app.settings.pictures.imagePath;
    request.name = app.settings.pictures.lastImage;
    request.owner = context.owner;
    request.font = context.toolkit.defaultFont();
    // A little left of the main window; the next one opens there too.
    request.position = [&app] {
        app.settings.options.windowX = requesterLeft(app.settings.options.windowX);
        return std::pair<int, int>{app.settings.options.windowX, app.settings.options.windowY};
    };
    request.preview = [&context](const std::string& path) { return panelContent(context, path); };
    return ui::openWithPreview(request);
}

}  // namespace seamster

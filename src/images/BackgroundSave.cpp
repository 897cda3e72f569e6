#include "images/BackgroundSave.h"

#include "images/BmpWriter.h"
#include "images/PictureDecoder.h"
#include "platform/Text.h"

namespace seamster {
namespace {

// The colour background is always written at the larger Body Shop size, so
// it fills the screen whichever size the Body Shop runs at.
constexpr OutputSize colorBackgroundSize = largeBodyShopSize;

bool saveComposed(FileSystem& fs, const PreviewAnswer& answer, const std::string& path) {
    return answer.composed && saveImageAsBmp(fs, *answer.composed, path);
}

// Whether two paths name one file: the same text, or (a short name, a path
// through a link) the same file on the same volume.
bool sameFile(FileSystem& fs, const std::string& a, const std::string& b) {
    if (equalsIgnoreCase(a, b)) return true;
    const std::optional<FileIdentity> first = fs.identityOf(a);
    return first && fs.identityOf(b) == first;
}

// Copies go to the backup folder, made on first use.
bool haveFolder(FileSystem& fs, const std::string& folder) {
    return !folder.empty() && (fs.exists(folder) != PathKind::missing || fs.createFolder(folder));
}

// The name the copy is written under, once the user has agreed to it: never
// the picture the background was made from, and an existing file only when
// the user says to replace it. The check is made on the name with the
// ".bmp" that will really be written. "" when the requester is cancelled.
std::string chooseCopyTarget(App& app, BackgroundScreens& screens, std::string proposed) {
    const std::string& original = app.settings.pictures.lastImage;
    for (;;) {
        const std::string chosen = screens.chooseCopyName(proposed);
        if (chosen.empty()) return {};
        const std::string target = withBmpExtension(chosen);
        proposed = chosen;  // asked again, the requester opens on it
        if (sameFile(app.fs(), target, original)) {
            app.dialogs().showMessage(copyOverOriginalText(filePartOf(target)), iconExclamation);
        } else if (app.fs().exists(target) != PathKind::file ||
                   app.dialogs().askYesNo(replaceCopyQuestion(filePartOf(target)),
                                          iconExclamation) == answerYes) {
            return target;
        }
    }
}

void saveCopy(App& app, BackgroundScreens& screens, const PreviewAnswer& answer) {
    // When it cannot be made, the prefix keeps what it was (a folder found
    // earlier in this run, or nothing).
    if (haveFolder(app.fs(), app.paths.backgroundsFolder))
        app.background.backupPrefix = app.paths.backgroundsFolder;
    const std::string proposed =
        app.background.backupPrefix + backupFileName(app.settings.pictures.lastImage);
    const std::string target = chooseCopyTarget(app, screens, proposed);
    if (target.empty()) return;
    if (!saveComposed(app.fs(), answer, target))
        app.dialogs().showMessage(backgroundCopyFailedText, iconStop);
}

}  // namespace

std::string replaceCopyQuestion(const std::string& name) {
    return name + " already exists.\nDo you want to replace it?";
}

std::string copyOverOriginalText(const std::string& name) {
    return "The copy cannot be saved over " + name +
           ", the picture it is made from.\nPlease choose another name.";
}

std::string folderPartOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string filePartOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string backupFileName(const std::string& lastImage) {
    std::string base = filePartOf(lastImage);
    if (base.size() >= 4 && base[base.size() - 4] == '.') base.resize(base.size() - 4);
    return base + ".bmp";
}

std::string withBmpExtension(const std::string& name) {
    return endsWithIgnoreCase(name, ".bmp") ? name : name + ".bmp";
}

void newBackgroundImage(App& app, BackgroundScreens& screens) {
    const std::string path = screens.chooseBackgroundImage();
    if (path.empty()) return;
    // Remembered before loading, so the requester reopens here even when
    // the picture turns out to be unreadable.
    app.settings.pictures.imagePath = folderPartOf(path);
    app.settings.pictures.lastImage = path;
    const std::optional<Image> source = loadPicture(app.fs(), path);
    if (!source) return;

    const PreviewAnswer answer = screens.runImagePreview(*source);
    if (answer.save) {
        if (saveComposed(app.fs(), answer, app.paths.backgroundBitmap))
            screens.refreshBackgroundThumbnail();
        else
            app.dialogs().showMessage(backgroundSaveFailedText, iconStop);
    }
    if (answer.backup) saveCopy(app, screens, answer);
}

void newBackgroundColor(App& app, BackgroundScreens& screens) {
    const std::optional<uint32_t> value = screens.chooseColor();
    if (!value) return;
    app.background.color = rgbFromColorValue(*value);
    const std::optional<Image> canvas =
        Image::create(colorBackgroundSize.width, colorBackgroundSize.height, app.background.color);
    // A colour background that cannot be written is said, as a picture's is;
    // the thumbnail keeps showing the background that is really there.
    if (canvas && saveImageAsBmp(app.fs(), *canvas, app.paths.backgroundBitmap))
        screens.refreshBackgroundThumbnail();
    else if (canvas)
        app.dialogs().showMessage(backgroundSaveFailedText, iconStop);
}

std::optional<Image> currentBackgroundThumbnail(App& app, OutputSize bodyShop) {
    const std::string& path = app.paths.backgroundBitmap;
    std::optional<Image> background;
    if (!path.empty() && app.fs().exists(path) != PathKind::missing)
        background = loadPicture(app.fs(), path);
    if (background && app.settings.pictures.lastImage.empty())
        app.settings.pictures.lastImage = path;
    return backgroundThumbnail(background ? &*background : nullptr, bodyShop, app.background.color);
}

}  // namespace seamster

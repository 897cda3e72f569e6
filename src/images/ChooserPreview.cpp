#include "images/ChooserPreview.h"

#include "images/BackgroundSave.h"
#include "images/PictureDecoder.h"
#include "images/Scaling.h"
#include "platform/FileSystem.h"

namespace seamster {
namespace {

// Enough of a file's start to recognise every picture format.
constexpr size_t signatureBytes = 16;

ChooserPreview placeholder() {
    ChooserPreview preview;
    preview.picture = chooserPlaceholder();
    preview.placement =
        chooserThumbnailPlacement(preview.picture.width(), preview.picture.height());
    return preview;
}

// The cursor passes over every file in the folder; only files that start
// like a picture are read whole.
bool startsLikePicture(FileSystem& fs, const std::string& path) {
    const auto start = fs.readFileStart(path, signatureBytes);
    return start && looksLikePicture(*start);
}

}  // namespace

ChooserPreview chooserPreviewFor(FileSystem& fs, const std::string& path) {
    if (path.empty() || fs.exists(path) != PathKind::file || !startsLikePicture(fs, path))
        return placeholder();
    const auto bytes = fs.readFile(path, maxPictureFileBytes);
    if (!bytes) return placeholder();
    // JPEG photos decode at a fraction of their size: still sharp at 200 x 200,
    // and quick enough to follow the cursor.
    auto decoded = decodePictureScaled(*bytes, 200, 200);
    if (!decoded) return placeholder();
    const ThumbnailPlacement placement =
        chooserThumbnailPlacement(decoded->originalWidth, decoded->originalHeight);
    auto thumbnail = scaleImage(decoded->image, placement.width, placement.height);
    if (!thumbnail) return placeholder();
    ChooserPreview preview;
    preview.loaded = true;
    preview.picture = std::move(*thumbnail);
    preview.placement = placement;
    preview.title = filePartOf(path);
    preview.caption = chooserSizeCaption(decoded->originalWidth, decoded->originalHeight);
    return preview;
}

}  // namespace seamster

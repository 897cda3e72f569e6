// New Body Shop backgrounds: a picture chosen in the picture requester and
// fitted in the Image Preview window, a kept copy of it, a colour chosen in
// the colour requester, and what is left alone when a picture is broken, a
// window is cancelled or the background file cannot be written.

#include "Scenario.h"

#include "../unit/PictureSamples.h"

#include <commctrl.h>
#include <png.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace seamster::e2e {
namespace {

const std::string requesterTitle = " Select New Background Image";
const std::string previewTitle = "Seamster v 0.36 \xC3\x9F  Image Preview";
const std::string copyRequesterTitle = "Save Copy As:";

// Main window: tool-bar buttons and gadgets.
constexpr int newImageButton = 4, newColourButton = 3;
constexpr int backgroundImageGadget = 11, backgroundColourGadget = 14, size800Gadget = 15,
              thumbnailGadget = 22;
// The requester's preview panel.
constexpr int panelTitle = 900, panelSize = 901, panelPicture = 902;
// The Image Preview window.
constexpr int originalSize = 101, tileImage = 102, stretchImage = 103, smartSize = 104,
              okButton = 105, cancelButton = 106, output800 = 107, output1024 = 108,
              saveToFolder = 109;
// The colour requester's red, green and blue boxes.
constexpr int redBox = 706, greenBox = 707, blueBox = 708;

constexpr size_t size800x600 = 1'440'054, size1024x768 = 2'359'350;

struct Colour {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Colour&, const Colour&) = default;
};
std::ostream& operator<<(std::ostream& out, const Colour& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}
bool closeTo(const Colour& a, const Colour& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}
Colour darker(const Colour& c) { return {c.r / 2, c.g / 2, c.b / 2}; }

constexpr Colour red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255};

// --- pictures -------------------------------------------------------------------------

void appendToString(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

// An RGB PNG whose pixels the given function paints.
std::string pngBytes(int width, int height, const std::function<Colour(int, int)>& paint) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendToString, nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Colour c = paint(x, y);
            row[size_t(x) * 3] = png_byte(c.r);
            row[size_t(x) * 3 + 1] = png_byte(c.g);
            row[size_t(x) * 3 + 2] = png_byte(c.b);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

// 1600 x 900: four upright bands of red, green, blue and white, each 400
// wide, darker in the bottom third. Smart Size at 800 x 600 scales it to
// 1067 x 600 and draws it 133 pixels left of the edge.
Colour widePicture(int x, int y) {
    const Colour bands[] = {red, green, blue, white};
    const Colour c = bands[x / 400];
    return y >= 600 ? darker(c) : c;
}

// The wide picture enlarged to 6000 x 4000 and stored as a camera stores a
// photo: a JPEG at quality 90 with colour at half the resolution.
std::string largePhotoBytes() {
    constexpr int width = 6000, height = 4000;
    Image photo = *Image::create(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = photo.row(y);
        for (int x = 0; x < width; ++x) {
            const Colour c = widePicture(x * 1600 / width, y * 900 / height);
            row[3 * x] = uint8_t(c.r);
            row[3 * x + 1] = uint8_t(c.g);
            row[3 * x + 2] = uint8_t(c.b);
        }
    }
    return samples::makeJpeg(photo, {.subsampled = true, .quality = 90});
}

// 300 x 200 in four blocks of 150 x 100.
Colour smallPicture(int x, int y) {
    const Colour blocks[] = {red, green, blue, white};
    return blocks[(x >= 150 ? 1 : 0) + (y >= 100 ? 2 : 0)];
}

uint32_t little32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= uint32_t(uint8_t(bytes[at + i])) << (8 * i);
    return value;
}
uint16_t little16(const std::string& bytes, size_t at) {
    return uint16_t(uint8_t(bytes[at]) | uint8_t(bytes[at + 1]) << 8);
}

// The background file as the Body Shop reads it: 24 bits, rows bottom-up.
class Bitmap {
public:
    explicit Bitmap(std::string bytes) : bytes_(std::move(bytes)) {}

    // Checks every header field of the 24-bit layout Seamster writes.
    void expectHeader(int width, int height) const {
        const size_t row = size_t(width) * 3 + size_t(width % 4);
        ASSERT_EQ(bytes_.size(), 54 + row * size_t(height));
        EXPECT_EQ(bytes_.substr(0, 2), "BM");
        EXPECT_EQ(little32(bytes_, 2), bytes_.size());
        EXPECT_EQ(little32(bytes_, 6), 0u);
        EXPECT_EQ(little32(bytes_, 10), 54u);
        EXPECT_EQ(little32(bytes_, 14), 40u);
        EXPECT_EQ(little32(bytes_, 18), uint32_t(width));
        EXPECT_EQ(little32(bytes_, 22), uint32_t(height));
        EXPECT_EQ(little16(bytes_, 26), 1u);
        EXPECT_EQ(little16(bytes_, 28), 24u);
        EXPECT_EQ(little32(bytes_, 30), 0u);
        EXPECT_EQ(little32(bytes_, 34), row * size_t(height));
        for (size_t at : {38u, 42u, 46u, 50u})
            EXPECT_EQ(little32(bytes_, at), 0u) << "offset " << at;
    }

    int width() const { return int(little32(bytes_, 18)); }
    int height() const { return int(little32(bytes_, 22)); }

    // The pixel at (x, y) counted from the top, as the picture shows.
    Colour pixel(int x, int y) const {
        const size_t row = size_t(width()) * 3 + size_t(width() % 4);
        const size_t at = 54 + row * size_t(height() - 1 - y) + size_t(x) * 3;
        return {uint8_t(bytes_[at + 2]), uint8_t(bytes_[at + 1]), uint8_t(bytes_[at])};
    }

private:
    std::string bytes_;
};

// --- controls the driver does not cover -------------------------------------------------------

// The file-name box of a file requester: an edit control, or the edit
// inside a combo box, depending on the system's layout.
HWND fileNameBox(HWND requester) {
    for (int id : {0x47C /* cmb13 */, 0x480 /* edt1 */}) {
        HWND box = control(requester, id);
        if (!box) continue;
        if (className(box) == "Edit") return box;
        if (HWND edit = descendantOfClass(box, "Edit")) return edit;
    }
    return nullptr;
}

// Every child control with its class, ID and text, for failure messages.
std::string describeChildren(HWND parent) {
    std::string out;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto* text = reinterpret_cast<std::string*>(data);
            *text += "\n  " + className(child) + " #" + std::to_string(GetDlgCtrlID(child)) +
                     " \"" + e2e::text(child) + "\"";
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&out));
    return out;
}

// The colour requester: a dialog of the process holding the red box.
HWND findColourRequester(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId || !IsWindowVisible(window) ||
                className(window) != "#32770" || !GetDlgItem(window, redBox))
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Types a number into one of the colour requester's boxes; the requester
// takes the value when the box reports the change.
void typeColourValue(HWND requester, int box, int value) {
    HWND edit = control(requester, box);
    ASSERT_NE(edit, nullptr) << "no colour box " << box;
    ASSERT_TRUE(setText(edit, std::to_string(value)));
    // Sent, not posted: once it returns the requester holds the value, so a
    // click on OK that follows cannot overtake it.
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutW(requester, WM_COMMAND, MAKEWPARAM(box, EN_UPDATE), LPARAM(edit),
                                    SMTO_ABORTIFHUNG, 3000, &result));
}

// --- the fixture -----------------------------------------------------------------------------------

class Background : public Scenario {
protected:
    // Pictures the scenarios choose from, laid anew for each.
    static std::string pictures() { return "C:\\e2e-pictures"; }
    static std::string picture(const std::string& name) { return pictures() + "\\" + name; }
    static std::string background() { return gameFolder() + "\\userbkg.bmp"; }
    static std::string backups() { return gameFolder() + "\\BodyshopBackgrounds"; }

    void SetUp() override {
        Scenario::SetUp();
        if (HasFatalFailure()) return;
        std::error_code error;
        std::filesystem::remove_all(hostPath(pictures()), error);
        std::filesystem::create_directories(hostPath(pictures()), error);
        ASSERT_FALSE(error) << pictures() << ": " << error.message();
        ASSERT_TRUE(writeFileBytes(picture("wide.png"), pngBytes(1600, 900, widePicture)));
        ASSERT_TRUE(writeFileBytes(picture("sky.png"), pngBytes(300, 200, smallPicture)));
        // A PNG signature with nothing sound behind it.
        ASSERT_TRUE(writeFileBytes(picture("broken.png"),
                                   std::string("\x89PNG\r\n\x1a\n", 8) + "not a picture"));
        const auto before = readFileBytes(background());
        ASSERT_TRUE(before.has_value()) << "the sandbox has no background";
        original_ = *before;
    }

    void TearDown() override {
        SetFileAttributesW(widen(background()).c_str(), FILE_ATTRIBUTE_NORMAL);
        if (main_ && seamster_.isRunning() && isEnabled(main_)) quitWithQuestion(seamster_, main_);
    }

    void start() {
        SettingsEntries settings = settingsForPack("The Sims 2");
        setValue(settings, "Image Path", pictures() + "\\");
        // The requester opens on the last picture chosen, in its folder.
        setValue(settings, "Last Image", picture("sky.png"));
        ASSERT_NE(startAtMainWindow(settings), nullptr);
    }

    // Opens the picture requester with the tool-bar button or the gadget.
    HWND openRequester(bool fromToolBar = true) {
        if (fromToolBar)
            pressToolBarButton(toolBar(), newImageButton);
        else
            click(control(main_, backgroundImageGadget));
        HWND requester = waitForWindow(seamster_.id(), requesterTitle);
        EXPECT_NE(requester, nullptr) << "the picture requester did not open";
        if (requester) settle(requester, 500);
        return requester;
    }

    // Selects the file in the requester's list, as a click on it would.
    void selectInList(HWND requester, const std::string& name) {
        HWND list = descendantOfClass(requester, "SysListView32");
        ASSERT_NE(list, nullptr) << "no file list" << describeChildren(requester);
        int row = -1;
        ASSERT_TRUE(waitUntil([&] {
            for (int i = 0, count = listViewRowCount(list); i < count; ++i)
                if (listViewText(list, i, 0).starts_with(name.substr(0, name.find('.')))) row = i;
            return row >= 0;
        })) << name
            << " is not listed";
        ASSERT_TRUE(selectListViewRow(list, row));
        settle(requester, 500);
    }

    // Types the full path into the name box and presses the requester's OK.
    void confirmPath(HWND requester, const std::string& path) {
        HWND box = fileNameBox(requester);
        ASSERT_NE(box, nullptr) << "no file-name box" << describeChildren(requester);
        ASSERT_TRUE(setText(box, path));
        click(control(requester, IDOK));
        ASSERT_TRUE(waitUntilGone(requester)) << "the requester stays open";
    }

    HWND waitForPreview() {
        HWND preview = waitForWindow(seamster_.id(), previewTitle);
        EXPECT_NE(preview, nullptr) << "no Image Preview window; windows: " << [&] {
            std::string seen;
            for (const auto& title : visibleWindowTitles(seamster_.id()))
                seen += " \"" + title + "\"";
            return seen;
        }();
        if (preview) settle(preview, 500);
        return preview;
    }

    // Chooses a picture through the requester and waits for the preview.
    HWND previewOf(const std::string& name) {
        HWND requester = openRequester();
        if (!requester) return nullptr;
        confirmPath(requester, picture(name));
        return waitForPreview();
    }

    // Clicks a gadget of the preview and lets it recompose.
    void choose(HWND preview, int gadget) {
        click(control(preview, gadget));
        settle(preview, 700);
        EXPECT_TRUE(isChecked(control(preview, gadget))) << "gadget " << gadget;
    }

    // The main window is usable again once a flow has ended.
    void expectMainBack() {
        EXPECT_TRUE(waitUntil([&] { return isEnabled(main_); }))
            << "the main window stays disabled";
        settle(main_, 500);
    }

    // Waits until the background file has the given size.
    // Waits for a background of `size` bytes that differs from `before`: a
    // save that keeps the old size is only seen once its bytes have changed.
    std::optional<std::string> waitForBackground(size_t size,
                                                 const std::optional<std::string>& before = {}) {
        std::optional<std::string> bytes;
        waitUntil([&] {
            bytes = readFileBytes(background());
            return bytes && bytes->size() == size && bytes != before;
        });
        return bytes;
    }

    int thumbnailPixels(COLORREF colour) {
        return countScreenPixels(windowRect(control(main_, thumbnailGadget)), colour);
    }

    bool noMessageBox() { return findMessageBox(seamster_.id()) == nullptr; }

    static std::vector<std::string> gameFolderNames() {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(hostPath(gameFolder()), error))
            names.push_back(narrow(entry.path().filename().wstring()));
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string original_;  // the sandbox's background before the scenario
};

TEST_F(Background, SmartSizeAt800x600WritesTheFittedPictureAndRefreshesTheThumbnail) {
    ASSERT_NO_FATAL_FAILURE(start());
    EXPECT_EQ(thumbnailPixels(RGB(0, 255, 0)), 0) << "the sandbox's background has no pure green";

    HWND requester = openRequester();
    ASSERT_NE(requester, nullptr);
    EXPECT_FALSE(isEnabled(main_));
    // The last picture is chosen at the start, and the panel shows it.
    EXPECT_TRUE(waitUntil([&] { return text(control(requester, panelTitle)) == "sky.png"; }))
        << "the panel shows \"" << text(control(requester, panelTitle)) << "\"";
    EXPECT_EQ(text(control(requester, panelSize)), "300 X 200");
    EXPECT_EQ(text(fileNameBox(requester)), "sky.png");
    ASSERT_NO_FATAL_FAILURE(selectInList(requester, "wide.png"));
    EXPECT_TRUE(waitUntil([&] { return text(control(requester, panelTitle)) == "wide.png"; }))
        << "the panel shows \"" << text(control(requester, panelTitle)) << "\"";
    EXPECT_EQ(text(control(requester, panelSize)), "1600 X 900");
    // Fitted into 200 x 200 and centred on the panel's middle.
    const Rect thumb = rectInParent(control(requester, panelPicture));
    EXPECT_EQ(thumb.width, 200);
    EXPECT_EQ(thumb.height, 112);
    EXPECT_EQ(thumb.y, 130 - 112 / 2);
    EXPECT_GT(countScreenPixels(windowRect(control(requester, panelPicture)), RGB(0, 255, 0)),
              1000);
    snap(requester, "requester-with-panel");
    ASSERT_NO_FATAL_FAILURE(confirmPath(requester, picture("wide.png")));

    HWND preview = waitForPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(clientRect(preview), (Rect{0, 0, 545, 510}));
    // Starts with the original size at the main window's Body Shop size.
    EXPECT_TRUE(isChecked(control(preview, originalSize)));
    EXPECT_TRUE(isChecked(control(preview, output1024)));
    EXPECT_FALSE(isChecked(control(preview, saveToFolder)));
    snap(preview, "original-size");

    choose(preview, stretchImage);
    snap(preview, "stretch-image");
    choose(preview, output800);
    EXPECT_TRUE(isChecked(control(preview, stretchImage)));
    // Too big to tile at either size; wider than the band, so Smart Size works.
    EXPECT_FALSE(isEnabled(control(preview, tileImage)));
    EXPECT_TRUE(isEnabled(control(preview, smartSize)));
    choose(preview, smartSize);
    EXPECT_GT(countScreenPixels(windowRect(control(preview, 100)), RGB(0, 255, 0)), 1000);
    snap(preview, "smart-size");

    click(control(preview, okButton));
    ASSERT_TRUE(waitUntilGone(preview)) << "OK did not close the preview";
    const auto bytes = waitForBackground(size800x600);
    ASSERT_TRUE(bytes.has_value());
    const Bitmap saved(*bytes);
    ASSERT_NO_FATAL_FAILURE(saved.expectHeader(800, 600));
    // The bands, scaled by 2/3 and moved 133 pixels left: red up to x 133,
    // green to 400, blue to 667, white beyond; darker from y 400 down.
    struct Sample {
        int x, y;
        Colour expected;
    };
    const Sample samples[] = {
        {0, 0, red},
        {60, 200, red},
        {260, 200, green},
        {530, 200, blue},
        {740, 200, white},
        {60, 500, darker(red)},
        {260, 500, darker(green)},
        {530, 500, darker(blue)},
        {799, 599, darker(white)},
        {799, 0, white},
        {0, 599, darker(red)},
    };
    for (const Sample& s : samples)
        EXPECT_TRUE(closeTo(saved.pixel(s.x, s.y), s.expected, 1))
            << "at " << s.x << ", " << s.y << ": " << saved.pixel(s.x, s.y) << " instead of "
            << s.expected;

    expectMainBack();
    EXPECT_TRUE(noMessageBox());
    // The thumbnail shows the new background: its green band is there now.
    EXPECT_GT(thumbnailPixels(RGB(0, 255, 0)), 1000);
    snap(main_, "main-window-thumbnail");
    EXPECT_FALSE(fileExists(backups())) << "no copy was asked for";

    quitWithQuestion(seamster_, main_);
    main_ = nullptr;
    // The requester reopens where this picture was found.
    const std::string settings = readSettings();
    EXPECT_NE(settings.find("\r\nImage Path = " + pictures() + "\\\r\n"), std::string::npos)
        << settings;
    EXPECT_NE(settings.find("\r\nLast Image = " + picture("wide.png") + "\r\n"), std::string::npos)
        << settings;
}

TEST_F(Background, TiledPictureWithSaveToFolderKeepsACopyUnderTheTypedName) {
    // The small picture under a ".bmp" name, which a copy could take.
    ASSERT_TRUE(writeFileBytes(picture("sky.bmp"), pngBytes(300, 200, smallPicture)));
    ASSERT_NO_FATAL_FAILURE(start());
    HWND preview = previewOf("sky.bmp");
    ASSERT_NE(preview, nullptr);
    // Smaller than the output: it can be tiled.
    EXPECT_TRUE(isEnabled(control(preview, tileImage)));
    choose(preview, output800);
    choose(preview, tileImage);
    snap(preview, "tile-image");
    click(control(preview, saveToFolder));
    settle(preview);
    ASSERT_TRUE(isChecked(control(preview, saveToFolder)));
    click(control(preview, okButton));

    HWND copy = waitForWindow(seamster_.id(), copyRequesterTitle);
    ASSERT_NE(copy, nullptr) << "no \"Save Copy As:\" requester";
    settle(copy, 500);
    snap(copy, "copy-requester");
    // The background is written before the copy is asked for.
    const auto bytes = readFileBytes(background());
    ASSERT_TRUE(bytes.has_value());
    const Bitmap saved(*bytes);
    ASSERT_NO_FATAL_FAILURE(saved.expectHeader(800, 600));
    // Tiles start at 0, 300 and 600 across and 0, 200 and 400 down.
    for (int y : {0, 99, 100, 199, 200, 350, 450, 599})
        for (int x : {0, 149, 150, 299, 300, 451, 600, 799})
            EXPECT_EQ(saved.pixel(x, y), smallPicture(x % 300, y % 200)) << "at " << x << ", " << y;

    // Offered in the backup folder, named after the picture.
    EXPECT_TRUE(std::filesystem::is_directory(hostPath(backups())));
    HWND box = fileNameBox(copy);
    ASSERT_NE(box, nullptr) << describeChildren(copy);
    EXPECT_EQ(text(box), "sky.bmp");
    // The picture being fitted (typed without the ".bmp" the copy gets) is
    // refused; a copy that is there already is replaced only when the user says so.
    const std::string kept = backups() + "\\copy1.bmp";
    ASSERT_TRUE(writeFileBytes(kept, "earlier copy"));
    std::vector<std::string> said;
    for (const std::string& name : {picture("sky"), backups() + "\\copy1"}) {
        if (!said.empty()) copy = waitForWindow(seamster_.id(), copyRequesterTitle);
        ASSERT_NE(copy, nullptr) << "the requester did not come back";
        settle(copy, 500);
        ASSERT_TRUE(setText(fileNameBox(copy), name));
        click(control(copy, IDOK));
        ASSERT_TRUE(waitUntilGone(copy)) << "the copy requester stays open";
        HWND message = waitForMessageBox(seamster_.id());
        ASSERT_NE(message, nullptr) << "nothing said of " << name;
        said.push_back(messageBoxText(message));
        snap(message, said.size() == 1 ? "copy-over-picture" : "replace-copy-question");
        pressMessageBoxButton(message, said.size() == 1 ? IDOK : IDYES);
    }
    EXPECT_EQ(said, (std::vector<std::string>{
                        "The copy cannot be saved over sky.bmp, the picture it is made from.\n"
                        "Please choose another name.",
                        "copy1.bmp already exists.\nDo you want to replace it?"}));
    EXPECT_EQ(readFileBytes(picture("sky.bmp")), pngBytes(300, 200, smallPicture));
    EXPECT_TRUE(waitUntil([&] {
        auto copied = readFileBytes(kept);
        return copied && copied->size() == size800x600;
    })) << kept;
    EXPECT_EQ(readFileBytes(kept), bytes) << "the copy is the fitted background";
    EXPECT_FALSE(fileExists(backups() + "\\copy1")) << "the extension is added";
    expectMainBack();
    EXPECT_TRUE(noMessageBox());
}

TEST_F(Background, ChosenColourFillsALargeBackgroundWhateverTheBodyShopSize) {
    ASSERT_NO_FATAL_FAILURE(start());
    // The smaller Body Shop size is chosen; the colour still fills 1024 x 768.
    click(control(main_, size800Gadget));
    settle(main_, 500);
    ASSERT_TRUE(isChecked(control(main_, size800Gadget)));

    const auto before = readFileBytes(background());
    click(control(main_, backgroundColourGadget));
    HWND colours = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        return (colours = findColourRequester(seamster_.id())) != nullptr;
    })) << "no colour requester";
    settle(colours, 500);
    EXPECT_FALSE(isEnabled(main_));
    const Colour chosen{40, 160, 90};
    ASSERT_NO_FATAL_FAILURE(typeColourValue(colours, redBox, chosen.r));
    ASSERT_NO_FATAL_FAILURE(typeColourValue(colours, greenBox, chosen.g));
    ASSERT_NO_FATAL_FAILURE(typeColourValue(colours, blueBox, chosen.b));
    settle(colours, 300);
    snap(colours, "colour-requester");
    click(control(colours, IDOK));
    ASSERT_TRUE(waitUntilGone(colours)) << "the colour requester stays open";

    const auto bytes = waitForBackground(size1024x768, before);
    ASSERT_TRUE(bytes.has_value());
    const Bitmap saved(*bytes);
    ASSERT_NO_FATAL_FAILURE(saved.expectHeader(1024, 768));
    int wrong = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x) wrong += saved.pixel(x, y) == chosen ? 0 : 1;
    EXPECT_EQ(wrong, 0) << "pixels not of the chosen colour, such as " << saved.pixel(0, 0);

    expectMainBack();
    EXPECT_GT(thumbnailPixels(RGB(chosen.r, chosen.g, chosen.b)), 20000);
    snap(main_, "main-window-colour-thumbnail");

    // The tool-bar button opens the same requester; cancelling it keeps the file.
    pressToolBarButton(toolBar(), newColourButton);
    ASSERT_TRUE(waitUntil([&] {
        return (colours = findColourRequester(seamster_.id())) != nullptr;
    })) << "no colour requester from the tool bar";
    settle(colours, 300);
    click(control(colours, IDCANCEL));
    ASSERT_TRUE(waitUntilGone(colours));
    expectMainBack();
    EXPECT_EQ(readFileBytes(background()), bytes);
}

TEST_F(Background, BrokenPictureShowsThePlaceholderAndSavesNothing) {
    ASSERT_NO_FATAL_FAILURE(start());
    HWND requester = openRequester(false);
    ASSERT_NE(requester, nullptr);
    // A sound picture first, so the placeholder visibly replaces it.
    ASSERT_NO_FATAL_FAILURE(selectInList(requester, "sky.png"));
    EXPECT_TRUE(waitUntil([&] { return text(control(requester, panelSize)) == "300 X 200"; }));
    ASSERT_NO_FATAL_FAILURE(selectInList(requester, "broken.png"));
    EXPECT_TRUE(waitUntil([&] { return text(control(requester, panelSize)).empty(); }))
        << "the size still reads \"" << text(control(requester, panelSize)) << "\"";
    EXPECT_EQ(text(control(requester, panelTitle)), "");
    // Black with two red diagonals, at the full 200 x 200.
    const Rect placeholder = windowRect(control(requester, panelPicture));
    EXPECT_EQ(placeholder.width, 200);
    EXPECT_EQ(placeholder.height, 200);
    EXPECT_GE(countScreenPixels(placeholder, RGB(255, 0, 0)), 300);
    EXPECT_GE(countScreenPixels(placeholder, RGB(0, 0, 0)), 30000);
    snap(requester, "placeholder");

    ASSERT_NO_FATAL_FAILURE(confirmPath(requester, picture("broken.png")));
    expectMainBack();
    EXPECT_EQ(findWindow(seamster_.id(), previewTitle), nullptr);
    EXPECT_TRUE(noMessageBox()) << messageBoxText(findMessageBox(seamster_.id()));
    EXPECT_EQ(readFileBytes(background()), original_);

    quitWithQuestion(seamster_, main_);
    main_ = nullptr;
    // Remembered all the same, so the requester reopens there.
    EXPECT_NE(readSettings().find("\r\nLast Image = " + picture("broken.png") + "\r\n"),
              std::string::npos);
}

TEST_F(Background, LargePhotoIsPreviewedInTheRequester) {
    ASSERT_TRUE(writeFileBytes(picture("photo.jpg"), largePhotoBytes()));
    ASSERT_NO_FATAL_FAILURE(start());
    HWND requester = openRequester(false);
    ASSERT_NE(requester, nullptr);
    ASSERT_NO_FATAL_FAILURE(selectInList(requester, "photo.jpg"));
    EXPECT_TRUE(waitUntil([&] { return text(control(requester, panelSize)) == "6000 X 4000"; }))
        << "the size reads \"" << text(control(requester, panelSize)) << "\"";
    EXPECT_EQ(text(control(requester, panelTitle)), "photo.jpg");
    // 200 x 133, the bands side by side, each 50 wide, darker in the bottom third.
    const Rect thumbnail = windowRect(control(requester, panelPicture));
    EXPECT_EQ(thumbnail.width, 200);
    EXPECT_EQ(thumbnail.height, 133);
    const Colour bands[] = {red, green, blue, white};
    for (int band = 0; band < 4; ++band) {
        const Colour top = bands[band], bottom = darker(top);
        const Rect upper{thumbnail.x + band * 50 + 5, thumbnail.y + 5, 40, 75};
        const Rect lower{thumbnail.x + band * 50 + 5, thumbnail.y + 95, 40, 33};
        EXPECT_GE(countScreenPixels(upper, RGB(top.r, top.g, top.b), 8), 40 * 75 * 9 / 10) << top;
        EXPECT_GE(countScreenPixels(lower, RGB(bottom.r, bottom.g, bottom.b), 8), 40 * 33 * 9 / 10)
            << bottom;
    }
    snap(requester, "large-photo");

    click(control(requester, IDCANCEL));
    ASSERT_TRUE(waitUntilGone(requester));
    expectMainBack();
    EXPECT_EQ(readFileBytes(background()), original_);
}

TEST_F(Background, APictureAtAPathInAnyScriptIsReadAndRemembered) {
    // "Zoë ユーザー\Платье ドレス.png": more than any one code page holds.
    const std::string folder = "Zo\xC3\xAB \xE3\x83\xA6\xE3\x83\xBC\xE3\x82\xB6\xE3\x83\xBC";
    const std::string file =
        "\xD0\x9F\xD0\xBB\xD0\xB0\xD1\x82\xD1\x8C\xD0\xB5 "
        "\xE3\x83\x89\xE3\x83\xAC\xE3\x82\xB9.png";
    ASSERT_TRUE(makeFolders(picture(folder)));
    ASSERT_TRUE(writeFileBytes(picture(folder + "\\" + file), pngBytes(300, 200, smallPicture)));
    ASSERT_NO_FATAL_FAILURE(start());
    HWND preview = previewOf(folder + "\\" + file);
    ASSERT_NE(preview, nullptr);
    click(control(preview, okButton));
    ASSERT_TRUE(waitUntilGone(preview)) << "OK did not close the preview";
    const auto bytes = waitForBackground(size1024x768);
    ASSERT_TRUE(bytes && bytes->size() == size1024x768) << "the picture was not read and saved";
    expectMainBack();
    EXPECT_TRUE(noMessageBox());
    quitWithQuestion(seamster_, main_);
    main_ = nullptr;

    // Kept as UTF-8, and read back as the same path after a restart: the
    // requester opens on that picture.
    const std::string settings = readSettings();
    EXPECT_NE(settings.find("\r\nLast Image = " + picture(folder + "\\" + file) + "\r\n"),
              std::string::npos)
        << settings;
    seamster_ = startSeamster();
    main_ = waitForMainWindow(seamster_);
    ASSERT_NE(main_, nullptr);
    HWND requester = openRequester();
    ASSERT_NE(requester, nullptr);
    EXPECT_TRUE(waitUntil([&] { return text(control(requester, panelTitle)) == file; }))
        << "the panel shows \"" << text(control(requester, panelTitle)) << "\"";
    EXPECT_EQ(text(control(requester, panelSize)), "300 X 200");
    click(control(requester, IDCANCEL));
    ASSERT_TRUE(waitUntilGone(requester));
    expectMainBack();
}

TEST_F(Background, CancellingTheRequesterOrItsCloseBoxSavesNothing) {
    ASSERT_NO_FATAL_FAILURE(start());
    HWND requester = openRequester();
    ASSERT_NE(requester, nullptr);
    click(control(requester, IDCANCEL));
    ASSERT_TRUE(waitUntilGone(requester)) << "Cancel did not close the requester";
    expectMainBack();

    requester = openRequester(false);
    ASSERT_NE(requester, nullptr);
    closeWindow(requester);
    ASSERT_TRUE(waitUntilGone(requester)) << "the close box did not close the requester";
    expectMainBack();

    EXPECT_EQ(findWindow(seamster_.id(), previewTitle), nullptr);
    EXPECT_TRUE(noMessageBox());
    EXPECT_EQ(readFileBytes(background()), original_);
    quitWithQuestion(seamster_, main_);
    main_ = nullptr;
    // Nothing new was chosen.
    EXPECT_NE(readSettings().find("\r\nLast Image = " + picture("sky.png") + "\r\n"),
              std::string::npos);
}

TEST_F(Background, CancellingThePreviewOrItsCloseBoxSavesNothingAndKeepsNoCopy) {
    ASSERT_NO_FATAL_FAILURE(start());
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Cancel");
        HWND preview = previewOf("sky.png");
        ASSERT_NE(preview, nullptr);
        choose(preview, stretchImage);
        click(control(preview, saveToFolder));
        settle(preview);
        if (closeBox)
            closeWindow(preview);
        else
            click(control(preview, cancelButton));
        ASSERT_TRUE(waitUntilGone(preview));
        expectMainBack();
        EXPECT_EQ(findWindow(seamster_.id(), copyRequesterTitle), nullptr);
        EXPECT_TRUE(noMessageBox());
        EXPECT_EQ(readFileBytes(background()), original_);
        EXPECT_FALSE(fileExists(backups()));
    }
}

TEST_F(Background, ABackgroundThatCannotBeReplacedIsReportedAndKept) {
    const std::vector<std::string> folderBefore = gameFolderNames();
    ASSERT_TRUE(SetFileAttributesW(widen(background()).c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_NO_FATAL_FAILURE(start());
    Process holder;
    // Read-only first; then writable again but held open by the game.
    for (const std::string why : {"read-only", "held"}) {
        SCOPED_TRACE(why);
        if (why == "held") {
            ASSERT_TRUE(SetFileAttributesW(widen(background()).c_str(), FILE_ATTRIBUTE_NORMAL));
            holder = holdOpen({background()});
            ASSERT_TRUE(holder.started());
        }
        HWND preview = previewOf("wide.png");
        ASSERT_NE(preview, nullptr);
        click(control(preview, okButton));
        HWND box = waitForMessageBox(seamster_.id());
        ASSERT_NE(box, nullptr) << "no message about the failed save";
        settle(box);
        snap(box, "save-failed-" + why);
        EXPECT_EQ(text(box), "Seamster");
        EXPECT_EQ(messageBoxText(box), "Couldn't Save New Background Image!");
        ASSERT_TRUE(pressMessageBoxButton(box, IDOK));
        ASSERT_TRUE(waitUntilGone(box));
        expectMainBack();
        holder.terminate();
        EXPECT_EQ(readFileBytes(background()), original_);
        EXPECT_EQ(gameFolderNames(), folderBefore) << "a temporary file was left";
    }
}

}  // namespace
}  // namespace seamster::e2e

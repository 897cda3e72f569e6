// Seamster on screens set to 125, 150 and 200 %: every window's gadgets sit
// at their 96-DPI places scaled, and no caption is cut. The 96-DPI places
// are the ones the same build shows at 96 DPI: the scenario at 96 records
// them and runs first (scripts/e2e.sh sets each suite's DPI).

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

#include "GameContent.h"
#include "ui/Dpi.h"

namespace seamster::e2e {
namespace {

const std::string setUpTitle = "Seamster Set Up";
const std::string removeTitle = "Seamster   --    Remove Projects";
const std::string findTitle = " Seamster - Find Package Options";
const std::string renameTitle = " Seamster  --  Rename Bodyshop Packages in SavedSims";
const std::string requesterTitle = " Select New Background Image";
const std::string previewTitle = "Seamster v 0.36 \xC3\x9F  Image Preview";

// A gadget as measured: which window, which control, where.
struct Measured {
    std::string window;
    int id = 0;
    std::string kind;  // window class
    Rect rect;
};

std::string recordPath() {
    const char* folder = std::getenv("SEAMSTER_E2E_RECORDS");
    return folder && *folder ? std::string(folder) + "\\layout-96dpi.txt" : std::string();
}

int screenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The text a control shows, as measured in the driver with the font the
// control uses (same face, height and weight; the handle itself belongs to
// Seamster).
struct TextFit {
    int textWidth = 0, textHeight = 0;
    bool fits = true;
};

TextFit measureText(HWND control, int dpi) {
    TextFit fit;
    const std::wstring caption = widen(text(control));
    if (caption.empty()) return fit;
    LOGFONTW font = {};
    auto handle = reinterpret_cast<HFONT>(sendWithTimeout(control, WM_GETFONT, 0, 0));
    if (!handle || GetObjectW(handle, sizeof(font), &font) != sizeof(font)) {
        // The default gadget font: Tahoma, 8 points, bold.
        font = {};
        font.lfHeight = ui::fontHeight(8, dpi);
        font.lfWeight = FW_BOLD;
        lstrcpyW(font.lfFaceName, L"Tahoma");
    }
    HFONT made = CreateFontIndirectW(&font);
    HDC dc = GetDC(nullptr);
    HGDIOBJ before = SelectObject(dc, made);
    const Rect client = clientRect(control);
    const LONG_PTR controlStyle = style(control);
    const std::string kind = className(control);
    if (kind == "Static") {
        // Labels wrap at words: the wrapped text must fit the height.
        RECT box = {0, 0, client.width, 0};
        DrawTextW(dc, caption.c_str(), -1, &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        fit.textWidth = box.right;
        fit.textHeight = box.bottom;
        fit.fits = box.right <= client.width && box.bottom <= client.height;
    } else {
        SIZE size = {};
        GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &size);
        fit.textWidth = size.cx;
        fit.textHeight = size.cy;
        const LONG_PTR type = controlStyle & BS_TYPEMASK;
        // Room beside the box of an option or check box, or inside a push
        // button's edges.
        const bool boxed = type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON ||
                           type == BS_AUTOCHECKBOX || type == BS_CHECKBOX;
        const int room = boxed ? client.width - GetSystemMetrics(SM_CXMENUCHECK) - 4
                               : client.width - 2 * GetSystemMetrics(SM_CXEDGE);
        fit.fits = size.cx <= room && size.cy <= client.height;
    }
    SelectObject(dc, before);
    ReleaseDC(nullptr, dc);
    DeleteObject(made);
    return fit;
}

bool carriesText(HWND control) {
    const std::string kind = className(control);
    const LONG_PTR type = style(control);
    if (kind == "Button") return (type & BS_TYPEMASK) != BS_GROUPBOX;
    if (kind == "Static") {
        const LONG_PTR what = type & SS_TYPEMASK;
        return what == SS_LEFT || what == SS_CENTER || what == SS_RIGHT;
    }
    return false;
}

class DisplayScaleScenario : public ContentScenario {
protected:
    virtual int dpi() const = 0;

    // Every numbered child of the window: its place, and that its text fits.
    void measure(const std::string& label, HWND window) {
        ASSERT_NE(window, nullptr) << label;
        settle(window, 400);
        Rect client = clientRect(window);
        // The rename window is as high as its gadgets plus its status bar,
        // whose height follows its font rather than the layout.
        if (label == "rename")
            if (HWND bar = childOfClass(window, "msctls_statusbar32"))
                client.height -= windowRect(bar).height;
        seen_.push_back({label, -1, "client", client});
        for (HWND child = GetWindow(window, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(child);
            const std::string kind = className(child);
            if (kind == "ToolbarWindow32") {
                seen_.push_back({label, -2, kind, clientRect(child)});
                continue;
            }
            if (kind == "msctls_statusbar32") {
                const std::vector<int> edges = statusBarPartEdges(child);
                for (size_t i = 0; i < edges.size(); ++i)
                    seen_.push_back({label, -100 - int(i), "field", {edges[i], 0, 0, 0}});
                continue;
            }
            if (id <= 0 || !isVisible(child)) continue;
            Rect place = rectInParent(child);
            // A drop-down's closed height comes from its font, not from the layout.
            if (kind == "ComboBox") place.height = 0;
            seen_.push_back({label, id, kind, place});
            if (carriesText(child)) {
                const TextFit fit = measureText(child, dpi());
                EXPECT_TRUE(fit.fits)
                    << label << " gadget " << id << " \"" << text(child) << "\" needs "
                    << fit.textWidth << " x " << fit.textHeight << " in " << clientRect(child);
            }
        }
    }

    void snapAtScale(HWND window, const std::string& what) {
        if (dpi() == 144) snap(window, what + "-150-percent");
    }

    HWND openAndMeasure(int button, const std::string& title, const std::string& label) {
        HWND window = openFromToolBar(button, title);
        measure(label, window);
        return window;
    }

    // Opens each window of the program in turn and measures it.
    void measureEveryWindow() {
        ASSERT_EQ(screenDpi(), dpi()) << "the screen is not set to this DPI";
        ASSERT_NE(startAtMainWindow(settingsForPack("The Sims 2")), nullptr);
        measure("main", main_);
        snapAtScale(main_, "main-window");

        for (auto [button, title, label, ok] :
             {std::tuple{mainButton::hideGameFolders, &hideFoldersTitle, "hide", 200},
              {mainButton::extras, &extrasTitle, "extras", 50},
              {mainButton::options, &optionsTitle, "options", 200},
              {mainButton::about, &aboutTitle, "about", 200}}) {
            HWND window = openAndMeasure(button, *title, label);
            if (!window) return;
            if (std::string(label) == "extras") snapAtScale(window, "extras");
            pressOk(window, ok);
        }

        HWND remove = openAndMeasure(5, removeTitle, "remove");
        if (!remove) return;
        pressOk(remove, 5);

        pressToolBarButton(toolBar(), 9);
        HWND find = waitForWindow(seamster_.id(), findTitle);
        measure("find", find);
        click(control(find, 559));
        HWND rename = waitForWindow(seamster_.id(), renameTitle);
        measure("rename", rename);
        snapAtScale(rename, "rename-window");
        click(control(rename, 504));  // Done: back to the search, then Cancel
        ASSERT_TRUE(waitUntil([&] { return isVisible(find); }));
        settle(find);
        click(control(find, 560));
        ASSERT_TRUE(waitUntilGone(rename));
        ASSERT_TRUE(waitUntil([&] { return isEnabled(main_); }));
        // A command pressed while the window is still settling may be dropped.
        settle(main_, 500);

        pressToolBarButton(toolBar(), 4);
        HWND requester = waitForWindow(seamster_.id(), requesterTitle);
        ASSERT_NE(requester, nullptr);
        settle(requester, 700);
        for (int id : {900, 901, 903}) {
            HWND part = control(requester, id);
            ASSERT_NE(part, nullptr) << "panel gadget " << id;
            seen_.push_back({"requester", id, "Static", rectInParent(part)});
        }
        HWND box = control(requester, 0x47C);
        if (box && className(box) != "Edit") box = descendantOfClass(box, "Edit");
        if (!box) box = control(requester, 0x480);
        ASSERT_NE(box, nullptr) << "no file-name box";
        ASSERT_TRUE(setText(box, gameFolder() + "\\userbkg.bmp"));
        click(control(requester, IDOK));
        HWND preview = waitForWindow(seamster_.id(), previewTitle);
        measure("preview", preview);
        snapAtScale(preview, "image-preview");
        click(control(preview, 106));  // Cancel
        ASSERT_TRUE(waitUntilGone(preview));
        ASSERT_TRUE(waitUntil([&] { return isEnabled(main_); }));
        // A command pressed while the window is still settling may be dropped.
        settle(main_, 500);

        pressToolBarButton(toolBar(), 0);
        HWND setUp = waitForWindow(seamster_.id(), setUpTitle);
        measure("setup", setUp);
        click(control(setUp, 5));
        ASSERT_TRUE(waitUntilGone(setUp));
        ASSERT_TRUE(waitUntil([&] { return isEnabled(main_); }));
        // A command pressed while the window is still settling may be dropped.
        settle(main_, 500);
        quitWithQuestion(seamster_, main_);
    }

    int mainClientWidth() const {
        for (const Measured& m : seen_)
            if (m.window == "main" && m.id == -1) return m.rect.width;
        return 0;
    }

    std::vector<Measured> seen_;
};

std::string key(const Measured& m) { return m.window + " " + std::to_string(m.id); }

class DisplayScaleAt96 : public DisplayScaleScenario {
    int dpi() const override { return 96; }
};

TEST_F(DisplayScaleAt96, RecordsEveryWindowsLayout) {
    ASSERT_FALSE(recordPath().empty()) << "SEAMSTER_E2E_RECORDS is not set";
    deleteFile(recordPath());  // never compare with another build's record
    measureEveryWindow();
    // Only a complete record is written.
    if (HasFailure()) return;
    ASSERT_FALSE(recordPath().empty()) << "SEAMSTER_E2E_RECORDS is not set";
    std::ofstream out(hostPath(recordPath()));
    for (const Measured& m : seen_)
        out << m.window << ' ' << m.id << ' ' << m.kind << ' ' << m.rect.x << ' ' << m.rect.y << ' '
            << m.rect.width << ' ' << m.rect.height << '\n';
    ASSERT_TRUE(out.good()) << recordPath();
}

class ScaledDisplay : public DisplayScaleScenario {
protected:
    Rect expectedScreen() const override { return {0, 0, 2048, 1536}; }

    void compareWithRecord() {
        measureEveryWindow();
        std::ifstream in(hostPath(recordPath()));
        ASSERT_TRUE(in.good()) << "no 96-DPI record; run DisplayScaleAt96 first";
        std::map<std::string, Measured> at96;
        for (std::string line; std::getline(in, line);) {
            std::istringstream fields(line);
            Measured m;
            fields >> m.window >> m.id >> m.kind >> m.rect.x >> m.rect.y >> m.rect.width >>
                m.rect.height;
            at96[key(m)] = m;
        }
        ASSERT_FALSE(at96.empty());
        size_t compared = 0;
        for (const Measured& now : seen_) {
            auto found = at96.find(key(now));
            if (found == at96.end()) {
                ADD_FAILURE() << key(now) << " is not shown at 96 DPI";
                continue;
            }
            const Rect& was = found->second.rect;
            Rect want{ui::scaled(was.x, dpi()), ui::scaled(was.y, dpi()),
                      ui::scaled(was.width, dpi()), ui::scaled(was.height, dpi())};
            // The main window's four fields each take a quarter of its client width.
            if (now.kind == "field" && now.window == "main")
                want.x = (-99 - now.id) * ui::equalFieldWidth(mainClientWidth(), 4);
            ++compared;
            // The link is as wide as its words in its font, which does not
            // grow in exact proportion; its words must fit, as every text's.
            if (now.window == "about" && now.id == 208) continue;
            const Rect& got = now.rect;
            // The requester's own controls are laid out by the system in
            // units of its font; the panel keeps its margin from them, and
            // its usual place (417 scaled) when they end further left.
            if (now.window == "requester") {
                EXPECT_GE(got.x, ui::scaled(417, dpi())) << key(now);
                want.x = got.x;
            }
            const bool within = std::abs(got.x - want.x) <= 1 && std::abs(got.y - want.y) <= 1 &&
                                std::abs(got.width - want.width) <= 1 &&
                                std::abs(got.height - want.height) <= 1;
            EXPECT_TRUE(within) << key(now) << " (" << now.kind << "): " << got << ", at 96 " << was
                                << ", scaled " << want;
        }
        EXPECT_EQ(compared, at96.size()) << "some gadgets shown at 96 DPI are missing";
    }
};

class DisplayScaleAt120 : public ScaledDisplay {
    int dpi() const override { return 120; }
};
class DisplayScaleAt144 : public ScaledDisplay {
    int dpi() const override { return 144; }
};
class DisplayScaleAt192 : public ScaledDisplay {
    int dpi() const override { return 192; }
};

TEST_F(DisplayScaleAt120, EveryWindowIsTheLayoutScaled) { compareWithRecord(); }
TEST_F(DisplayScaleAt144, EveryWindowIsTheLayoutScaled) { compareWithRecord(); }
TEST_F(DisplayScaleAt192, EveryWindowIsTheLayoutScaled) { compareWithRecord(); }

}  // namespace
}  // namespace seamster::e2e

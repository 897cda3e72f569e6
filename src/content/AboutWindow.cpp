// The About window: name, version, release date, and a link to the page
// where the latest version is published.

#include "res/Pictures.h"
#include "config/Editions.h"
#include "content/ContentWindows.h"
#include "core/Settings.h"
#include "res/ResourceIds.h"
#include "ui/Dpi.h"
#include "ui/Link.h"
#include "ui/ModalLoop.h"
#include "ui/TransparentText.h"

namespace seamster {

namespace {
enum : int {
    ok = 200,
    banner = 209,
    art = 210,
    name = 201,
    version = 202,
    released = 203,
    author = 204,
    blank = 205,
    latest = 206,
    site = 207,
    link = 208
};

std::vector<Gadget> aboutGadgets(const std::string& versionLine, const std::string& gameLine) {
    using K = GadgetKind;
    return {
        {ok, K::button, 3, 180, 400, 22, "OK", "", KeyRole::enter},
        {banner, K::picture, 8, 0, 50, 178, "", ""},
        {art, K::picture, 280, 1, 122, 176, "", ""},
        {name, K::centredText, 65, 5, 260, 25, "Seamster", ""},
        {version, K::centredText, 120, 35, 150, 20, versionLine, ""},
        {released, K::centredText, 110, 60, 180, 20, std::string("Released ") + releaseDate, ""},
        {author, K::centredText, 110, 78, 180, 20, SEAMSTER_AUTHOR, ""},
        {blank, K::centredText, 65, 96, 260, 20, gameLine, ""},
        {latest, K::centredText, 65, 118, 260, 20, "The latest version of Seamster", ""},
        {site, K::centredText, 65, 136, 260, 20, SEAMSTER_SITE, ""},
        {link, K::centredText, 128, 154, 100, 20, "Check for latest version", ""},
    };
}

// The centre line of the texts between the two pictures.
constexpr int textCentre = 195;

// Font of each text gadget.
constexpr std::pair<int, int> aboutFonts[] = {
    {ok, ui::font::arial10},       {name, ui::font::arial18},   {version, ui::font::arial14},
    {released, ui::font::arial10}, {author, ui::font::arial10}, {blank, ui::font::arial10},
    {latest, ui::font::arial10},   {site, ui::font::arial10},   {link, ui::font::linkArial10},
};

}  // namespace

void runAboutWindow(ContentWindowContext& context) {
    ui::Toolkit& toolkit = context.toolkit;
    // The two tall pictures are icons of their own shape, loaded at their
    // size; first, so that they outlive the gadgets that show them.
    const int dpi = toolkit.dpi();
    IconHandle bannerIcon =
        toolkit.loadIcon(picture::aboutBanner, ui::scaled(50, dpi), ui::scaled(178, dpi));
    IconHandle artIcon =
        toolkit.loadIcon(picture::aboutArt, ui::scaled(122, dpi), ui::scaled(176, dpi));
    ui::ModalWindow modal(
        toolkit, ui::modalWindowArgs("    About Seamster", 406, 204, context.owner, "about.htm"));
    if (!modal.valid()) return;
    ui::Window& window = modal.window();
    // The version text is kept as the settings file's 8-bit bytes.
    // The otherwise blank line names the game found, unless it is the discs
    // with their own user folder.
    window.addGadgets(aboutGadgets(context.app.platform.codec.fromFileBytes(versionText),
                                   editionLine(context.app.edition, context.app.paths)));
    if (!window.button(ok).valid()) return;
    for (const auto& [gadget, font] : aboutFonts)
        window.control(gadget).setFont(toolkit.font(font));
    window.picture(banner).showIcon(bannerIcon.get());
    window.picture(art).showIcon(artIcon.get());
    ui::makeLink(window, link, rgbColour(0, 0, 255));
    // The link, as wide as its words, sits centred under the texts above it.
    ui::fitToText(window, link, textCentre);
    // The texts reach into the tall picture on the right; only their
    // letters may cover it.
    ui::drawTextsTransparent(window, {name, version, released, author, blank, latest, site, link});

    // The link opens the download page each time and leaves the window open;
    // a browser that cannot be started is not reported.
    modal.open(ok);
    modal.runUntil(ok, [&](int gadget) {
        if (gadget == link) context.app.platform.shell.open(SEAMSTER_DOWNLOAD_URL, "");
    });
}

}  // namespace seamster

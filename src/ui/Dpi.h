#pragma once
// Display scaling. Every layout is written at 96 dots per inch; a window
// shows it at its own DPI by these rules, so 96 DPI leaves every number as
// written. Plain C++ (no <windows.h>), so the rules are checked natively.

#include <array>
#include <cstdint>

namespace seamster::ui {

inline constexpr int layoutDpi = 96;

// v * numerator / denominator rounded to the nearest whole number, halves
// away from zero: what the system's MulDiv gives, so sizes match its own.
constexpr int mulDiv(int v, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const int64_t product = int64_t(v) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const int64_t top = product < 0 ? -product : product;
    const int64_t bottom = denominator < 0 ? -int64_t(denominator) : denominator;
    const int64_t result = (top + bottom / 2) / bottom;
    return int(negative ? -result : result);
}

// A layout value (position or size) at `dpi`.
constexpr int scaled(int v, int dpi) { return dpi == layoutDpi ? v : mulDiv(v, dpi, layoutDpi); }
// A screen value at `dpi` back in layout units.
constexpr int unscaled(int v, int dpi) {
    return dpi == layoutDpi || dpi <= 0 ? v : mulDiv(v, layoutDpi, dpi);
}

struct LayoutRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};
// Corner and size scale each on their own, as a control created from them.
constexpr LayoutRect scaled(const LayoutRect& r, int dpi) {
    return {scaled(r.x, dpi), scaled(r.y, dpi), scaled(r.width, dpi), scaled(r.height, dpi)};
}

// A font's cell height for its point size (negative: the character height,
// as the font mapper takes it). Points stay points at every scale.
constexpr int fontHeight(int points, int dpi) { return -mulDiv(points, dpi, 72); }

// Status-bar fields of equal width share the client width the window has at
// its DPI, so they keep ending where they did at 96 (short by the rest of
// the division).
constexpr int equalFieldWidth(int scaledClientWidth, int fieldCount) {
    return fieldCount > 0 ? scaledClientWidth / fieldCount : scaledClientWidth;
}

// The requester's preview panel sits at x 417 (scaled) unless the
// requester's own controls reach further right; then it keeps a margin of
// 6 (scaled) from them.
constexpr int previewPanelLeft(int rightmostControl, int dpi) {
    const int usual = scaled(417, dpi);
    const int afterControls = rightmostControl + scaled(6, dpi);
    return afterControls > usual ? afterControls : usual;
}

// Pictures are drawn at 100, 125, 150 and 200 %; a window uses the drawing
// nearest its own scale (ties go to the larger, which shrinks more cleanly).
inline constexpr std::array<int, 4> pictureScales = {100, 125, 150, 200};
constexpr int pictureScale(int dpi) {
    const int wanted = mulDiv(dpi, 100, layoutDpi);
    int best = pictureScales[0];
    for (int scale : pictureScales) {
        const int distance = scale > wanted ? scale - wanted : wanted - scale;
        const int bestDistance = best > wanted ? best - wanted : wanted - best;
        if (distance <= bestDistance) best = scale;
    }
    return best;
}
// The side of a picture drawn `layoutSize` pixels wide at 100 %, at `dpi`.
constexpr int pictureSize(int layoutSize, int dpi) { return layoutSize * pictureScale(dpi) / 100; }

}  // namespace seamster::ui

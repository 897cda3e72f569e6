#pragma once
// What the background windows ask of the main window they open over. The
// main window implements it.

#include "core/Settings.h"

namespace seamster {

class BackgroundView {
public:
    virtual ~BackgroundView() = default;
    // The Body Shop size chosen there: 800 x 600 when true, else 1024 x 768.
    virtual bool smallBodyShopChosen() = 0;
    // Its outer top-left corner.
    virtual Point position() = 0;
    // Draws the current background's thumbnail there again.
    virtual void refreshBackgroundThumbnail() = 0;
};

}  // namespace seamster

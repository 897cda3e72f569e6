#pragma once
// Replacement packages of the Config folder: background, mannequin skin and
// invisible underwear, switched on and off by renaming.

#include <string>

#include "app/App.h"
#include "app/MainView.h"

namespace seamster {

inline constexpr char femaleUndies[] = "wind_female_inisibleundies";
inline constexpr char maleUndies[] = "wind_male_inisibleundies";

// Puts the default underwear back after a run; returns the summary line.
std::string restoreUnderwear(App& app, MainView& view);

}  // namespace seamster

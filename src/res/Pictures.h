#pragma once
// The built-in pictures by number; picture n is stored as resource 1000 + n.

namespace seamster {

namespace picture {
inline constexpr int blankThumbnail = 0, bodyShopRunning = 6, bodyShopIdle = 7, help = 11,
                     backgroundColor = 12, backgroundImage = 13, cleanUp = 14, folders = 15,
                     extras = 16, aboutSmall = 17, options = 18, setUp = 19, changed = 20,
                     folder = 21, femaleUndies = 22, maleUndies = 23, aboutArt = 24,
                     aboutBanner = 25, about = 26, rename = 27;
}

}  // namespace seamster

// The geometry of the windows' designs: lengths in twips, 15 to a pixel.
#pragma once

namespace meter {

inline constexpr int twipsPerPixel = 15;

// Twips to whole pixels, cut off as the form engine does: 1935 twips are 129 px.
constexpr int px(int twips) { return twips / twipsPerPixel; }

// A rectangle of a window's design, in twips.
struct DesignRect {
    int left = 0, top = 0, width = 0, height = 0;
};

} // namespace meter

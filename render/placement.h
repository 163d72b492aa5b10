// Where the 544 x 586 game image sits when it is shown in a rectangle: scaled
// uniformly to the largest size that fits and centred. present, clientToBoard
// and the board browser's preview all use this one function, so a click
// always lands where the picture is.
#pragma once

namespace corvale {

inline constexpr int gameImageWidth = 544;
inline constexpr int gameImageHeight = 586;
inline constexpr int headerHeight = 42;

struct Placement {
    int x = 0;      // offset from the rectangle's left edge
    int y = 0;      // offset from its top edge
    int width = 0;  // scaled picture; may be 0 for a tiny rectangle
    int height = 0;

    friend bool operator==(const Placement&, const Placement&) = default;
};

// width and height below 1 count as 0 and give an empty placement.
Placement placeGameImage(int width, int height);

}  // namespace corvale

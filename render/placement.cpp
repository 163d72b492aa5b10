#include "placement.h"

#include <algorithm>
#include <cmath>

namespace corvale {

Placement placeGameImage(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    // floor(586 * (H / 586)) may come out at H - 1 in doubles; callers must
    // not assume an exact fit, so the formula is kept as it is.
    const double scale =
        std::min(static_cast<double>(width) / gameImageWidth, static_cast<double>(height) / gameImageHeight);
    Placement p;
    p.width = static_cast<int>(std::floor(gameImageWidth * scale));
    p.height = static_cast<int>(std::floor(gameImageHeight * scale));
    p.x = (width - p.width) / 2;
    p.y = (height - p.height) / 2;
    return p;
}

}  // namespace corvale

// Enlarged pictures of the art for people: magenta and transparency become a
// checkerboard, every pixel a crisp square.
#pragma once

#include <vector>

#include "raster.h"

namespace corvale::art {

Image atlasPreview(const Image& atlas, int scale);
// Every icon image side by side, each enlarged by scale.
Image iconPreview(const std::vector<RgbaImage>& images, int scale);

}  // namespace corvale::art

// Paints the whole sprite atlas: every sprite at its rectangle of the sprite
// table, magenta everywhere else.
#pragma once

#include "raster.h"

namespace corvale::art {

Image paintAtlas();

}  // namespace corvale::art

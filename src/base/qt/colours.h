// SPDX-License-Identifier: MIT
// The Qt colour to paint for a colour of the grids or the settings file.
#pragma once

#include "base/colour.h"

#include <QColor>

namespace base {

// The colour to paint for a grid or settings colour. Explicit colours map exactly. The
// four system colours that the program names map to fixed shades, so the grids read the
// same under every desktop theme (black text on white or light grey); any other system
// colour index takes the nearest role of the application's palette.
QColor toQColor(Colour colour);

}  // namespace base

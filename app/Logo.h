// The about box's picture, drawn in code: an 89 x 89, 256-colour diskette
// over a blue gradient.
#pragma once

#include <cstdint>

#include "platform/forms/Controls.h"

forms::Picture MakeLogo();

// The picture's colour (0xRRGGBB) at a point given in its own pixels, 0 to
// 89 across and down: the shapes are drawn there, so that an icon of any
// size can be drawn at its size rather than scaled from the 89 pixels.
std::uint32_t LogoColorAt(double x, double y);

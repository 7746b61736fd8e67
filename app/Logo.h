// The about box's picture, drawn in code: an 89 x 89, 256-colour diskette
// over a blue gradient.
#pragma once

#include "platform/forms/Controls.h"

forms::Picture MakeLogo();

// Text that stays readable whatever the desktop's colours. The forms mix
// colours of their own (white, black, blue, red) with the system's, which a
// dark desktop theme turns dark or light: black on a face turned dark, or
// the theme's light window text on the about box's white, can no longer be
// read. Renderers resolve both colours and draw the text in `readableOn`.
#pragma once

#include "platform/forms/Types.h"

namespace forms {

// The contrast ratio of two RGB colours (1 to 21), by their relative
// luminance as the W3C defines it.
double contrastRatio(Color a, Color b);

// `text` as it is while it keeps 3:1 against `back` (the design's own red on
// a light face has 3.5:1); below that, moved towards white on a dark
// background, or black on a light one, until it has 4.5:1, so a link stays
// blue and a mark stays red. Both are RGB colours, not system ones.
Color readableOn(Color text, Color back);

}  // namespace forms

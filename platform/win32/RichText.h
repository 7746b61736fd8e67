// A rich-edit box showing one plain text in one font: the model's font as
// the character format of the whole text, its alignment as the paragraph
// format of every paragraph, and its background colour.
#pragma once

#include <string>

#include "platform/forms/Types.h"
#include "platform/windows/WinApi.h"

namespace win32 {

struct RichLook {
    forms::Font font;
    COLORREF textColor;
    COLORREF background;
    forms::Alignment alignment;
};

// Replaces the text (UTF-8, CR LF between lines; leading blanks are kept)
// and formats all of it.
void setRichText(HWND box, const std::string& text, const RichLook& look);
// Formats the text already there.
void formatRichText(HWND box, const RichLook& look);

}  // namespace win32

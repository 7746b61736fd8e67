#include "platform/win32/RichText.h"

#include <cstring>

#include "platform/win32/Text.h"

namespace win32 {

namespace {

WORD paragraphAlignment(forms::Alignment a) {
    switch (a) {
    case forms::Alignment::Center: return PFA_CENTER;
    case forms::Alignment::Right: return PFA_RIGHT;
    default: return PFA_LEFT;
    }
}

}  // namespace

void formatRichText(HWND box, const RichLook& look) {
    SendMessageA(box, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(look.background));

    CHARFORMATA cf{};  // the rich edit 1.0 layout, which 2.0 accepts too
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    // Twips: a character height of h pixels at 96 DPI is h * 72 / 96 points.
    cf.yHeight = look.font.height * 15;
    cf.bCharSet = look.font.charset;
    cf.crTextColor = look.textColor;
    if (look.font.style & forms::fsBold) cf.dwEffects |= CFE_BOLD;
    if (look.font.style & forms::fsItalic) cf.dwEffects |= CFE_ITALIC;
    if (look.font.style & forms::fsUnderline) cf.dwEffects |= CFE_UNDERLINE;
    if (look.font.style & forms::fsStrikeOut) cf.dwEffects |= CFE_STRIKEOUT;
    const std::string face = toAnsi(look.font.name);
    std::strncpy(cf.szFaceName, face.c_str(), LF_FACESIZE - 1);
    SendMessageA(box, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));

    // The paragraph format applies to the selected paragraphs: all of them.
    PARAFORMAT pf{};
    pf.cbSize = sizeof pf;
    pf.dwMask = PFM_ALIGNMENT;
    pf.wAlignment = paragraphAlignment(look.alignment);
    SendMessageA(box, EM_SETSEL, 0, -1);
    SendMessageA(box, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&pf));
    SendMessageA(box, EM_SETSEL, 0, 0);
}

void setRichText(HWND box, const std::string& text, const RichLook& look) {
    SetWindowTextA(box, toAnsi(text).c_str());
    formatRichText(box, look);
}

}  // namespace win32

#include "platform/win32/RichText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/windows/Text.h"

namespace win32 {

namespace {

WORD paragraphAlignment(forms::Alignment a) {
    switch (a) {
    case forms::Alignment::Center: return PFA_CENTER;
    case forms::Alignment::Right: return PFA_RIGHT;
    default: return PFA_LEFT;
    }
}

std::uint16_t bigEndian16(const BYTE* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

// How many pixels (at 96 DPI) a line of `font` falls short of the distance
// Windows gives it: the ascent and descent of the font's OS/2 table, added
// and rounded once. Wine rounds them each on its own, which makes a line of
// 15-pixel Times New Roman a pixel shorter; the texts are laid out for
// Windows' distance (the launch instructions fill their box with twelve
// lines of 17 pixels). 0 where the lines already have it, or the font has no
// such table (a raster font).
int missingLineSpace(HWND box, const forms::Font& font) {
    LOGFONTA lf{};
    lf.lfHeight = -(font.height > 0 ? font.height : 11);
    lf.lfCharSet = font.charset;
    const std::string face = toAnsi(font.name);
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HFONT handle = CreateFontIndirectA(&lf);
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, handle);
    constexpr DWORD Os2Table = 0x322F534F;  // "OS/2", as GetFontData reads the tag
    constexpr DWORD WinAscentAt = 74;       // usWinAscent, then usWinDescent
    BYTE ascentDescent[4] = {};
    OUTLINETEXTMETRICA metrics{};
    metrics.otmSize = sizeof metrics;
    int missing = 0;
    if (GetFontData(dc, Os2Table, WinAscentAt, ascentDescent, sizeof ascentDescent) == sizeof ascentDescent &&
        GetOutlineTextMetricsA(dc, sizeof metrics, &metrics) && metrics.otmEMSquare > 0) {
        const int units = bigEndian16(ascentDescent) + bigEndian16(ascentDescent + 2);
        const int em = static_cast<int>(metrics.otmEMSquare);
        const int distance = (units * -lf.lfHeight + em / 2) / em;
        missing = std::max(distance - static_cast<int>(metrics.otmTextMetrics.tmHeight), 0);
    }
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    DeleteObject(handle);
    return missing;
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
    // The texts are written line by line, a paragraph each: what a line
    // lacks goes after its paragraph, in twips (rich edit 2.0 and later; the
    // 1.0 box of Windows 95 refuses the larger format and keeps its lines).
    if (const int missing = missingLineSpace(box, look.font)) {
        PARAFORMAT2 spacing{};
        spacing.cbSize = sizeof spacing;
        spacing.dwMask = PFM_SPACEAFTER;
        spacing.dySpaceAfter = missing * 15;
        SendMessageA(box, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&spacing));
    }
    SendMessageA(box, EM_SETSEL, 0, 0);
}

void setRichText(HWND box, const std::string& text, const RichLook& look) {
    SetWindowTextA(box, toAnsi(text).c_str());
    formatRichText(box, look);
}

}  // namespace win32

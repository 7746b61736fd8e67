#include "platform/win32/Look.h"

#include "platform/win32/Context.h"

#include <cstring>

#include "platform/windows/Text.h"

namespace win32 {

Dpi Dpi::ofScreen() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return Dpi(dpi);
}

COLORREF colorRef(forms::Color color) {
    if (color.isSystem()) return GetSysColor(color.systemIndex());
    return RGB(color.red(), color.green(), color.blue());
}

Brushes::~Brushes() {
    for (auto& [value, brush] : solid_) DeleteObject(brush);
}

HBRUSH Brushes::get(forms::Color color) {
    if (color.isSystem()) return GetSysColorBrush(color.systemIndex());
    auto it = solid_.find(color.value);
    if (it == solid_.end()) it = solid_.emplace(color.value, CreateSolidBrush(colorRef(color))).first;
    return it->second;
}

Fonts::~Fonts() {
    for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT Fonts::get(const forms::Font& font) {
    const Key key{font.name, font.height, font.style, font.charset};
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;

    LOGFONTA lf{};
    // Negative: the character height (em height), not the cell height.
    lf.lfHeight = -dpi_.px(font.height > 0 ? font.height : 11);
    lf.lfWeight = (font.style & forms::fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.style & forms::fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (font.style & forms::fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (font.style & forms::fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = font.charset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    // The family guides the font mapper when the face itself is missing.
    const bool roman = font.name.find("Times") != std::string::npos || font.name.find("Roman") != std::string::npos;
    lf.lfPitchAndFamily = static_cast<BYTE>(VARIABLE_PITCH | (roman ? FF_ROMAN : FF_SWISS));
    const std::string face = toAnsi(font.name);
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);

    HFONT created = CreateFontIndirectA(&lf);
    fonts_.emplace(key, created);
    return created;
}

forms::Size Context::measure(const forms::Font& font, const std::string& caption) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, fonts.get(font));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const forms::Size extent = forms::textExtent(toAnsi(caption), metrics.tmHeight, [dc](const std::string& line) {
        SIZE size{0, 0};
        if (!line.empty()) GetTextExtentPoint32A(dc, line.c_str(), static_cast<int>(line.size()), &size);
        return static_cast<int>(size.cx);
    });
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    const int dots = dpi.dotsPerInch();
    return {MulDiv(extent.width, 96, dots), MulDiv(extent.height, 96, dots)};
}

}  // namespace win32

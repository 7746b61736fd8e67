// The model's sizes, colours and fonts in GDI terms: pixels scaled from the
// 96 DPI the forms were designed at, COLORREFs and brushes for RGB and system
// colours, and one HFONT per distinct model font.
#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/forms/Control.h"
#include "platform/forms/Types.h"
#include "platform/windows/WinApi.h"

namespace win32 {

class Dpi {
public:
    explicit Dpi(int dotsPerInch) : dpi_(dotsPerInch > 0 ? dotsPerInch : 96) {}
    // The screen's setting.
    static Dpi ofScreen();
    int dotsPerInch() const { return dpi_; }
    // A model length (pixels at 96 DPI) on this screen, rounded.
    int px(int modelPixels) const { return MulDiv(modelPixels, dpi_, 96); }

private:
    int dpi_;
};

// An RGB colour as it is; a system colour through GetSysColor.
COLORREF colorRef(forms::Color color);

class Brushes {
public:
    Brushes() = default;
    ~Brushes();
    Brushes(const Brushes&) = delete;
    Brushes& operator=(const Brushes&) = delete;

    // System colours use the system's own brushes, which are never deleted.
    HBRUSH get(forms::Color color);

private:
    std::map<std::uint32_t, HBRUSH> solid_;
};

class Fonts {
public:
    explicit Fonts(const Dpi& dpi) : dpi_(dpi) {}
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    // The colour is not part of a GDI font; everything else is.
    HFONT get(const forms::Font& font);

private:
    using Key = std::tuple<std::string, int, forms::FontStyles, std::uint8_t>;
    Dpi dpi_;
    std::map<Key, HFONT> fonts_;
};

}  // namespace win32

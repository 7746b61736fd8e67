// Value types shared by every control: colours, fonts and the small enums
// that the forms set. Values follow the framework the forms were designed in,
// so that a renderer can map them one to one onto native properties.
#pragma once

#include <cstdint>
#include <string>

namespace forms {

// Either an RGB colour (0x00BBGGRR, as a Win32 COLORREF) or one of the
// system's colours (high bit set, low byte = the Win32 COLOR_* index), which
// each renderer resolves through its own palette.
struct Color {
    std::uint32_t value = 0;

    static constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return Color{static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
                     (static_cast<std::uint32_t>(b) << 16)};
    }
    static constexpr Color system(std::uint8_t index) { return Color{0x80000000u | index}; }

    constexpr bool isSystem() const { return (value & 0x80000000u) != 0; }
    constexpr std::uint8_t systemIndex() const { return static_cast<std::uint8_t>(value & 0xFF); }
    constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(value & 0xFF); }
    constexpr std::uint8_t green() const { return static_cast<std::uint8_t>((value >> 8) & 0xFF); }
    constexpr std::uint8_t blue() const { return static_cast<std::uint8_t>((value >> 16) & 0xFF); }
    constexpr bool operator==(const Color&) const = default;
};

constexpr Color clBlack = Color::rgb(0, 0, 0);
constexpr Color clRed = Color::rgb(255, 0, 0);
constexpr Color clBlue = Color::rgb(0, 0, 255);
constexpr Color clGray = Color::rgb(128, 128, 128);
constexpr Color clWhite = Color::rgb(255, 255, 255);
constexpr Color clWindow = Color::system(5);       // COLOR_WINDOW
constexpr Color clWindowText = Color::system(8);   // COLOR_WINDOWTEXT
constexpr Color clBtnFace = Color::system(15);     // COLOR_BTNFACE

enum FontStyle : std::uint8_t {
    fsNone = 0,
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using FontStyles = std::uint8_t;

// Win32 character sets.
constexpr std::uint8_t DEFAULT_CHARSET = 1;
constexpr std::uint8_t RUSSIAN_CHARSET = 204;

// Character height in pixels at 96 DPI (8 point = 11 px).
struct Font {
    std::string name = "MS Sans Serif";
    int height = 11;
    FontStyles style = fsNone;
    Color color = clWindowText;
    std::uint8_t charset = DEFAULT_CHARSET;
    bool operator==(const Font&) const = default;
};

// Pixels at 96 DPI.
struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

enum class Alignment { Left, Center, Right };
enum class Cursor { Default, Hand };
enum class WindowState { Normal, Minimized, Maximized };
enum class FormStyle { Normal, StayOnTop };
enum class BorderStyle { Single, Dialog, SizeToolWin };

// What a form's frame offers, as its border style and settings decide: every
// frame has a caption and a close box.
struct Frame {
    bool minimizeBox = false;
    bool maximizeBox = false;
    bool sizeable = false;
    // A dialog's frame: no icon in the caption, no system menu beyond Close.
    bool dialog = false;
    // A tool window's small caption, and no taskbar button of its own.
    bool tool = false;
    bool stayOnTop = false;
};

// Every property a renderer may have to mirror.
enum class Prop {
    Visible,
    Enabled,
    Text,
    Bounds,
    Font,
    Color,
    Alignment,
    Cursor,
    Checked,
    Progress,
    WindowState,
    FormStyle,
    Focus,
    Repaint,
    TimerState,
    Missing,
};

}  // namespace forms

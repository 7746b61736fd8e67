#include "platform/qt/Look.h"

#include <QFontMetrics>
#include <QPainter>
#include <QWidget>
#include <cstddef>
#include <cstring>

namespace qtui {

namespace {

struct FamilyFallback {
    const char* name;
    QStringList families;
};

// Liberation and Nimbus are metric-compatible with the Windows fonts, so a
// caption takes the width its form was designed for; DejaVu is always there.
const FamilyFallback& fallbackFor(const std::string& name) {
    static const FamilyFallback table[] = {
        {"MS Sans Serif", {"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans", "Sans Serif"}},
        {"Arial", {"Liberation Sans", "Arimo", "Nimbus Sans", "DejaVu Sans", "Sans Serif"}},
        {"Times New Roman", {"Liberation Serif", "Tinos", "Nimbus Roman", "DejaVu Serif", "Serif"}},
        {"Courier New", {"Liberation Mono", "Cousine", "Nimbus Mono PS", "DejaVu Sans Mono", "Monospace"}},
    };
    static const FamilyFallback none{"", {"Sans Serif"}};
    for (const FamilyFallback& f : table)
        if (name == f.name) return f;
    return none;
}

// "MS Sans Serif" is a raster font: Windows draws it only in the sizes it
// ships (character heights of 8, 10, 12, 14, 18 and 24 point at 96 DPI) and
// takes the largest that is not taller than asked for. The forms' captions
// were placed for those sizes, so the outline substitute is sized the same.
int rasterHeight(int requested) {
    static const int sizes[] = {11, 13, 16, 19, 24, 32};
    int chosen = sizes[0];
    for (int h : sizes)
        if (h <= requested) chosen = h;
    return chosen;
}

}  // namespace

int characterHeight(const forms::Font& font) {
    const int requested = font.height > 0 ? font.height : 11;
    return font.name == "MS Sans Serif" ? rasterHeight(requested) : requested;
}

QStringList fontFamilies(const std::string& name) {
    QStringList families{QString::fromStdString(name)};
    families += fallbackFor(name).families;
    families.removeDuplicates();
    return families;
}

QFont toQFont(const forms::Font& font) {
    QFont f;
    f.setFamilies(fontFamilies(font.name));
    f.setPixelSize(characterHeight(font));
    f.setBold((font.style & forms::fsBold) != 0);
    f.setItalic((font.style & forms::fsItalic) != 0);
    f.setUnderline((font.style & forms::fsUnderline) != 0);
    f.setStrikeOut((font.style & forms::fsStrikeOut) != 0);
    // Bitmap-like crispness at these small sizes matters more than exact
    // glyph shapes.
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

forms::Size measureText(const forms::Font& font, const std::string& text) {
    const QRect r = QFontMetrics(toQFont(font)).boundingRect(0, 0, 0, 0, Qt::AlignLeft | Qt::AlignTop, toWidgetText(text));
    return {r.width(), r.height()};
}

void drawFocusFrame(QWidget& widget, const QRect& r, const QColor& color) {
    QPainter p(&widget);
    QPen pen(color);
    pen.setStyle(Qt::DotLine);
    p.setPen(pen);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

QColor toQColor(forms::Color color, const QPalette& palette) {
    if (!color.isSystem()) return QColor(color.red(), color.green(), color.blue());
    // The Win32 COLOR_* indices the forms may name, and the palette role that
    // plays the same part.
    struct SystemRole {
        std::uint8_t index;
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
    };
    static const SystemRole roles[] = {
        {4, QPalette::Active, QPalette::Window},            // COLOR_MENU
        {5, QPalette::Active, QPalette::Base},              // COLOR_WINDOW
        {6, QPalette::Active, QPalette::Shadow},            // COLOR_WINDOWFRAME
        {7, QPalette::Active, QPalette::WindowText},        // COLOR_MENUTEXT
        {8, QPalette::Active, QPalette::Text},              // COLOR_WINDOWTEXT
        {13, QPalette::Active, QPalette::Highlight},        // COLOR_HIGHLIGHT
        {14, QPalette::Active, QPalette::HighlightedText},  // COLOR_HIGHLIGHTTEXT
        {15, QPalette::Active, QPalette::Window},           // COLOR_BTNFACE
        {16, QPalette::Active, QPalette::Dark},             // COLOR_BTNSHADOW
        {17, QPalette::Disabled, QPalette::Text},           // COLOR_GRAYTEXT
        {18, QPalette::Active, QPalette::ButtonText},       // COLOR_BTNTEXT
        {20, QPalette::Active, QPalette::Light},            // COLOR_BTNHIGHLIGHT
        {23, QPalette::Active, QPalette::ToolTipText},      // COLOR_INFOTEXT
        {24, QPalette::Active, QPalette::ToolTipBase},      // COLOR_INFOBK
    };
    for (const SystemRole& r : roles)
        if (r.index == color.systemIndex()) return palette.color(r.group, r.role);
    return palette.color(QPalette::Active, QPalette::WindowText);
}

QImage toQImage(const forms::Picture& picture) {
    if (!picture.drawable()) return {};
    QImage image(picture.width, picture.height, QImage::Format_Indexed8);
    QList<QRgb> table;
    table.reserve(256);
    for (std::uint32_t entry : picture.palette) table.append(qRgb(qRed(entry), qGreen(entry), qBlue(entry)));
    image.setColorTable(table);
    const auto rowBytes = static_cast<std::size_t>(picture.width);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.pixels.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes);
    return image;
}

QString toWidgetText(const std::string& text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

std::string toModelText(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return s.toStdString();
}

}  // namespace qtui

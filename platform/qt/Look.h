// The model's fonts, colours, pictures and texts in Qt terms.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QStringList>
#include <string>

#include "platform/forms/Controls.h"
#include "platform/forms/Types.h"

class QWidget;

namespace qtui {

// The families tried for a model font name, best first. The forms were
// designed with Windows fonts; Linux has metric-compatible ones under other
// names, and a generic family closes the list.
QStringList fontFamilies(const std::string& name);

// The pixel height a font is drawn with: the model's character height, or
// for a raster font the largest size it has that is not taller.
int characterHeight(const forms::Font& font);

// Character height in pixels, styles, and the family fallbacks.
QFont toQFont(const forms::Font& font);

// The extent of a caption in a font, as a label draws it.
forms::Size measureText(const forms::Font& font, const std::string& text);

// An RGB colour as it is; a system colour through the palette's matching role.
QColor toQColor(forms::Color color, const QPalette& palette);

// An 8-bit palette picture.
QImage toQImage(const forms::Picture& picture);

// The dotted frame a focused control shows (the one Windows draws), in
// `color`, along the inside of `r`.
void drawFocusFrame(QWidget& widget, const QRect& r, const QColor& color);

// Model text is UTF-8 with CR LF line ends; widgets want QString with LF.
QString toWidgetText(const std::string& text);
std::string toModelText(const QString& text);

}  // namespace qtui

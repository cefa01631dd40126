#pragma once

// The model's measures in Qt's terms: twips (15 to a pixel) as pixels,
// layout colours as QColors, the layout's stored fonts as QFonts and
// UTF-8 texts as QStrings. Sizes in points are taken at 96 dots an inch,
// the resolution the twips stand for, so that a caption keeps its size
// against the controls whatever the screen's resolution.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <string>

#include "model/window_layout.h"

namespace prevod {

inline constexpr double kTwipsPerPixel = 15.0;

// A length in twips as whole pixels, rounded to the nearest; values beyond
// any screen are held at a million pixels either way.
int twips_to_pixels(double twips);
double pixels_to_twips(double pixels);
// A box in twips as the pixels it covers: both edges are rounded, so that
// boxes that meet in twips meet in pixels.
QRect twips_rect(double left, double top, double width, double height);

QColor qt_color(Rgb color);
// "MS Sans Serif", a Windows bitmap font, is drawn with the sans serif
// that is installed; any other name is asked for first.
QFont qt_font(const FontSpec& font);
QString qt_text(const std::string& utf8);
std::string utf8_of(const QString& text);

}  // namespace prevod

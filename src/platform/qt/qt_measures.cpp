#include "platform/qt/qt_measures.h"

#include <algorithm>
#include <cmath>

namespace prevod {

namespace {

constexpr double kLargestPixels = 1e6;
constexpr double kPixelsPerPoint = 96.0 / 72.0;

}  // namespace

int twips_to_pixels(double twips) {
  double pixels = twips / kTwipsPerPixel;
  if (std::isnan(pixels)) return 0;
  return static_cast<int>(std::lround(std::clamp(pixels, -kLargestPixels, kLargestPixels)));
}

double pixels_to_twips(double pixels) {
  return pixels * kTwipsPerPixel;
}

QRect twips_rect(double left, double top, double width, double height) {
  int x0 = twips_to_pixels(left);
  int y0 = twips_to_pixels(top);
  int x1 = twips_to_pixels(left + std::max(0.0, width));
  int y1 = twips_to_pixels(top + std::max(0.0, height));
  return QRect(x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0));
}

QColor qt_color(Rgb color) {
  return QColor(color.r, color.g, color.b);
}

QFont qt_font(const FontSpec& font) {
  QFont result;
  QStringList families;
  if (font.name != "MS Sans Serif") families << qt_text(font.name);
  families << "DejaVu Sans"
           << "Liberation Sans"
           << "Noto Sans"
           << "Sans Serif";
  result.setFamilies(families);
  result.setPixelSize(std::max(1, static_cast<int>(std::lround(font.size * kPixelsPerPoint))));
  result.setBold(font.bold);
  result.setHintingPreference(QFont::PreferVerticalHinting);
  return result;
}

QString qt_text(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string utf8_of(const QString& text) {
  QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace prevod

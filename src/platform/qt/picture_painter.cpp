#include "platform/qt/picture_painter.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>
#include <cctype>
#include <string_view>

#include "platform/qt/picture_scenes.h"
#include "platform/qt/skin_glyphs.h"
#include "platform/qt/skin_palette.h"

namespace prevod {

namespace {

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

bool has(const std::string& text, std::string_view word) {
  return text.find(word) != std::string::npos;
}

// How many signs the description asks for: "three right chevrons".
int count_of(const std::string& description) {
  if (has(description, "three ")) return 3;
  if (has(description, "two ")) return 2;
  return 1;
}

void flat(QPainter& painter, QSizeF size, const QColor& color) {
  painter.fillRect(QRectF(QPointF(0, 0), size), color);
}

void grey_panel(QPainter& painter, QSizeF size) {
  QRectF box(QPointF(0, 0), size);
  painter.fillRect(box, skin::kPanelGrey);
  painter.setPen(QPen(skin::kPanelGreyBorder, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
}

// A light-blue bar of an option row; the "on" look has a red tick at its
// right end.
void option_bar(QPainter& painter, QSizeF size, bool ticked) {
  QRectF box(QPointF(0, 0), size);
  QLinearGradient sheen(box.topLeft(), box.bottomLeft());
  sheen.setColorAt(0, skin::kOptionBlueLight);
  sheen.setColorAt(1, skin::kOptionBlueDark);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(skin::kOptionBlueDark.darker(125), 1));
  painter.setBrush(sheen);
  painter.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  if (ticked) {
    double side = size.height();
    QRectF well(size.width() - side - 2, 1.5, side - 3, side - 3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRoundedRect(well, 2, 2);
    SkinGlyphs::tick(painter, well, skin::kRed);
  }
  painter.restore();
}

// A red or turquoise button face and the signs the description puts on it.
void button(QPainter& painter, QSizeF size, const std::string& description) {
  QRectF box(QPointF(0, 0), size);
  bool red = has(description, "red button");
  SkinGlyphs::button_face(painter, box, red ? SkinGlyphs::Face::Red : SkinGlyphs::Face::Turquoise);
  int count = count_of(description);
  if (has(description, "right chevron")) {
    SkinGlyphs::chevrons(painter, box, SkinGlyphs::Direction::Right, count, Qt::white);
  } else if (has(description, "left chevron")) {
    SkinGlyphs::chevrons(painter, box, SkinGlyphs::Direction::Left, count, Qt::white);
  } else if (has(description, "up arrow")) {
    QColor color = has(description, "dark-red") ? skin::kDarkRed : QColor(Qt::white);
    SkinGlyphs::up_arrows(painter, box, count, color);
  } else if (has(description, "cross")) {
    SkinGlyphs::cross(painter, box, Qt::white);
  } else if (has(description, "with a bar")) {
    SkinGlyphs::bar(painter, box, Qt::white);
  }
}

// The lavender panel that carries two round buttons: a figure at the left
// and a play sign at the right.
void speak_panel(QPainter& painter, QSizeF size) {
  QRectF box(QPointF(0, 0), size);
  SkinGlyphs::button_face(painter, box, SkinGlyphs::Face::Lavender);
  double side = size.height() - 6;
  QRectF left(4, 3, side, side);
  QRectF right(size.width() - side - 4, 3, side, side);
  SkinGlyphs::round_face(painter, left, skin::kTurquoiseLight, skin::kTurquoiseDark);
  SkinGlyphs::figure(painter, left.adjusted(side * 0.18, side * 0.14, -side * 0.18, -side * 0.1),
                     Qt::white);
  SkinGlyphs::round_face(painter, right, skin::kRedLight, skin::kRedDark);
  SkinGlyphs::play(painter, right, Qt::white);
}

// Draws a picture in its own pixels, from (0, 0) to `size`.
void draw(QPainter& painter, QSizeF size, const std::string& spelled) {
  const std::string description = lower(spelled);
  if (has(description, "finished window")) return PictureScenes::finished_window(painter, size);
  if (has(description, "presenter")) return PictureScenes::presenter(painter, size);
  if (has(description, "logo")) return PictureScenes::service_band(painter, size, description);
  if (has(description, "cover")) return PictureScenes::cover(painter, size);
  if (has(description, "program icon")) return PictureScenes::program_icon(painter, size);
  if (has(description, "stop button")) return PictureScenes::stop_icon(painter, size);
  if (has(description, "repeat button")) return PictureScenes::repeat_icon(painter, size);
  if (has(description, "shading")) return PictureScenes::shading_band(painter, size);
  if (has(description, "cyan bar")) return PictureScenes::progress_track(painter, size);
  if (has(description, "red bar")) return PictureScenes::progress_fill(painter, size);
  if (has(description, "option")) return option_bar(painter, size, has(description, "red tick"));
  if (has(description, "two circular buttons")) return speak_panel(painter, size);
  // A plain patch hides a button under it, in the colour around that button.
  if (has(description, "patch")) return flat(painter, size, skin::kBandBlue);
  if (has(description, "button")) return button(painter, size, description);
  if (has(description, "light-blue")) return flat(painter, size, skin::kLightBlue);
  if (has(description, "lavender")) return flat(painter, size, skin::kLavender);
  if (has(description, "blue")) return flat(painter, size, skin::kBandBlue);
  grey_panel(painter, size);
}

}  // namespace

void PicturePainter::paint(QPainter& painter, const PictureSpec& picture, const QRectF& area) {
  if (area.isEmpty() || picture.width_px <= 0 || picture.height_px <= 0) return;
  QRectF target =
      picture.stretch ? area : QRectF(area.topLeft(), QSizeF(picture.width_px, picture.height_px));
  painter.save();
  painter.setClipRect(area, Qt::IntersectClip);
  painter.translate(target.topLeft());
  painter.scale(target.width() / picture.width_px, target.height() / picture.height_px);
  draw(painter, QSizeF(picture.width_px, picture.height_px), picture.description);
  painter.restore();
}

void PicturePainter::paint_described(QPainter& painter, const std::string& description,
                                     const QRectF& box) {
  if (box.isEmpty()) return;
  painter.save();
  painter.setClipRect(box, Qt::IntersectClip);
  painter.translate(box.topLeft());
  draw(painter, box.size(), description);
  painter.restore();
}

bool PicturePainter::is_button(const PictureSpec& picture) {
  std::string description = lower(picture.description);
  return has(description, "button") && !has(description, "patch");
}

}  // namespace prevod

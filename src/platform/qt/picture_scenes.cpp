#include "platform/qt/picture_scenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "platform/qt/skin_glyphs.h"
#include "platform/qt/skin_palette.h"

namespace prevod {

namespace {

constexpr std::string_view kServiceName = "Превод";
constexpr std::string_view kServiceTagline = "английски · български";

QString qstring(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A button the description of the band places: its sign and its columns.
struct BandButton {
  enum class Sign { Chevron, Bar, Cross };
  Sign sign;
  double left;
  double right;
};

// Reads "a right chevron (pixels 328 to 361), a bar (368 to 425) and a
// cross (432 to 489)": each bracket with two numbers places the sign named
// last before it.
std::vector<BandButton> band_buttons(const std::string& description) {
  std::vector<BandButton> buttons;
  size_t from = 0;
  while (true) {
    size_t open = description.find('(', from);
    if (open == std::string::npos) break;
    size_t close = description.find(')', open);
    if (close == std::string::npos) break;
    std::vector<double> numbers;
    double number = -1;
    for (size_t i = open + 1; i <= close; ++i) {
      char c = description[i];
      if (std::isdigit(static_cast<unsigned char>(c))) {
        number = (number < 0 ? 0 : number * 10) + (c - '0');
      } else if (number >= 0) {
        numbers.push_back(number);
        number = -1;
      }
    }
    std::string_view before(description.data() + from, open - from);
    size_t chevron = before.rfind("chevron");
    size_t bar = before.rfind("bar");
    size_t cross = before.rfind("cross");
    size_t none = std::string_view::npos;
    size_t last = 0;
    BandButton::Sign sign = BandButton::Sign::Chevron;
    bool named = false;
    for (auto [where, what] :
         {std::pair{chevron, BandButton::Sign::Chevron}, std::pair{bar, BandButton::Sign::Bar},
          std::pair{cross, BandButton::Sign::Cross}}) {
      if (where != none && (!named || where > last)) {
        last = where;
        sign = what;
        named = true;
      }
    }
    if (named && numbers.size() >= 2 && numbers[1] > numbers[0]) {
      buttons.push_back({sign, numbers[0], numbers[1] + 1});
    }
    from = close + 1;
  }
  return buttons;
}

// The program's mark: a blue tile with two speech bubbles, an English A and
// a Bulgarian Б.
void mark(QPainter& painter, const QRectF& box) {
  double s = std::min(box.width(), box.height());
  QRectF tile(box.center().x() - s / 2, box.center().y() - s / 2, s, s);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sheen(tile.topLeft(), tile.bottomLeft());
  sheen.setColorAt(0, skin::kBandBlueLight);
  sheen.setColorAt(1, skin::kBandBlue);
  painter.setPen(Qt::NoPen);
  painter.setBrush(sheen);
  painter.drawRoundedRect(tile, s * 0.2, s * 0.2);

  auto bubble = [&](QRectF body, bool tail_left, const QColor& fill) {
    QPainterPath path;
    path.addRoundedRect(body, body.height() * 0.3, body.height() * 0.3);
    QPainterPath tail;
    double x = tail_left ? body.left() + body.width() * 0.22 : body.right() - body.width() * 0.22;
    double dx = tail_left ? -body.width() * 0.12 : body.width() * 0.12;
    tail.moveTo(x - body.width() * 0.1, body.bottom() - 1);
    tail.lineTo(x + dx, body.bottom() + body.height() * 0.3);
    tail.lineTo(x + body.width() * 0.1, body.bottom() - 1);
    tail.closeSubpath();
    painter.setBrush(fill);
    painter.drawPath(path.united(tail));
  };
  QRectF back(tile.left() + s * 0.1, tile.top() + s * 0.1, s * 0.52, s * 0.42);
  QRectF front(tile.left() + s * 0.4, tile.top() + s * 0.42, s * 0.5, s * 0.4);
  bubble(back, true, QColor(255, 255, 255));
  bubble(front, false, skin::kRed);
  painter.setFont(SkinGlyphs::font(s * 0.3, true));
  painter.setPen(skin::kBandBlue);
  painter.drawText(back, Qt::AlignCenter, "A");
  painter.setPen(QColor(255, 255, 255));
  painter.drawText(front, Qt::AlignCenter, qstring("Б"));
  painter.restore();
}

// A face made of the presenter's features, looking out of `box`.
void presenter_figure(QPainter& painter, const QRectF& box) {
  double s = std::min(box.width(), box.height() * 1.1);
  double cx = box.center().x();
  double bottom = box.bottom();
  const QColor suit(40, 58, 98);
  const QColor skin_tone(240, 204, 176);
  const QColor hair(74, 50, 38);

  QPainterPath shoulders;
  shoulders.moveTo(cx - s * 0.46, bottom);
  shoulders.cubicTo(cx - s * 0.44, bottom - s * 0.3, cx - s * 0.3, bottom - s * 0.36, cx,
                    bottom - s * 0.37);
  shoulders.cubicTo(cx + s * 0.3, bottom - s * 0.36, cx + s * 0.44, bottom - s * 0.3, cx + s * 0.46,
                    bottom);
  shoulders.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(suit);
  painter.drawPath(shoulders);

  // Collar and tie.
  QPointF collar[3] = {{cx - s * 0.1, bottom - s * 0.36},
                       {cx, bottom - s * 0.22},
                       {cx + s * 0.1, bottom - s * 0.36}};
  painter.setBrush(QColor(250, 250, 252));
  painter.drawPolygon(collar, 3);
  QPointF tie[4] = {{cx - s * 0.025, bottom - s * 0.3},
                    {cx + s * 0.025, bottom - s * 0.3},
                    {cx + s * 0.04, bottom - s * 0.12},
                    {cx - s * 0.04, bottom - s * 0.12}};
  painter.setBrush(skin::kRed);
  painter.drawPolygon(tie, 4);

  QRectF neck(cx - s * 0.07, bottom - s * 0.46, s * 0.14, s * 0.12);
  painter.setBrush(skin_tone.darker(108));
  painter.drawRect(neck);
  QRectF head(cx - s * 0.16, bottom - s * 0.8, s * 0.32, s * 0.38);
  painter.setBrush(skin_tone);
  painter.drawEllipse(head);

  QPainterPath crown;
  crown.moveTo(head.left() - s * 0.005, head.top() + head.height() * 0.45);
  crown.cubicTo(head.left() - s * 0.01, head.top() - s * 0.04, head.right() + s * 0.01,
                head.top() - s * 0.04, head.right() + s * 0.005, head.top() + head.height() * 0.45);
  crown.cubicTo(head.right() - s * 0.04, head.top() + head.height() * 0.18, head.left() + s * 0.05,
                head.top() + head.height() * 0.22, head.left() - s * 0.005,
                head.top() + head.height() * 0.45);
  painter.setBrush(hair);
  painter.drawPath(crown);

  painter.setBrush(QColor(50, 40, 36));
  double eye_y = head.top() + head.height() * 0.52;
  double eye = s * 0.022;
  painter.drawEllipse(QPointF(cx - s * 0.06, eye_y), eye, eye);
  painter.drawEllipse(QPointF(cx + s * 0.06, eye_y), eye, eye);
  painter.setPen(QPen(QColor(160, 70, 60), std::max(1.0, s * 0.014), Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  QRectF smile(cx - s * 0.06, head.top() + head.height() * 0.6, s * 0.12, s * 0.1);
  painter.drawArc(smile, 200 * 16, 140 * 16);

  // The headset that makes him the reader: a band over the head, an ear
  // cup, and a thin boom along the jaw to the corner of the mouth.
  const QColor headset(60, 60, 70);
  painter.setPen(QPen(headset, std::max(1.0, s * 0.02), Qt::SolidLine, Qt::RoundCap));
  QRectF band = head.adjusted(-s * 0.02, -s * 0.03, s * 0.02, -head.height() * 0.35);
  painter.drawArc(band, 10 * 16, 160 * 16);
  QPointF ear(head.right() + s * 0.004, head.top() + head.height() * 0.52);
  QPointF mouth(cx + s * 0.075, head.top() + head.height() * 0.78);
  QPainterPath boom(ear);
  boom.quadTo(QPointF(head.right() - s * 0.01, mouth.y() + s * 0.02), mouth);
  painter.setPen(QPen(headset, std::max(1.0, s * 0.011), Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(boom);
  painter.setPen(Qt::NoPen);
  painter.setBrush(headset);
  painter.drawEllipse(QRectF(ear.x() - s * 0.03, ear.y() - s * 0.045, s * 0.05, s * 0.09));
  painter.drawEllipse(mouth, s * 0.016, s * 0.016);
}

}  // namespace

void PictureScenes::finished_window(QPainter& painter, QSizeF size) {
  // The window as it stands finished: the blue band with the strip's
  // buttons over the player's white page, the presenter and the light-blue
  // panel of the strip at the right, the band along the bottom.
  const double w = size.width();
  const double h = size.height();
  painter.save();
  painter.fillRect(QRectF(0, 0, w, h), QColor(0, 192, 192));
  painter.fillRect(QRectF(0, 0, w, 36), skin::kBandBlue);
  painter.fillRect(QRectF(0, 36, w * 0.68, h - 36), skin::kStage);
  painter.save();
  painter.translate(w * 0.682, 36);
  presenter(painter, QSizeF(w * 0.318, 194));
  painter.restore();
  painter.fillRect(QRectF(w * 0.685, 227, w * 0.318, 142), skin::kLightBlue);
  SkinGlyphs::button_face(painter, QRectF(w * 0.713, 232, 181, 23), SkinGlyphs::Face::Turquoise);
  painter.fillRect(QRectF(0, 368, w, 33), skin::kLightBlue);
  SkinGlyphs::button_face(painter, QRectF(w * 0.94, 2, 36, 33), SkinGlyphs::Face::Red);
  SkinGlyphs::chevrons(painter, QRectF(w * 0.94, 2, 36, 33), SkinGlyphs::Direction::Left, 1,
                       Qt::white);
  painter.restore();
}

void PictureScenes::presenter(QPainter& painter, QSizeF size) {
  if (size.isEmpty()) return;
  QRectF box(QPointF(0, 0), size);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(box);
  QLinearGradient studio(box.topLeft(), box.bottomLeft());
  studio.setColorAt(0, QColor(228, 240, 250));
  studio.setColorAt(1, QColor(170, 202, 232));
  painter.fillRect(box, studio);
  QRadialGradient light(QPointF(box.center().x(), box.height() * 0.4), box.width() * 0.55);
  light.setColorAt(0, QColor(255, 255, 255, 150));
  light.setColorAt(1, QColor(255, 255, 255, 0));
  painter.fillRect(box, light);
  presenter_figure(painter, box.adjusted(0, box.height() * 0.1, 0, 0));
  painter.restore();
}

void PictureScenes::service_band(QPainter& painter, QSizeF size, const std::string& description) {
  const double w = size.width();
  const double h = size.height();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  // Flat where the buttons and their patch lie, so that a plain blue patch
  // laid over a button matches the band around it.
  painter.fillRect(QRectF(0, 0, w, h), skin::kBandBlue);
  QLinearGradient foot(QPointF(0, h * 0.72), QPointF(0, h));
  foot.setColorAt(0, skin::kBandBlue);
  foot.setColorAt(1, skin::kBandBlueLight);
  painter.fillRect(QRectF(0, h * 0.72, w, h * 0.28), foot);

  double mark_size = std::min(40.0, h * 0.5);
  mark(painter, QRectF(10, 8, mark_size, mark_size));
  painter.setPen(QColor(255, 255, 255));
  painter.setFont(SkinGlyphs::font(22, true));
  painter.drawText(QRectF(58, 6, 150, 30), Qt::AlignLeft | Qt::AlignVCenter, qstring(kServiceName));
  painter.setPen(QColor(200, 222, 250));
  painter.setFont(SkinGlyphs::font(10, false));
  painter.drawText(QRectF(60, 34, 150, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   qstring(kServiceTagline));

  for (const BandButton& button : band_buttons(description)) {
    double height = button.sign == BandButton::Sign::Chevron ? 31 : 23;
    QRectF face(button.left, 1, button.right - button.left, std::min(height, h - 1));
    SkinGlyphs::button_face(painter, face, SkinGlyphs::Face::Red);
    switch (button.sign) {
      case BandButton::Sign::Chevron:
        SkinGlyphs::chevrons(painter, face, SkinGlyphs::Direction::Right, 1, Qt::white);
        break;
      case BandButton::Sign::Bar:
        SkinGlyphs::bar(painter, face.adjusted(0, face.height() * 0.2, 0, 0), Qt::white);
        break;
      case BandButton::Sign::Cross:
        SkinGlyphs::cross(painter, face, Qt::white);
        break;
    }
  }
  painter.restore();
}

void PictureScenes::cover(QPainter& painter, QSizeF size) {
  const double w = size.width();
  const double h = size.height();
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sheen(QPointF(0, 0), QPointF(0, h));
  sheen.setColorAt(0, skin::kBandBlueLight);
  sheen.setColorAt(1, skin::kBandBlue);
  painter.setPen(Qt::NoPen);
  painter.setBrush(sheen);
  painter.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 8, 8);
  double mark_size = std::min(h - 16, 48.0);
  mark(painter, QRectF(8, (h - mark_size) / 2, mark_size, mark_size));
  double text_left = 16 + mark_size;
  painter.setPen(QColor(255, 255, 255));
  painter.setFont(SkinGlyphs::font(h * 0.3, true));
  painter.drawText(QRectF(text_left, h * 0.14, w - text_left - 4, h * 0.44),
                   Qt::AlignLeft | Qt::AlignVCenter, qstring(kServiceName));
  painter.setPen(QColor(206, 226, 252));
  painter.setFont(SkinGlyphs::font(h * 0.13, false));
  painter.drawText(QRectF(text_left + 1, h * 0.58, w - text_left - 4, h * 0.26),
                   Qt::AlignLeft | Qt::AlignVCenter, "EN \u21C4 BG");
  painter.restore();
}

void PictureScenes::program_icon(QPainter& painter, QSizeF size) {
  mark(painter, QRectF(QPointF(0, 0), size));
}

void PictureScenes::stop_icon(QPainter& painter, QSizeF size) {
  QRectF box(QPointF(0, 0), size);
  SkinGlyphs::round_face(painter, box.adjusted(2, 2, -2, -2), skin::kRedLight, skin::kRedDark);
  SkinGlyphs::stop(painter, box, Qt::white);
}

void PictureScenes::repeat_icon(QPainter& painter, QSizeF size) {
  QRectF box(QPointF(0, 0), size);
  SkinGlyphs::round_face(painter, box.adjusted(2, 2, -2, -2), skin::kTurquoiseLight,
                         skin::kTurquoiseDark);
  SkinGlyphs::circular_arrow(painter, box, Qt::white);
}

void PictureScenes::shading_band(QPainter& painter, QSizeF size) {
  QLinearGradient shading(QPointF(0, 0), QPointF(size.width(), 0));
  const QColor blue(110, 160, 226);
  shading.setColorAt(0, blue);
  shading.setColorAt(0.5, QColor(255, 255, 255));
  shading.setColorAt(1, blue);
  painter.fillRect(QRectF(QPointF(0, 0), size), shading);
}

void PictureScenes::progress_track(QPainter& painter, QSizeF size) {
  QRectF box(QPointF(0, 0), size);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(skin::kFrameBlue, 2));
  QLinearGradient sheen(box.topLeft(), box.bottomLeft());
  sheen.setColorAt(0, skin::kCyan.lighter(112));
  sheen.setColorAt(1, skin::kCyan.darker(108));
  painter.setBrush(sheen);
  painter.drawRoundedRect(box.adjusted(1, 1, -1, -1), 4, 4);
  painter.restore();
}

void PictureScenes::progress_fill(QPainter& painter, QSizeF size) {
  QRectF box(QPointF(0, 0), size);
  QLinearGradient sheen(box.topLeft(), box.bottomLeft());
  sheen.setColorAt(0, skin::kRedLight);
  sheen.setColorAt(0.5, skin::kRed);
  sheen.setColorAt(1, skin::kRedDark);
  painter.fillRect(box, sheen);
}

}  // namespace prevod

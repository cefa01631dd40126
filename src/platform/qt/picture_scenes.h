#pragma once

// The whole pictures of the layout tables, each drawn in its own pixels
// (`size`) by PicturePainter: the finished speech window behind Form1's
// controls, the presenter of the voice reader player, the translation
// service's band across the top of Form2 with its three red buttons, the
// start-up cover, the program's icon, the icons of the repeat and stop
// buttons, the hint window's band and the start-up progress bar.

#include <QSizeF>
#include <string>

class QPainter;

namespace prevod {

class PictureScenes {
 public:
  static void finished_window(QPainter& painter, QSizeF size);
  static void presenter(QPainter& painter, QSizeF size);
  // The band with the service's name; `description` places the buttons
  // ("a right chevron (pixels 328 to 361), a bar (368 to 425) ...").
  static void service_band(QPainter& painter, QSizeF size, const std::string& description);
  static void cover(QPainter& painter, QSizeF size);
  static void program_icon(QPainter& painter, QSizeF size);
  static void stop_icon(QPainter& painter, QSizeF size);
  static void repeat_icon(QPainter& painter, QSizeF size);
  static void shading_band(QPainter& painter, QSizeF size);
  static void progress_track(QPainter& painter, QSizeF size);
  static void progress_fill(QPainter& painter, QSizeF size);
};

}  // namespace prevod

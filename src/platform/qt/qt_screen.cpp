#include "platform/qt/qt_screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace prevod {
namespace {

// The primary screen's size in device pixels; empty when there is none.
QSize device_size() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  QSizeF size = QSizeF(screen->geometry().size()) * screen->devicePixelRatio();
  return QSize(static_cast<int>(std::lround(size.width())),
               static_cast<int>(std::lround(size.height())));
}

}  // namespace

float QtScreen::Width() const {
  return static_cast<float>(device_size().width() * TwipsPerPixel);
}

float QtScreen::Height() const {
  return static_cast<float>(device_size().height() * TwipsPerPixel);
}

}  // namespace prevod

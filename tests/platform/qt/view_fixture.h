#pragma once

// The whole program booted on the simulated desktop, with views of its
// windows drawn on Qt's offscreen platform, and the means to look at what
// they paint and to reach them as a person does: keys to a window's
// top-level widget, mouse presses on a control's widget.

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <memory>
#include <vector>

#include "platform/qt/control_widget.h"
#include "platform/qt/qt_window_view.h"
#include "support/system_fixture.h"

namespace prevod::testing {

// Whether two colours are within `tolerance` in every component.
inline bool near(const QColor& a, const QColor& b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

// The colour at a point given in the window's pixels, whatever the image's
// device pixel ratio.
inline QColor pixel(const QImage& image, QPointF point) {
  double ratio = image.devicePixelRatio();
  return image.pixelColor(static_cast<int>(point.x() * ratio + ratio / 2),
                          static_cast<int>(point.y() * ratio + ratio / 2));
}

// How many of the image's pixels inside a box (window pixels) are near a
// colour.
inline int count_near(const QImage& image, const QRect& box, const QColor& color, int tolerance) {
  double ratio = image.devicePixelRatio();
  QRect device(static_cast<int>(box.left() * ratio), static_cast<int>(box.top() * ratio),
               static_cast<int>(box.width() * ratio), static_cast<int>(box.height() * ratio));
  device = device.intersected(image.rect());
  int count = 0;
  for (int y = device.top(); y <= device.bottom(); ++y) {
    for (int x = device.left(); x <= device.right(); ++x) {
      count += near(image.pixelColor(x, y), color, tolerance) ? 1 : 0;
    }
  }
  return count;
}

inline bool reddish(const QColor& c) {
  return c.red() > 150 && c.green() < 100 && c.blue() < 100;
}
inline bool turquoise(const QColor& c) {
  return c.red() < 100 && c.green() > 120 && c.blue() > 110;
}

inline void send_mouse(QWidget& widget, QEvent::Type type, QPointF at,
                       Qt::MouseButton button = Qt::LeftButton) {
  Qt::MouseButtons held =
      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent event(type, at, widget.mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

inline void click_widget(QWidget& widget, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
  send_mouse(widget, QEvent::MouseButtonPress, at, button);
  send_mouse(widget, QEvent::MouseButtonRelease, at, button);
}

inline void double_click_widget(QWidget& widget, QPointF at) {
  click_widget(widget, at);
  send_mouse(widget, QEvent::MouseButtonDblClick, at);
  send_mouse(widget, QEvent::MouseButtonRelease, at);
}

inline void wheel_widget(QWidget& widget, QPointF at, int notches) {
  QWheelEvent event(at, widget.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&widget, &event);
}

inline void send_key(QWidget& widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
                     const QString& text = {}) {
  QKeyEvent event(type, key, modifiers, text);
  QApplication::sendEvent(&widget, &event);
}

// A key pressed and released.
inline void tap_key(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    const QString& text = {}) {
  send_key(widget, QEvent::KeyPress, key, modifiers, text);
  send_key(widget, QEvent::KeyRelease, key, modifiers, text);
}

class ViewFixture : public SystemFixture {
 protected:
  void TearDown() override {
    views.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QtWindowView& view_of(Window& window) {
    views.push_back(std::make_unique<QtWindowView>(window, system->loop));
    return *views.back();
  }
  ControlWidget& widget(QtWindowView& view, const Control& control) {
    ControlWidget* found = view.widget_of(control);
    EXPECT_NE(found, nullptr) << control.name();
    return *found;
  }
  // Where a control's widget lies in its window, in pixels.
  QRect rect_of(QtWindowView& view, const Control& control) {
    ControlWidget& shown = widget(view, control);
    return QRect(shown.mapTo(&view.top_level(), QPoint(0, 0)), shown.size());
  }
  // Opens the translation window's settings panel, which gives both windows
  // their full height.
  void expand() { click(form2().Picture10); }

  std::vector<std::unique_ptr<QtWindowView>> views;
};

}  // namespace prevod::testing

#pragma once

// The run-time model on the real desktop: Qt's loop, the X11 desktop and an
// application without windows of its own, for tests that build model
// windows from small layouts and watch what the X server makes of them.
// Runs inside the X session of scripts/x11-session.

#include <gtest/gtest.h>

#include <QWidget>
#include <QWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/runtime_error.h"
#include "base/trace.h"
#include "model/application.h"
#include "model/config.h"
#include "model/runtime.h"
#include "model/window.h"
#include "model/window_layout.h"
#include "platform/browser.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_loop.h"
#include "platform/qt/qt_window_view.h"
#include "platform/qt/x11_session.h"
#include "platform/qt/x11_windows.h"
#include "platform/speech_engine.h"

namespace prevod {

class QtDesktopFixture : public ::testing::Test {
 protected:
  class NoBrowsers : public BrowserFactory {
   public:
    std::unique_ptr<Browser> create_browser() override {
      throw RuntimeError("no browser in the desktop tests");
    }
  };
  class NoSpeech : public SpeechEngineFactory {
   public:
    std::shared_ptr<SpeechEngine> CreateObject(const std::string&) override {
      throw RuntimeError("no speech engine in the desktop tests");
    }
  };
  class TestApplication : public Application {
   public:
    explicit TestApplication(Runtime& runtime) : Application(runtime, {}) {}

   protected:
    std::unique_ptr<Window> make_window(const std::string&) override { return nullptr; }
  };
  class TestWindow : public Window {
   public:
    TestWindow(Application& app, const WindowLayout& layout) : Window(app, layout) {}
  };

  QtDesktopFixture() {
    trace.set_enabled(true);
    trace.set_sink([this](const std::string& line) { trace_lines.push_back(line); });
    loop.set_trace(&trace);
    loop.set_input_pump([this] { desktop->deliver_input(); });
  }
  ~QtDesktopFixture() override {
    desktop->destroy_views();
    windows.clear();
  }

  // A window of the given size in twips with a rich text box "Text1" that
  // takes the keys, and the given timers.
  Window& make_window(const std::string& name, float width, float height,
                      std::vector<TimerSpec> timers = {}) {
    auto layout = std::make_unique<WindowLayout>();
    layout->name = name;
    layout->width = width;
    layout->height = height;
    layout->back_color = {0xcc, 0xd8, 0xf0};
    layout->icon = PictureSpec{32, 32, "icon", "the window's icon", false};
    ControlSpec text;
    text.name = "Text1";
    text.kind = ControlKind::RichTextBox;
    text.width = width;
    text.height = height;
    layout->controls.push_back(text);
    layout->timers = std::move(timers);
    layouts.push_back(std::move(layout));
    windows.push_back(std::make_unique<TestWindow>(app, *layouts.back()));
    return *windows.back();
  }

  // Runs a handler as the loop would: dispatched, with the input pump.
  void act(const std::function<void()>& handler) { loop.dispatch("test", handler); }
  // Runs the loop until a condition holds; false after the limit.
  bool run_until(const std::function<bool()>& done, int limit_ms = 5000) {
    return testing::poll_until(done, limit_ms);
  }

  QWindow& native(Window& window) {
    return *desktop->view(window.hWnd())->top_level().windowHandle();
  }
  QRect on_server(Window& window) { return desktop->x11_windows().server_geometry(native(window)); }
  bool viewable(Window& window) { return desktop->x11_windows().viewable(native(window)); }
  // The server has the window at `geometry` and keeps it there a while.
  ::testing::AssertionResult holds_at(Window& window, const QRect& geometry) {
    if (!run_until([&] { return on_server(window) == geometry; }, 3000)) {
      return ::testing::AssertionFailure() << "the window is at " << describe(on_server(window));
    }
    // A window manager that moves windows back does so within a moment.
    testing::poll_until([] { return false; }, 150);
    if (on_server(window) != geometry) {
      return ::testing::AssertionFailure() << "the window moved to " << describe(on_server(window));
    }
    return ::testing::AssertionSuccess();
  }
  static std::string describe(const QRect& at) {
    return std::to_string(at.x()) + "," + std::to_string(at.y()) + " " +
           std::to_string(at.width()) + "x" + std::to_string(at.height());
  }

  Trace trace;
  std::vector<std::string> trace_lines;
  QtLoop loop;
  std::unique_ptr<QtDesktop> desktop = std::make_unique<QtDesktop>(loop, trace);
  NoBrowsers browsers;
  NoSpeech speech;
  Config config;
  Runtime runtime{loop, *desktop, *desktop, browsers, speech, trace, config};
  TestApplication app{runtime};
  std::vector<std::unique_ptr<WindowLayout>> layouts;
  std::vector<std::unique_ptr<Window>> windows;
};

}  // namespace prevod

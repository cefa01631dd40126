// prevod-screenshot: boots the whole program on the simulated desktop, runs
// it to where a person first works with it (the translation window
// revealed, the warm-up translated), and renders the speech window behind
// the translation window, as they stand on the screen, into a PNG. It draws
// on Qt's offscreen platform unless QT_QPA_PLATFORM names another.
//
//   prevod-screenshot [--scale N] [--settings] [--speech-settings]
//                     [--translate TEXT] OUT.png
//
// --settings opens the translation window's settings panel;
// --speech-settings opens the speech window's, which brings the speech
// window with the player in front; --translate types a text into the input
// box and translates it first.

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/desktop_snapshot.h"
#include "platform/qt/qt_window_view.h"
#include "program/simulated_system.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

namespace {

struct Request {
  std::string out;
  double scale = 1;
  bool settings = false;
  bool speech_settings = false;
  std::string text;
};

bool parse(int argc, char** argv, Request& request) {
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--scale" && i + 1 < argc) {
      request.scale = std::atof(argv[++i]);
    } else if (argument == "--settings") {
      request.settings = true;
    } else if (argument == "--speech-settings") {
      request.speech_settings = true;
    } else if (argument == "--translate" && i + 1 < argc) {
      request.text = argv[++i];
    } else if (!argument.starts_with("--") && request.out.empty()) {
      request.out = argument;
    } else {
      return false;
    }
  }
  return !request.out.empty() && request.scale >= 1 && request.scale <= 4;
}

void act(SimulatedSystem& system, const std::function<void()>& action) {
  system.loop.dispatch("screenshot", action);
  system.loop.run_pending();
}

void click(SimulatedSystem& system, Control& control) {
  act(system, [&] {
    system.desktop.activate(control.window());
    control.user_click();
  });
}

// Runs the start-up through to the warm-up translation's result.
bool run_to_ready(SimulatedSystem& system) {
  Form2& form2 = system.app.Form2();
  bool ready = system.loop.run_until(
      [&] { return system.app.shared().VoiceReaderReady == 1 && !form2.image1.Visible(); }, 30000);
  system.loop.advance(3000 + 2000 + 100);
  return ready;
}

}  // namespace

int take_screenshot(int argc, char** argv) {
  Request request;
  if (!parse(argc, argv, request)) {
    std::cerr << "usage: prevod-screenshot [--scale N] [--settings] [--speech-settings] "
                 "[--translate TEXT] OUT.png\n";
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  QApplication qt(qt_argc, argv);

  SimulatedSystem system;
  system.start();
  system.loop.run_pending();
  if (!run_to_ready(system)) {
    std::cerr << "prevod-screenshot: the program did not get ready\n";
    return 1;
  }
  Form2& form2 = system.app.Form2();
  if (!request.text.empty()) {
    click(system, form2.Text1);
    act(system, [&] { system.desktop.type_text(request.text); });
    act(system, [&] { system.desktop.press_key(vk::RETURN); });
    system.loop.advance(2000 + 500);
  }
  if (request.settings || request.speech_settings) click(system, form2.Picture10);
  if (request.speech_settings) click(system, system.app.Form1().Picture7);

  QtWindowView speech(system.app.Form1(), system.loop);
  QtWindowView translation(form2, system.loop);
  std::vector<QtWindowView*> back_to_front{&speech, &translation};
  if (request.speech_settings) std::swap(back_to_front[0], back_to_front[1]);
  QImage image = DesktopSnapshot::compose(back_to_front, request.scale);
  if (!image.save(QString::fromStdString(request.out), "PNG")) {
    std::cerr << "prevod-screenshot: cannot write " << request.out << "\n";
    return 1;
  }
  return 0;
}

}  // namespace prevod

int main(int argc, char** argv) {
  return prevod::take_screenshot(argc, argv);
}

// The whole program on the real desktop, booted in the X session of
// scripts/x11-session: it comes to its ready state with its windows where
// the model puts them, a double click on a word in another program is
// copied and translated, and a press on the tray icon brings the windows
// back from the tray.

#include <gtest/gtest.h>

#include <QProcess>
#include <QSystemTrayIcon>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/shared_state.h"
#include "model/image.h"
#include "platform/qt/control_widget.h"
#include "platform/qt/qt_tray.h"
#include "platform/qt/qt_window_view.h"
#include "platform/qt/x11_session.h"
#include "platform/qt/x11_windows.h"
#include "platform/screen.h"
#include "program/real_desktop_system.h"
#include "services/translator/language.h"
#include "services/translator/translator.h"
#include "services/translator/translator_site.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {
namespace {

using testing::poll_until;
using testing::TestEditor;
using testing::xdotool;

class ProgramOnTheDesktop : public ::testing::Test {
 protected:
  // One program for the whole suite: its start-up takes seconds.
  static void SetUpTestSuite() {
    RealDesktopSystem::Options options;
    options.silent = true;
    options.tracing = true;
    options.trace_sink = [](const std::string& line) {
      if (std::getenv("PREVOD_TEST_TRACE") != nullptr) std::fprintf(stderr, "%s\n", line.c_str());
      s_trace.push_back(line);
    };
    s_system = new RealDesktopSystem(options);
    s_system->start();
  }
  static void TearDownTestSuite() {
    delete s_system;
    s_system = nullptr;
    s_trace.clear();
  }

  RealDesktopSystem& system() { return *s_system; }
  Form1& form1() { return system().app.Form1(); }
  Form2& form2() { return system().app.Form2(); }
  // Runs the program until a condition holds; false after the limit.
  bool run_until(const std::function<bool()>& done, int limit_ms) {
    return poll_until(done, limit_ms);
  }
  void act(const std::function<void()>& handler) { system().loop.dispatch("test", handler); }
  bool ready() {
    return system().app.Form2_if_loaded() != nullptr &&
           system().app.shared().VoiceReaderReady == 1 && !form2().image1.Visible();
  }
  QRect on_server(Window& window) {
    QtWindowView* view = system().desktop.view(window.hWnd());
    return system().desktop.x11_windows().server_geometry(*view->top_level().windowHandle());
  }
  bool viewable(Window& window) {
    QtWindowView* view = system().desktop.view(window.hWnd());
    return system().desktop.x11_windows().viewable(*view->top_level().windowHandle());
  }
  static QRect pixels(const Window& window) {
    auto px = [](float twips) { return static_cast<int>(std::lround(twips / TwipsPerPixel)); };
    return QRect(px(window.Left()), px(window.Top()), px(window.Width()), px(window.Height()));
  }
  std::string english_to_bulgarian(const std::string& text) {
    return system().translator->translator().translate(Language::English, Language::Bulgarian,
                                                       text);
  }
  QSystemTrayIcon* tray_icon() {
    return system().desktop.tray().icon(form2().hWnd(), system().desktop.App_hInstance());
  }

  static RealDesktopSystem* s_system;
  static std::vector<std::string> s_trace;
};

RealDesktopSystem* ProgramOnTheDesktop::s_system = nullptr;
std::vector<std::string> ProgramOnTheDesktop::s_trace;

using X11Program = ProgramOnTheDesktop;

TEST_F(X11Program, ComesToItsReadyStateWithTheTranslationWindowCentred) {
  ASSERT_TRUE(run_until([&] { return ready(); }, 30000));
  Screen& screen = system().desktop.screen();
  EXPECT_EQ(form2().Left(), screen.Width() / 2 - form2().Width() / 2);
  EXPECT_TRUE(form2().Visible());
  // The warm-up translation brings the speech window behind it.
  ASSERT_TRUE(run_until([&] { return !form2().Text3.Text().empty(); }, 10000));
  EXPECT_EQ(form1().Left(), form2().Left());
  EXPECT_EQ(form1().Top(), form2().Top());
  EXPECT_TRUE(run_until([&] { return on_server(form2()) == pixels(form2()); }, 3000))
      << "at " << on_server(form2()).x() << "," << on_server(form2()).y();
  EXPECT_TRUE(run_until([&] { return on_server(form1()) == pixels(form1()); }, 3000));
  EXPECT_TRUE(system().desktop.topmost(form2().hWnd()));
}

TEST_F(X11Program, ADoubleClickOnAWordInAnotherProgramIsCopiedAndTranslated) {
  ASSERT_TRUE(run_until([&] { return ready(); }, 30000));
  act([&] { form2().Picture17_Click(); });
  ASSERT_EQ(form2().Check1.Value(), 1);
  TestEditor editor("котка house");
  ASSERT_TRUE(editor.focus());
  std::string expected = english_to_bulgarian("house");
  ASSERT_FALSE(expected.empty());
  // Well inside the second word; clicks as far apart as a person's, while
  // the program runs on.
  QString window = QString::number(editor.window());
  ASSERT_TRUE(xdotool({"mousemove", "--window", window, "110", "30"}));
  QProcess clicks;
  clicks.start("xdotool", {"click", "--repeat", "2", "--delay", "120", "1"});
  EXPECT_TRUE(
      run_until([&] { return form2().Text3.Text().find(expected) != std::string::npos; }, 8000))
      << "Text1 \"" << form2().Text1.Text() << "\", Text3 \"" << form2().Text3.Text() << "\"";
  act([&] { form2().Picture24_Click(); });
}

TEST_F(X11Program, ALeftPressOnTheTrayIconBringsBothWindowsBack) {
  if (!QtTray::host_runs()) GTEST_SKIP() << "no tray host in this session";
  ASSERT_TRUE(run_until([&] { return ready(); }, 30000));
  ASSERT_TRUE(form2().tray_icon_added());
  act([&] { form2().Picture11_Click(); });
  ASSERT_FALSE(form2().Visible());
  ASSERT_TRUE(run_until([&] { return on_server(form1()).right() < 0; }, 3000)) << "Form1 parked";
  ASSERT_TRUE(run_until([&] { return !viewable(form2()); }, 3000));
  QPoint centre = tray_icon()->geometry().center();
  QProcess press;
  press.start("xdotool", {"mousemove", QString::number(centre.x()), QString::number(centre.y()),
                          "click", "1"});
  EXPECT_TRUE(run_until([&] { return form2().Visible(); }, 3000));
  EXPECT_EQ(form1().Left(), form2().Left());
  EXPECT_TRUE(run_until([&] { return on_server(form1()) == pixels(form1()); }, 3000));
  EXPECT_TRUE(run_until([&] { return on_server(form2()) == pixels(form2()); }, 3000));
}

TEST_F(X11Program, ARightClickOnASelectionInAnotherProgramIsCopiedAndTranslated) {
  ASSERT_TRUE(run_until([&] { return ready(); }, 30000));
  act([&] { form2().Picture17_Click(); });
  ASSERT_EQ(form2().Check1.Value(), 1);
  TestEditor editor("water");
  ASSERT_TRUE(editor.focus());
  std::string expected = english_to_bulgarian("water");
  ASSERT_FALSE(expected.empty());
  ASSERT_EQ(form2().Text3.Text().find(expected), std::string::npos);
  // A person drags across the whole word, from beyond its end to before its
  // start, lets go and presses the right button on the selection.
  QString window = QString::number(editor.window());
  ASSERT_TRUE(xdotool({"mousemove", "--window", window, "370", "30"}));
  QProcess gesture;
  gesture.start("sh", {"-c",
                       "xdotool mousedown 1 && sleep 0.15 && xdotool mousemove_relative "
                       "--sync -- -365 0 && sleep 0.15 && xdotool mouseup 1 && sleep 0.3 "
                       "&& xdotool click 3"});
  EXPECT_TRUE(
      run_until([&] { return form2().Text3.Text().find(expected) != std::string::npos; }, 8000))
      << "Text1 \"" << form2().Text1.Text() << "\", Text3 \"" << form2().Text3.Text()
      << "\", the editor copied " << editor.copied().join(" | ").toStdString();
  gesture.waitForFinished();
  act([&] { form2().Picture24_Click(); });
}

TEST_F(X11Program, WordsTypedIntoTheTranslationWindowAreTranslatedOnEnter) {
  ASSERT_TRUE(run_until([&] { return ready(); }, 30000));
  act([&] { form2().Show(); });
  std::string expected = english_to_bulgarian("dog");
  ASSERT_FALSE(expected.empty());
  ASSERT_EQ(form2().Text3.Text().find(expected), std::string::npos);
  // A person clicks into Text1 where it shows on the screen and types.
  QtWindowView* view = system().desktop.view(form2().hWnd());
  ASSERT_NE(view, nullptr);
  QWidget* text1 = view->widget_of(form2().Text1);
  ASSERT_NE(text1, nullptr);
  ASSERT_TRUE(run_until([&] { return viewable(form2()); }, 3000));
  QPoint inside =
      on_server(form2()).topLeft() + text1->mapTo(&view->top_level(), text1->rect().center());
  QProcess typing;
  typing.start("sh", {"-c", QString("xdotool mousemove --sync %1 %2 click 1 && sleep 0.3 && "
                                    "xdotool type --delay 60 dog && xdotool key Return")
                                .arg(inside.x())
                                .arg(inside.y())});
  EXPECT_TRUE(
      run_until([&] { return form2().Text3.Text().find(expected) != std::string::npos; }, 8000))
      << "Text1 \"" << form2().Text1.Text() << "\", Text3 \"" << form2().Text3.Text() << "\"";
  typing.waitForFinished();
}

// On a server without XTest no keys reach other programs, and one trace
// line says so; the program's own keys still reach its own windows (the
// voice reader's player is worked by keys), so everything else works.
using WithoutXTestProgram = ProgramOnTheDesktop;

TEST_F(WithoutXTestProgram, ComesToItsReadyStateAndTranslatesTheWarmUp) {
  EXPECT_TRUE(run_until([&] { return ready(); }, 30000));
  EXPECT_TRUE(run_until([&] { return !form2().Text3.Text().empty(); }, 10000));
  EXPECT_EQ(std::count_if(
                s_trace.begin(), s_trace.end(),
                [](const std::string& line) { return line.find("no XTest") != std::string::npos; }),
            1);
}

}  // namespace
}  // namespace prevod

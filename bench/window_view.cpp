// What the real desktop's window views cost, on Qt's offscreen platform with
// the program booted on the simulated desktop: a sync when nothing changed
// (the desktop calls it on every change the model reports), a sync after
// one caption changed, the page's view read afresh (once after each run of
// page changes), a key typed through the window's top-level widget, and a
// whole window painted.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <memory>

#include "model/label.h"
#include "model/rich_text_box.h"
#include "model/web_browser.h"
#include "platform/qt/qt_window_view.h"
#include "program/simulated_system.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace {

using namespace prevod;

// The program at its ready state, with a view of each of its two windows.
struct Booted {
  Booted() {
    system.start();
    system.loop.run_pending();
    system.loop.run_until(
        [&] {
          return system.app.shared().VoiceReaderReady == 1 && !system.app.Form2().image1.Visible();
        },
        30000);
    system.loop.advance(5100);
    speech = std::make_unique<QtWindowView>(system.app.Form1(), system.loop);
    translation = std::make_unique<QtWindowView>(system.app.Form2(), system.loop);
  }
  SimulatedSystem system;
  std::unique_ptr<QtWindowView> speech;
  std::unique_ptr<QtWindowView> translation;
};

Booted& booted() {
  static Booted instance;
  return instance;
}

void BM_SyncWithNothingChanged(benchmark::State& state) {
  QtWindowView& view = *booted().translation;
  for (auto _ : state) view.sync();
}
BENCHMARK(BM_SyncWithNothingChanged);

void BM_SyncAfterACaptionChanged(benchmark::State& state) {
  Label& caption = booted().system.app.Form1().Label5;
  QtWindowView& view = *booted().speech;
  bool flip = false;
  for (auto _ : state) {
    caption.set_Caption((flip = !flip) ? "ПОТВЪРДИ" : "НАСТРОЙКИ ГОВОР");
    view.sync();
  }
}
BENCHMARK(BM_SyncAfterACaptionChanged);

void BM_ReadThePlayersPageView(benchmark::State& state) {
  Browser& page = booted().system.app.Form1().WebBrowser1.browser();
  for (auto _ : state) benchmark::DoNotOptimize(page.view());
}
BENCHMARK(BM_ReadThePlayersPageView);

void BM_TypeAKeyIntoTheInputBox(benchmark::State& state) {
  Booted& program = booted();
  RichTextBox& input = program.system.app.Form2().Text1;
  program.system.loop.dispatch("bench", [&] { input.SetFocus(); });
  QWidget& window = program.translation->top_level();
  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&window, &press);
    QApplication::sendEvent(&window, &release);
    program.translation->sync();
    if (input.Text().size() > static_cast<size_t>(state.range(0))) input.set_Text("");
  }
}
// Typed into a box holding up to a phrase, and up to a long text, which the
// box lays out again at every key.
BENCHMARK(BM_TypeAKeyIntoTheInputBox)->Arg(40)->Arg(2000);

void BM_PaintTheSpeechWindow(benchmark::State& state) {
  QtWindowView& view = *booted().speech;
  for (auto _ : state) benchmark::DoNotOptimize(view.render(state.range(0)));
}
BENCHMARK(BM_PaintTheSpeechWindow)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_PaintTheTranslationWindow(benchmark::State& state) {
  QtWindowView& view = *booted().translation;
  for (auto _ : state) benchmark::DoNotOptimize(view.render(state.range(0)));
}
BENCHMARK(BM_PaintTheTranslationWindow)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  QApplication qt(qt_argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

// The real clipboard's times on an X server (run it in a session, for
// example scripts/x11-session -- bench_x11_clipboard): writing our text,
// reading it back, reading another program's text (xclip) short, long
// (200 KB of Cyrillic, in one piece) and very long (5 MB, in increments),
// and how long a read takes to give up on an owner stopped with SIGSTOP.

#include <benchmark/benchmark.h>
#include <signal.h>

#include <QCoreApplication>
#include <QProcess>

#include <cstdlib>
#include <string>

#include "app/runtime_error.h"
#include "app/trace.h"
#include "platform/qt/x11_clipboard.h"

namespace {

using prevod::X11Clipboard;

std::string cyrillic_text(size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += "котка куче вода ";
  return text;
}

class Owner {
 public:
  explicit Owner(const std::string& text) {
    m_process.start("xclip", {"-quiet", "-selection", "clipboard", "-i"});
    m_process.write(text.data(), static_cast<qint64>(text.size()));
    m_process.closeWriteChannel();
  }
  ~Owner() {
    ::kill(static_cast<pid_t>(m_process.processId()), SIGCONT);
    m_process.kill();
    m_process.waitForFinished();
  }
  void stop() { ::kill(static_cast<pid_t>(m_process.processId()), SIGSTOP); }

 private:
  QProcess m_process;
};

// Waits until the other program's text is there.
void wait_for(X11Clipboard& clipboard, const std::string& text) {
  for (int i = 0; i < 1000; ++i) {
    try {
      if (clipboard.GetText().size() == text.size()) return;
    } catch (const prevod::RuntimeError&) {
    }
  }
}

void BM_SetText(benchmark::State& state) {
  prevod::Trace trace;
  X11Clipboard clipboard(trace);
  for (auto _ : state) clipboard.SetText("Здравей, свят!");
}
BENCHMARK(BM_SetText)->Unit(benchmark::kMicrosecond);

void BM_GetOurOwnText(benchmark::State& state) {
  prevod::Trace trace;
  X11Clipboard clipboard(trace);
  clipboard.SetText("Здравей, свят!");
  for (auto _ : state) benchmark::DoNotOptimize(clipboard.GetText());
}
BENCHMARK(BM_GetOurOwnText)->Unit(benchmark::kMicrosecond);

void BM_GetAnotherProgramsText(benchmark::State& state) {
  prevod::Trace trace;
  X11Clipboard clipboard(trace);
  std::string text = cyrillic_text(static_cast<size_t>(state.range(0)));
  Owner owner(text);
  wait_for(clipboard, text);
  for (auto _ : state) benchmark::DoNotOptimize(clipboard.GetText());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_GetAnotherProgramsText)
    ->Arg(20)
    ->Arg(200 << 10)
    ->Arg(5 << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_GiveUpOnAStoppedOwner(benchmark::State& state) {
  prevod::Trace trace;
  X11Clipboard clipboard(trace);
  Owner owner("held");
  wait_for(clipboard, "held");
  owner.stop();
  for (auto _ : state) {
    try {
      clipboard.GetText();
    } catch (const prevod::RuntimeError&) {
    }
  }
}
BENCHMARK(BM_GiveUpOnAStoppedOwner)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("DISPLAY") == nullptr) {
    std::printf("bench_x11_clipboard: no X server (run it inside scripts/x11-session)\n");
    return 0;
  }
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}

// The real clipboard's times on an X server (run it in a session, for
// example scripts/x11-session -- bench_x11_clipboard): writing our text,
// reading it back, reading another program's text (xclip) short, long
// (200 KB of Cyrillic, in one piece) and very long (5 MB, in increments),
// and how long a read takes to give up on an owner stopped with SIGSTOP.

#include "platform/qt/x11_clipboard.h"

#include <benchmark/benchmark.h>
#include <signal.h>

#include <QCoreApplication>
#include <QProcess>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "base/runtime_error.h"
#include "base/trace.h"

namespace {

using namespace prevod;

std::string cyrillic_text(size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += "котка куче вода ";
  return text;
}

class Owner {
 public:
  explicit Owner(const std::string& text) {
    // xclip reports every request it serves; nobody reads that.
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start("xclip", {"-quiet", "-selection", "clipboard", "-i"});
    m_process.waitForStarted();
    m_process.write(text.data(), static_cast<qint64>(text.size()));
    while (m_process.bytesToWrite() > 0 && m_process.waitForBytesWritten(10000)) {
    }
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

// Waits until the other program's text is there; false after ten seconds.
bool wait_for(X11Clipboard& clipboard, const std::string& text) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < end) {
    try {
      if (clipboard.GetText() == text) return true;
    } catch (const RuntimeError&) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

void BM_SetText(benchmark::State& state) {
  Trace trace;
  X11Clipboard clipboard(trace);
  for (auto _ : state) clipboard.SetText("Здравей, свят!");
}
BENCHMARK(BM_SetText)->Unit(benchmark::kMicrosecond);

void BM_GetOurOwnText(benchmark::State& state) {
  Trace trace;
  X11Clipboard clipboard(trace);
  clipboard.SetText("Здравей, свят!");
  for (auto _ : state) benchmark::DoNotOptimize(clipboard.GetText());
}
BENCHMARK(BM_GetOurOwnText)->Unit(benchmark::kMicrosecond);

void BM_GetAnotherProgramsText(benchmark::State& state) {
  Trace trace;
  X11Clipboard clipboard(trace);
  std::string text = cyrillic_text(static_cast<size_t>(state.range(0)));
  Owner owner(text);
  if (!wait_for(clipboard, text)) return state.SkipWithError("xclip did not take the clipboard");
  int failures = 0;
  for (auto _ : state) {
    try {
      if (clipboard.GetText().size() != text.size()) ++failures;
    } catch (const RuntimeError&) {
      ++failures;
    }
  }
  state.counters["failures"] = failures;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_GetAnotherProgramsText)
    ->Arg(20)
    ->Arg(200 << 10)
    ->Arg(5 << 20)
    ->Iterations(50)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_GiveUpOnAStoppedOwner(benchmark::State& state) {
  Trace trace;
  X11Clipboard clipboard(trace);
  Owner owner("held");
  if (!wait_for(clipboard, "held")) return state.SkipWithError("xclip did not take the clipboard");
  owner.stop();
  for (auto _ : state) {
    try {
      clipboard.GetText();
    } catch (const RuntimeError&) {
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

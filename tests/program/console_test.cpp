// The console on any desktop: the commands that read the program or act on
// its windows work wherever it runs; those that take the simulated
// desktop's person or clock answer one clear line elsewhere and change
// nothing; `speech` reads alike from the simulated and the espeak-ng
// engine. Here the console runs over the simulated desktop's parts without
// the simulated desktop's own commands, as it does on the real desktop.

#include "program/console.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/real_time_loop.h"
#include "platform/voice/espeak_engine_factory.h"
#include "platform/voice/espeak_speech_engine.h"
#include "platform/voice/voice_test_support.h"
#include "program/console_session.h"
#include "support/system_fixture.h"
#include "support/test_pipe.h"

namespace prevod {

namespace {

class ConsoleOnAnyDesktop : public SystemFixture {
 protected:
  void SetUp() override {
    boot();
    advance(1000);
    m_console = std::make_unique<Console>(system->app, system->loop, system->desktop,
                                          system->desktop, system->trace, hooks());
  }
  Console::Hooks hooks() {
    Console::Hooks hooks;
    hooks.describe_player = [this] { return system->describe_player(); };
    hooks.describe_player_speech = [this] { return system->describe_player_speech(); };
    return hooks;
  }
  std::string any(const std::string& line) { return m_console->execute(line).value_or("(none)"); }

  std::unique_ptr<Console> m_console;
};

TEST_F(ConsoleOnAnyDesktop, CommandsOfTheSimulatedDesktopAnswerOneLineAndChangeNothing) {
  desktop().sim_clipboard().put("kept");
  const int64_t start = now();
  const uint64_t keys = desktop().key_log().total();
  for (const char* line :
       {"advance 5000", "type cat", "key Enter", "key Ctrl+C", "button left down", "cursor 10 20",
        "tray left", "editor open the cat", "editor state", "clipboard set other",
        "clipboard clear", "clipboard hold on"}) {
    EXPECT_EQ(any(line), Console::OnlySimulated) << line;
  }
  EXPECT_EQ(now(), start);
  EXPECT_EQ(clipboard(), "kept");
  EXPECT_FALSE(desktop().sim_clipboard().held());
  EXPECT_EQ(desktop().cursor().x, 640);
  EXPECT_EQ(desktop().key_log().total(), keys);
  EXPECT_EQ(desktop().editor().text(), "");
}

TEST_F(ConsoleOnAnyDesktop, ReadsTheProgramAndActsOnItsWindows) {
  boot_to_ready();
  EXPECT_EQ(any("get Form2.Loaded"), "True");
  EXPECT_EQ(any("get Form3.Loaded"), "not loaded");
  EXPECT_EQ(any("shared VoiceReaderReady"), "1");
  EXPECT_EQ(any("now"), std::to_string(now()));
  EXPECT_EQ(any("player").rfind("no player", 0), std::string::npos) << any("player");
  EXPECT_NE(any("page Form2.WebBrowser3").find(" :: "), std::string::npos);
  EXPECT_EQ(any("ended"), "no");

  EXPECT_EQ(any("focus Form2.Text1"), "ok");
  EXPECT_EQ(form2().focused_control(), &form2().Text1);
  EXPECT_EQ(any("mousedown Form2.Picture5"), "ok");
  EXPECT_EQ(any("mouseup Form2.Picture5"), "ok");
  EXPECT_EQ(any("click Form2.Picture1"), "ok");
  system->loop.run_pending();
  EXPECT_EQ(any("ended"), "yes");
}

TEST_F(ConsoleOnAnyDesktop, ReadsTheClipboardThroughTheDesktop) {
  desktop().sim_clipboard().put("");
  EXPECT_EQ(any("clipboard"), "(empty)");
  desktop().sim_clipboard().put("two\r\nlines");
  EXPECT_EQ(any("clipboard"), "two\\r\\nlines");
  // An owner that does not let go is an answer, not a failure of the console.
  desktop().sim_clipboard().set_held(true);
  EXPECT_EQ(any("clipboard").rfind("error: ", 0), 0u) << any("clipboard");
  desktop().sim_clipboard().set_held(false);
  EXPECT_EQ(any("clipboard"), "two\\r\\nlines");
}

TEST_F(ConsoleOnAnyDesktop, SpeechWithoutARecordSaysSoOnOneLine) {
  EXPECT_EQ(any("speech"), "engine: error: speech is not recorded || player: at 100 stop");
  Console::Hooks multi_line = hooks();
  multi_line.describe_player_speech = [] { return std::string("at 5 English US \"a\r\nb\""); };
  Console console(system->app, system->loop, system->desktop, system->desktop, system->trace,
                  multi_line);
  EXPECT_EQ(console.execute("speech"),
            "engine: error: speech is not recorded || player: at 5 English US \"a\\r\\nb\"");
}

// The same Speak calls, at the same times, on the simulated engine and on
// espeak-ng: the console answers `speech` with the same line. The espeak-ng
// engine's sound output holds its first text until the end, so that the
// purge finds it still speaking, as the simulated engine is.
TEST(ConsoleSpeech, ReadsTheSameFromTheSimulatedAndTheEspeakEngine) {
  SimulatedSystem simulated;  // not started: no window makes an engine of its own
  std::atomic<int64_t> clock = simulated.loop.now();

  Trace quiet;
  auto gate = std::make_shared<voice_test::GateState>();
  EspeakEngineFactory espeak([gate] { return std::make_unique<voice_test::GatedSink>(gate); },
                             quiet);
  espeak.set_clock([&clock] { return clock.load(); });
  Console::Hooks hooks;
  hooks.spoken = [&espeak] { return espeak.record(); };
  Console real(simulated.app, simulated.loop, simulated.desktop, simulated.desktop, simulated.trace,
               hooks);
  EXPECT_EQ(real.execute("speech"), "engine: none: no speech engine || player: none");

  std::shared_ptr<SpeechEngine> engines[] = {simulated.speech.CreateObject("sapi.spvoice"),
                                             espeak.CreateObject("sapi.spvoice")};
  for (auto& engine : engines) engine->set_Rate(3);
  for (auto& engine : engines) engine->Speak("Едно.", SVSFlagsAsync);
  ASSERT_TRUE(gate->wait_for_writes(1));
  simulated.loop.advance(100);
  clock = simulated.loop.now();
  for (auto& engine : engines) engine->Speak("Две.\r\n", SVSFlagsAsync);
  for (auto& engine : engines) engine->Speak("", SVSFPurgeBeforeSpeak);
  for (auto& engine : engines) engine->Speak("Три.", 0);
  gate->release();
  simulated.loop.advance(10000);
  ASSERT_TRUE(espeak.engine()->speaker().wait_until_idle(voice_test::kGenerous));

  const std::string answer = real.execute("speech").value_or("");
  EXPECT_EQ(answer,
            "engine: at 0 flags 1 rate 3 \"Едно.\" purged | at 100 flags 1 rate 3 "
            "\"Две.\\r\\n\" purged | at 100 flags 2 rate 3 \"\" spoken | at 100 flags 0 rate 3 "
            "\"Три.\" spoken || player: none");
  const std::string simulated_answer = simulated.console().execute("speech").value_or("");
  EXPECT_EQ(simulated_answer.substr(0, simulated_answer.find(" || ")),
            answer.substr(0, answer.find(" || ")));
}

using Pipe = testing::TestPipe;

// The console session on the wall clock, with a pipe for standard input. A
// watchdog ends the loop should the session not end it.
class ConsoleSessionTest : public ::testing::Test {
 protected:
  static constexpr int64_t WatchdogMs = 20000;

  ConsoleSessionTest()
      : console(simulated.app, loop, simulated.desktop, simulated.desktop, simulated.trace, {}) {
    loop.call_later(WatchdogMs, [this] {
      watchdog_fired = true;
      loop.quit();
    });
  }
  void run(AtEndOfInput at_end = AtEndOfInput::EndTheLoop) {
    run_with_console(
        loop, console, input.read_end(),
        [this](const std::string& line) { answers.push_back(line); }, at_end);
  }

  SimulatedSystem simulated;
  RealTimeLoop loop;
  Console console;
  Pipe input;
  std::vector<std::string> answers;
  bool watchdog_fired = false;
};

TEST_F(ConsoleSessionTest, AnswersEachCommandInOrderUntilQuit) {
  EXPECT_TRUE(input.write(
      "get Form2.Loaded\n# a comment\n\nget Form9.Loaded\nnow 1\nquit\nget Form2.Loaded\n"));
  run();
  EXPECT_FALSE(watchdog_fired);
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_EQ(answers[0], "not loaded");
  EXPECT_EQ(answers[1].rfind("error: ", 0), 0u);
}

TEST_F(ConsoleSessionTest, TheEndOfTheInputEndsTheLoop) {
  EXPECT_TRUE(input.write("ended\nexi"));
  input.close_write();
  run();
  EXPECT_FALSE(watchdog_fired);
  EXPECT_EQ(answers, (std::vector<std::string>{"no", "error: unknown command exi"}));
}

TEST_F(ConsoleSessionTest, CanKeepTheLoopRunningPastTheEndOfTheInput) {
  EXPECT_TRUE(input.write("ended\n"));
  input.close_write();
  // The program ends the loop itself, a while after the answer: the end of
  // the input must not have ended it first.
  bool ended_by_program = false;
  run_with_console(
      loop, console, input.read_end(),
      [&](const std::string& line) {
        answers.push_back(line);
        loop.call_later(50, [&] {
          ended_by_program = true;
          loop.quit();
        });
      },
      AtEndOfInput::KeepRunning);
  EXPECT_FALSE(watchdog_fired);
  EXPECT_TRUE(ended_by_program);
  EXPECT_EQ(answers, (std::vector<std::string>{"no"}));
}

}  // namespace

}  // namespace prevod

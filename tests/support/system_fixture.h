#pragma once

// Boots the whole program on the simulated desktop with the embedded
// services and steps its virtual clock. Tests read and drive it through the
// forms, the simulated desktop and the console.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "program/simulated_system.h"
#include "speech/form3.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {

class SystemFixture : public ::testing::Test {
 protected:
  // Builds the system; the program starts at once unless `start` is false.
  void boot(SimulatedSystem::Options options = {}, bool start = true) {
    system = std::make_unique<SimulatedSystem>(std::move(options));
    if (start) {
      system->start();
      system->loop.run_pending();
    }
  }
  void SetUp() override { boot(); }

  // Runs the start-up through to the warm-up result: the window revealed,
  // "Hello!" translated and its speech planned.
  void boot_to_ready() {
    ASSERT_TRUE(run_until(
        [&] { return system->app.shared().VoiceReaderReady == 1 && !form2().image1.Visible(); },
        20000));
    advance(3000 + 2000 + 100);  // warm-up, then its result
  }

  void advance(int64_t ms) { system->loop.advance(ms); }
  bool run_until(const std::function<bool()>& done, int64_t limit_ms) {
    return system->loop.run_until(done, limit_ms);
  }
  int64_t now() const { return system->loop.now(); }

  Form1& form1() { return system->app.Form1(); }
  Form2& form2() { return system->app.Form2(); }
  SharedState& shared() { return system->app.shared(); }
  SimDesktop& desktop() { return system->desktop; }
  std::string clipboard() { return desktop().sim_clipboard().peek().value_or(""); }

  // A person's action, as a top-level event followed by what falls due now.
  void act(const std::function<void()>& action) {
    system->loop.dispatch("test", action);
    system->loop.run_pending();
  }
  void type(const std::string& text) {
    act([&] { desktop().type_text(text); });
  }
  void key(uint8_t code, bool shift = false, bool ctrl = false) {
    act([&] { desktop().press_key(code, shift, ctrl); });
  }
  void click(Control& control) {
    act([&] {
      if (control.window().Visible()) desktop().activate(control.window());
      control.user_click();
    });
  }
  // The console's answer to a command line ("" for no answer).
  std::string console(const std::string& line) {
    return system->console().execute(line).value_or("");
  }

  std::unique_ptr<SimulatedSystem> system;
};

}  // namespace prevod

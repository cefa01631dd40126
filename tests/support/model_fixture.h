#pragma once

// The run-time model on its own: a virtual clock, the simulated desktop and
// an application with no windows of its own, for tests of windows, controls
// and timers built from small layouts of the tests' making. No browser and
// no speech engine can be created here.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "base/runtime_error.h"
#include "base/simulated_loop.h"
#include "base/trace.h"
#include "model/application.h"
#include "model/config.h"
#include "model/runtime.h"
#include "model/window.h"
#include "platform/browser.h"
#include "platform/sim/sim_desktop.h"
#include "platform/speech_engine.h"

namespace prevod {

class ModelFixture : public ::testing::Test {
 protected:
  class NoBrowsers : public BrowserFactory {
   public:
    std::unique_ptr<Browser> create_browser() override {
      throw RuntimeError("no browser in the model tests");
    }
  };
  class NoSpeech : public SpeechEngineFactory {
   public:
    std::shared_ptr<SpeechEngine> CreateObject(const std::string&) override {
      throw RuntimeError("no speech engine in the model tests");
    }
  };
  class TestApplication : public Application {
   public:
    explicit TestApplication(Runtime& runtime) : Application(runtime, {}) {}

   protected:
    std::unique_ptr<Window> make_window(const std::string&) override { return nullptr; }
  };

  ModelFixture() {
    loop.set_trace(&trace);
    loop.set_input_pump([this] { desktop().deliver_input(); });
  }

  void advance(int64_t ms) { loop.advance(ms); }
  int64_t now() const { return loop.now(); }
  SimDesktop& desktop() { return m_desktop; }
  std::string clipboard() { return m_desktop.sim_clipboard().peek().value_or(""); }

  // A person's action, as a top-level event followed by what falls due now.
  void act(const std::function<void()>& action) {
    loop.dispatch("test", action);
    loop.run_pending();
  }
  void type(const std::string& text) {
    act([&] { desktop().type_text(text); });
  }
  void key(uint8_t code, bool shift = false, bool ctrl = false) {
    act([&] { desktop().press_key(code, shift, ctrl); });
  }

  SimulatedLoop loop;
  Trace trace;

 private:
  SimDesktop m_desktop{loop, trace};
  NoBrowsers m_browsers;
  NoSpeech m_speech;
  Config m_config;
  Runtime m_runtime{loop, m_desktop, m_desktop, m_browsers, m_speech, trace, m_config};

 protected:
  TestApplication app{m_runtime};
};

}  // namespace prevod

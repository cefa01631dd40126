// A long run of the whole program on the simulated desktop: a seeded random
// user works it for many simulated hours (typed translations, selections
// captured from another program, clipboard changes, the tray icon, dragging,
// the panels and the speech options), while the program's invariants are
// checked after every step and every timer tick. It prints the resident
// memory once a simulated hour; memory that keeps growing is a leak or an
// unbounded log.
//
//   bench_soak [HOURS] [SEED]        (72 hours and seed 1 by default)
//
// It exits non-zero when an invariant is broken, or when the resident
// memory of the last hour is more than 1 MiB above that of the first.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "app/prevod.h"
#include "model/timer.h"
#include "platform/keys.h"
#include "platform/sim/sim_desktop.h"
#include "program/simulated_system.h"
#include "speech/form3.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

namespace prevod {
namespace {

constexpr int64_t Hour = 3600 * 1000;

long resident_kib() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

class Soak {
 public:
  explicit Soak(uint32_t seed) : m_random(seed) {
    m_system.trace.set_enabled(true);
    m_system.trace.set_sink([this](const std::string& line) { traced(line); });
    // After every top-level handler, whatever ran: the synthetic keys are
    // delivered, then the invariants are checked and the timers' schedules
    // taken down.
    m_system.loop.set_input_pump([this] {
      m_system.desktop.deliver_input();
      check("a handler");
    });
    m_system.start();
    m_system.loop.run_pending();
    watch_timers(m_system.app.Form1());
    watch_timers(m_system.app.Form2());
    m_system.desktop.editor().open_with("the quick brown fox jumps over the lazy dog");
    m_system.loop.run_until([this] { return m_system.app.shared().VoiceReaderReady == 1; }, 30000);
  }

  bool run(int hours) {
    std::vector<long> rss;
    for (int hour = 1; hour <= hours && m_violations.empty(); ++hour) {
      int64_t end = hour * Hour;
      while (m_system.loop.now() < end && m_violations.empty() && !m_system.app.ended()) step();
      if (m_system.app.ended()) {
        m_violations.push_back("the program ended");
        break;
      }
      rss.push_back(resident_kib());
      std::printf("hour %2d: resident %6ld KiB, %6d steps, %5d requests, %5d reads\n", hour,
                  rss.back(), m_steps, m_requests, m_reads);
      std::fflush(stdout);
    }
    for (const std::string& violation : m_violations)
      std::printf("violation: %s\n", violation.c_str());
    if (!m_violations.empty() || rss.empty()) return false;
    long growth = rss.back() - rss.front();
    std::printf("resident memory from hour 1 to hour %zu: %+ld KiB\n", rss.size(), growth);
    return growth <= 1024;
  }

 private:
  int below(int n) { return static_cast<int>(m_random() % static_cast<uint32_t>(n)); }
  Form1& form1() { return m_system.app.Form1(); }
  Form2& form2() { return m_system.app.Form2(); }
  SimDesktop& desktop() { return m_system.desktop; }

  void act(const std::function<void()>& action) {
    m_system.loop.dispatch("soak", action);
    m_system.loop.run_pending();
  }
  void advance(int64_t ms) { m_system.loop.advance(ms); }

  // A request is a navigation of the translation window's browser to a
  // translation address; its read is Timer2's tick.
  void traced(const std::string& line) {
    if (line.find("navigate http://translate.localhost/?hl=bg&tab=wT#") != std::string::npos) {
      ++m_requests;
    }
  }

  void watch_timers(Window& window) {
    for (const auto& control : window.controls()) {
      auto* timer = dynamic_cast<Timer*>(control.get());
      if (timer == nullptr) continue;
      size_t index = m_timers.size();
      m_timers.push_back(timer);
      m_due.push_back(timer->next_tick());
      std::string where = window.name() + "." + timer->name();
      std::function<void()> handler = timer->on_timer;
      timer->on_timer = [this, index, where, handler] {
        ticked(index, where);
        if (handler) handler();
      };
    }
  }

  // A timer fires exactly when its schedule said it would, as taken down
  // after the previous handler.
  void ticked(size_t index, const std::string& where) {
    int64_t now = m_system.loop.now();
    if (m_due[index] != now) {
      violation(where + " fired at " + std::to_string(now) + ", due at " +
                std::to_string(m_due[index]));
    }
    if (m_timers[index] == &form2().Timer2) read_result();
  }

  // At most one read per request.
  void read_result() {
    ++m_reads;
    if (m_last_read_request == m_requests) {
      violation("a second read of request " + std::to_string(m_requests));
    }
    m_last_read_request = m_requests;
  }

  void check(const std::string& where) {
    Form2* f = m_system.app.Form2_if_loaded();
    if (f != nullptr) {
      int running = f->Timer1111.Enabled() + f->Timer4444.Enabled() + f->Timer2222.Enabled();
      bool on = f->Check1.Value() == 1;
      bool holds = on ? running == 1 && f->Timer5.Enabled() : running == 0 && !f->Timer5.Enabled();
      if (!holds) {
        violation(where + ": capture " + (on ? "on" : "off") + " with " + std::to_string(running) +
                  " poll timer(s)");
      }
    }
    for (size_t i = 0; i < m_timers.size(); ++i) m_due[i] = m_timers[i]->next_tick();
  }

  void violation(const std::string& what) {
    if (m_violations.size() < 20) {
      m_violations.push_back("at " + std::to_string(m_system.loop.now()) + " ms: " + what);
    }
  }

  void step() {
    ++m_steps;
    int roll = below(100);
    if (roll < 30) {
      type_translation();
    } else if (roll < 40) {
      capture_by_double_click();
    } else if (roll < 45) {
      capture_by_right_click();
    } else if (roll < 55) {
      std::string text = m_words[static_cast<size_t>(below(static_cast<int>(m_words.size())))];
      act([&] { desktop().sim_clipboard().put(text); });
    } else if (roll < 60) {
      act([&] { desktop().click_tray(below(2) == 0 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN); });
    } else if (roll < 66) {
      drag();
    } else if (roll < 72) {
      toggle_capture();
    } else if (roll < 78) {
      toggle_speech_option();
    } else if (roll < 83) {
      open_and_close_settings();
    } else {
      // The user reads, or is away.
    }
    advance(5000 + below(115000));
  }

  void type_translation() {
    if (!form2().Visible()) act([&] { desktop().click_tray(WM_LBUTTONDOWN); });
    if (!form2().Text1.Visible()) return;
    act([&] { form2().Text1.SetFocus(); });
    act([&] { desktop().press_key('A', false, true); });
    act([&] {
      desktop().type_text(m_words[static_cast<size_t>(below(static_cast<int>(m_words.size())))]);
    });
    act([&] { desktop().press_key(vk::RETURN); });
    if (below(4) == 0) {
      // A second request while the first one's read is still pending.
      advance(below(2000));
      act([&] { form2().Text1.SetFocus(); });
      act([&] { desktop().press_key('A', false, true); });
      act([&] { desktop().type_text("dog"); });
      act([&] { desktop().press_key(vk::RETURN); });
    }
  }

  void cursor_over_editor_word() {
    const RECT& area = desktop().editor().rect();
    desktop().set_cursor(area.Left + (4 + below(30)) * SimEditor::CharWidth + 2, area.Top + 5);
  }

  void capture_by_double_click() {
    act([&] { desktop().focus_editor(); });
    cursor_over_editor_word();
    for (int click = 0; click < 2; ++click) {
      act([&] { desktop().mouse_button(1, true); });
      advance(20 + below(40));
      act([&] { desktop().mouse_button(1, false); });
      advance(100 + below(50));
    }
  }

  void capture_by_right_click() {
    act([&] { desktop().focus_editor(); });
    act([&] { desktop().editor().select(4, 9); });
    cursor_over_editor_word();
    act([&] { desktop().mouse_button(2, true); });
    advance(30 + below(200));
    act([&] { desktop().mouse_button(2, false); });
  }

  void drag() {
    if (!form2().Visible()) return;
    int x = 200 + below(800);
    int y = 200 + below(400);
    act([&] { desktop().set_cursor(x, y); });
    act([&] { form2().Label18.user_mouse(true, 1, 0, 0); });
    for (int move = 0; move < 5; ++move) {
      x += below(41) - 20;
      y += below(41) - 20;
      act([&] { desktop().set_cursor(x, y); });
      advance(50);
    }
    act([&] { form2().Label18.user_mouse(false, 1, 0, 0); });
  }

  void toggle_capture() {
    if (!form2().Visible()) return;
    Control& row = form2().Check1.Value() == 1 ? static_cast<Control&>(form2().Picture24)
                                               : static_cast<Control&>(form2().Picture17);
    act([&] { row.user_click(); });
  }

  void toggle_speech_option() {
    if (!form2().Visible()) return;
    act([&] {
      if (below(2) == 0) {
        form2().Check2.set_Value(static_cast<int16_t>(1 - form2().Check2.Value()));
      } else {
        form2().Check3.set_Value(static_cast<int16_t>(1 - form2().Check3.Value()));
      }
    });
  }

  void open_and_close_settings() {
    if (!form2().Visible()) return;
    act([&] { form1().Label5.user_click(); });
    advance(1000 + below(5000));
    act([&] { form1().Label5.user_click(); });
  }

  SimulatedSystem m_system;
  std::mt19937 m_random;
  std::vector<std::string> m_words = {"cat",    "dog",     "water", "котка", "куче",   "вода",
                                      "Hello!", "the cat", "cold",  "cats",  "котките"};
  std::vector<const Timer*> m_timers;
  // Each watched timer's next tick, as it stood after the last handler.
  std::vector<int64_t> m_due;
  std::vector<std::string> m_violations;
  int m_steps = 0;
  int m_requests = 0;
  int m_reads = 0;
  int m_last_read_request = -1;
};

int run_soak(int argc, char** argv) {
  int hours = argc > 1 ? std::atoi(argv[1]) : 72;
  uint32_t seed = argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 1;
  if (hours <= 0) {
    std::fprintf(stderr, "usage: bench_soak [HOURS] [SEED]\n");
    return 2;
  }
  std::printf("soak: %d simulated hours, seed %u\n", hours, seed);
  Soak soak(seed);
  bool good = soak.run(hours);
  std::printf("soak: %s\n", good ? "held" : "FAILED");
  return good ? 0 : 1;
}

}  // namespace
}  // namespace prevod

int main(int argc, char** argv) {
  return prevod::run_soak(argc, argv);
}

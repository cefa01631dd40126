#pragma once

// The whole program booted and settled after its warm-up translation, with
// the tools the selection-capture tests share: mouse buttons, the capture
// option, stepping to a timer's next tick, the state of the gesture watcher
// and the copy sequences found in the log of synthetic keys.

#include <cstdint>
#include <string>

#include "model/timer.h"
#include "platform/keys.h"
#include "support/system_fixture.h"

namespace prevod {

class CaptureFixture : public SystemFixture {
 protected:
  void SetUp() override {
    SystemFixture::SetUp();
    boot_to_ready();
    // The warm-up's speech through the voice reader ends well within this.
    advance(10000);
    desktop().clear_key_log();
  }

  // The option row as a person clicks it: the off picture switches the
  // option on, the on picture switches it off.
  void switch_on() { click(form2().Picture17); }
  void switch_off() { click(form2().Picture24); }

  void press(int button) {
    act([&] { desktop().mouse_button(button, true); });
  }
  void release(int button) {
    act([&] { desktop().mouse_button(button, false); });
  }
  // A press held for `hold_ms` and released.
  void click_button(int button, int64_t hold_ms = 20) {
    press(button);
    advance(hold_ms);
    release(button);
  }

  // Runs the clock up to and including the next tick of `timer`.
  void advance_to_tick(const Timer& timer) {
    ASSERT_GE(timer.next_tick(), now()) << "the timer is not running";
    advance(timer.next_tick() - now());
  }

  // The poll timer that is enabled: "Armed", "AwaitRelease",
  // "AwaitNextPress", "none" or "several".
  std::string watcher_state() {
    Form2& f = form2();
    int running = f.Timer1111.Enabled() + f.Timer4444.Enabled() + f.Timer2222.Enabled();
    if (running == 0) return "none";
    if (running > 1) return "several";
    if (f.Timer1111.Enabled()) return "Armed";
    if (f.Timer4444.Enabled()) return "AwaitRelease";
    return "AwaitNextPress";
  }

  // How many times the copy sequence Esc down, Esc up, Ctrl down, C down,
  // C up, Ctrl up (presses with flags 1, releases with flags 3, scan code
  // and extra information 0) stands in the key log.
  int copy_sequences() const {
    static const SimDesktop::KeyRecord sequence[] = {
        {vk::ESCAPE, 0, 1, 0}, {vk::ESCAPE, 0, 3, 0}, {vk::CONTROL, 0, 1, 0},
        {vk::C, 0, 1, 0},      {vk::C, 0, 3, 0},      {vk::CONTROL, 0, 3, 0},
    };
    const auto& log = system->desktop.key_log();
    constexpr size_t length = std::size(sequence);
    int found = 0;
    for (size_t start = 0; start + length <= log.size(); ++start) {
      bool match = true;
      for (size_t i = 0; i < length && match; ++i) {
        const auto& a = log[start + i];
        const auto& b = sequence[i];
        match = a.code == b.code && a.scan == b.scan && a.flags == b.flags && a.extra == b.extra;
      }
      if (match) ++found;
    }
    return found;
  }

  // The editor's screen point over character `index` of its text.
  void cursor_over_editor_character(int index) {
    const RECT& rect = desktop().editor().rect();
    desktop().set_cursor(rect.Left + index * SimEditor::CharWidth + SimEditor::CharWidth / 2,
                         rect.Top + 20);
  }
};

}  // namespace prevod

// Selection capture end to end: a person double-clicks a word or
// right-clicks a selection in another program's editor, the gesture watcher
// arms the copy sequencer, the editor answers Escape and Ctrl+C, the
// clipboard watcher takes the text and the translation follows. Also a long
// random session that checks the watcher's invariant at every tick, and the
// same road driven through prevod-sim.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "capture/capture_fixture.h"
#include "services/translator/language.h"
#include "services/translator/translator.h"
#include "services/translator/translator_site.h"

namespace prevod {

namespace {

class CaptureEndToEnd : public CaptureFixture {
 protected:
  std::string english_to_bulgarian(const std::string& text) {
    return system->translator->translator().translate(Language::English, Language::Bulgarian, text);
  }
  // Waits for the result box to show something other than `before`.
  bool result_changes(const std::string& before, int64_t limit_ms) {
    return run_until([&] { return form2().Text3.Text() != before; }, limit_ms);
  }
  // The first left click of a gesture in the editor at character `index`,
  // stepped until the watcher has seen the press and its release.
  void first_click_in_editor(int index) {
    cursor_over_editor_character(index);
    advance(10);
    click_button(1);
    advance_to_tick(form2().Timer1111);
    advance_to_tick(form2().Timer4444);
    ASSERT_EQ(watcher_state(), "AwaitNextPress");
  }
};

TEST_F(CaptureEndToEnd, ADoubleClickOnAWordInTheEditorIsCopiedAndTranslated) {
  Form2& f = form2();
  SimEditor& editor = desktop().editor();
  editor.open_with("the water is cold");
  desktop().focus_editor();
  switch_on();
  std::string before = f.Text3.Text();

  first_click_in_editor(5);
  EXPECT_EQ(editor.selected_text(), "");
  advance(10);
  click_button(1);
  EXPECT_EQ(editor.selected_text(), "water") << "the editor's own double click selects the word";
  EXPECT_EQ(desktop().foreground(), editor.handle());

  advance_to_tick(f.Timer2222);
  int64_t recognised = now();
  ASSERT_TRUE(f.Kopirane.Enabled()) << "the double click is recognised";
  EXPECT_FALSE(desktop().sim_clipboard().peek().has_value());

  desktop().clear_key_log();
  advance(299);
  EXPECT_TRUE(desktop().key_log().empty());
  advance(1);
  const std::vector<SimDesktop::KeyRecord> expected = {
      {vk::ESCAPE, 0, 1, 0}, {vk::ESCAPE, 0, 3, 0}, {vk::CONTROL, 0, 1, 0},
      {vk::C, 0, 1, 0},      {vk::C, 0, 3, 0},      {vk::CONTROL, 0, 3, 0},
  };
  ASSERT_EQ(desktop().key_log().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(desktop().key_log()[i].code, expected[i].code) << i;
    EXPECT_EQ(desktop().key_log()[i].flags, expected[i].flags) << i;
  }
  EXPECT_EQ(clipboard(), "water") << "the editor copied its selection";

  // The clipboard watcher's next poll, at most 300 ms later, takes it.
  ASSERT_TRUE(run_until([&] { return f.Text1.Text() == "water"; }, 300));
  int64_t taken = now();
  EXPECT_LE(taken - recognised, 300 + 300);
  EXPECT_EQ(f.Text4.Text(), " water  ");
  EXPECT_TRUE(f.Visible());
  EXPECT_TRUE(desktop().topmost(f.hWnd()));
  EXPECT_NE(f.WebBrowser3.LocationURL().find("/?hl=bg&tab=wT#en|bg| water"), std::string::npos)
      << f.WebBrowser3.LocationURL();

  ASSERT_TRUE(result_changes(before, 3000));
  EXPECT_GE(now() - taken, 2000) << "the result is read two seconds after the request";
  EXPECT_EQ(f.Text3.Text(), english_to_bulgarian("water"));
  EXPECT_EQ(watcher_state(), "Armed");
}

TEST_F(CaptureEndToEnd, ARightClickOnASelectionIsCopiedThroughTimerDesenAfterEscapeClosesTheMenu) {
  Form2& f = form2();
  SimEditor& editor = desktop().editor();
  editor.open_with("the water is cold");
  desktop().focus_editor();
  switch_on();
  std::string before = f.Text3.Text();
  advance(400);
  std::string clipboard_before = clipboard();

  first_click_in_editor(4);
  // The simulated editor has no dragging: the selection is made as a drag
  // from "water" to "is" would leave it.
  editor.select(4, 12);
  advance(10);
  click_button(2);
  EXPECT_TRUE(editor.menu_open());
  advance_to_tick(f.Timer2222);
  ASSERT_TRUE(f.TimerDesen.Enabled());
  EXPECT_EQ(f.TimerDesen.next_tick(), now() + 500);
  EXPECT_FALSE(f.Kopirane.Enabled());
  EXPECT_EQ(clipboard(), clipboard_before) << "the right-click path does not empty the clipboard";

  desktop().clear_key_log();
  advance(499);
  EXPECT_TRUE(editor.menu_open());
  EXPECT_EQ(copy_sequences(), 0);
  advance(1);
  EXPECT_EQ(copy_sequences(), 1);
  EXPECT_FALSE(editor.menu_open());
  EXPECT_EQ(clipboard(), "water is");

  ASSERT_TRUE(run_until([&] { return f.Text1.Text() == "water is"; }, 300));
  ASSERT_TRUE(result_changes(before, 3000));
  EXPECT_EQ(f.Text3.Text(), english_to_bulgarian("water is"));
}

TEST_F(CaptureEndToEnd, ADoubleClickWhereNothingIsSelectedTranslatesNothing) {
  Form2& f = form2();
  desktop().editor().open_with("one     two");
  desktop().focus_editor();
  switch_on();
  advance(400);
  std::string text1 = f.Text1.Text();
  std::string result = f.Text3.Text();
  std::string address = f.WebBrowser3.LocationURL();

  first_click_in_editor(5);  // between the words
  advance(10);
  click_button(1);
  EXPECT_EQ(desktop().editor().selected_text(), "");
  advance(1000);
  EXPECT_EQ(copy_sequences(), 1);
  EXPECT_EQ(clipboard(), "") << "emptied at the double click, and Ctrl+C copied nothing";
  advance(3000);
  EXPECT_EQ(f.Text1.Text(), text1);
  EXPECT_EQ(f.Text3.Text(), result);
  EXPECT_EQ(f.WebBrowser3.LocationURL(), address);
}

TEST_F(CaptureEndToEnd, SwitchingOffWhileASequenceIsPendingStillSendsTheKeysButTranslatesNothing) {
  Form2& f = form2();
  SimEditor& editor = desktop().editor();
  editor.open_with("the water is cold");
  desktop().focus_editor();
  switch_on();
  advance(400);
  std::string text1 = f.Text1.Text();
  std::string address = f.WebBrowser3.LocationURL();

  // The double-click road: Kopirane pending when the option goes off, as
  // the speech settings panel switches it off.
  first_click_in_editor(5);
  advance(10);
  click_button(1);
  advance_to_tick(f.Timer2222);
  ASSERT_TRUE(f.Kopirane.Enabled());
  act([&] { f.Check1.set_Value(0); });
  EXPECT_TRUE(f.Kopirane.Enabled());
  advance(300);
  EXPECT_EQ(copy_sequences(), 1);
  EXPECT_EQ(clipboard(), "water");

  // The right-click road, with TimerDesen pending.
  act([&] { f.Check1.set_Value(1); });
  first_click_in_editor(13);
  editor.select(13, 17);
  click_button(2);
  advance_to_tick(f.Timer2222);
  ASSERT_TRUE(f.TimerDesen.Enabled());
  act([&] { f.Check1.set_Value(0); });
  advance(500);
  EXPECT_EQ(copy_sequences(), 2);
  EXPECT_EQ(clipboard(), "cold");

  advance(3000);
  EXPECT_EQ(f.Text1.Text(), text1);
  EXPECT_EQ(f.WebBrowser3.LocationURL(), address);
}

// While the option is on exactly one of the three poll timers runs, and the
// clipboard watcher with them; while it is off none does. Checked after
// every step of a long random session and after every timer tick.
TEST_F(CaptureEndToEnd, TheWatcherInvariantHoldsAtEveryTickOfALongRandomSession) {
  std::vector<std::string> violations;
  auto check = [&](const std::string& where) {
    Form2& f = form2();
    int running = f.Timer1111.Enabled() + f.Timer4444.Enabled() + f.Timer2222.Enabled();
    bool on = f.Check1.Value() == 1;
    bool holds = on ? running == 1 && f.Timer5.Enabled() : running == 0 && !f.Timer5.Enabled();
    if (!holds && violations.size() < 10) {
      violations.push_back(where + " at " + std::to_string(now()) + ": option " +
                           (on ? "on" : "off") + ", " + std::to_string(running) + " poll timer(s)");
    }
  };
  int copies_by_kopirane = 0;
  int copies_by_timerdesen = 0;
  for (Window* window : std::vector<Window*>{&form1(), &form2()}) {
    for (const auto& control : window->controls()) {
      auto* timer = dynamic_cast<Timer*>(control.get());
      if (timer == nullptr) continue;
      std::function<void()> handler = timer->on_timer;
      std::string where = window->name() + "." + timer->name();
      int* count = timer == &form2().Kopirane     ? &copies_by_kopirane
                   : timer == &form2().TimerDesen ? &copies_by_timerdesen
                                                  : nullptr;
      timer->on_timer = [handler, where, count, &check] {
        if (count != nullptr) ++*count;
        if (handler) handler();
        check(where);
      };
    }
  }

  desktop().editor().open_with("the quick brown fox jumps over the lazy dog");
  std::mt19937 random(20240611);
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  bool left = false;
  bool right = false;
  constexpr int Steps = 4000;
  for (int step = 0; step < Steps && violations.empty(); ++step) {
    int roll = below(100);
    std::string what;
    if (roll < 35) {
      what = "advance";
      advance(1 + below(700));
    } else if (roll < 60) {
      left = !left;
      what = left ? "left down" : "left up";
      act([&] { desktop().mouse_button(1, left); });
      advance(below(60));
    } else if (roll < 72) {
      right = !right;
      what = right ? "right down" : "right up";
      act([&] { desktop().mouse_button(2, right); });
    } else if (roll < 78) {
      what = "Picture17_Click";
      act([&] { form2().Picture17_Click(); });
    } else if (roll < 83) {
      what = "Picture24_Click";
      act([&] { form2().Picture24_Click(); });
    } else if (roll < 86) {
      what = "Check1 by code";
      act([&] { form2().Check1.set_Value(static_cast<int16_t>(below(2))); });
    } else if (roll < 96) {
      what = "cursor";
      if (below(3) == 0) {
        desktop().set_cursor(50, 50);
      } else {
        cursor_over_editor_character(below(45));
      }
    } else {
      what = "clipboard hold";
      desktop().sim_clipboard().set_held(!desktop().sim_clipboard().held());
    }
    check("step " + std::to_string(step) + " (" + what + ")");
  }
  desktop().sim_clipboard().set_held(false);
  advance(5000);
  check("end");

  for (const std::string& violation : violations) ADD_FAILURE() << violation;
  // The session went through both roads, more than once.
  EXPECT_GT(copies_by_kopirane, 5);
  EXPECT_GT(copies_by_timerdesen, 5);
  EXPECT_EQ(copy_sequences(), copies_by_kopirane + copies_by_timerdesen);
}

#ifdef PREVOD_SIM_BINARY
TEST_F(CaptureEndToEnd, PrevodSimDrivesADoubleClickCaptureFromAScript) {
  namespace fs = std::filesystem;
  fs::path script =
      fs::temp_directory_path() / ("prevod-capture-" + std::to_string(::getpid()) + ".txt");
  {
    std::ofstream out(script);
    out << "advance 30000\n"
           "click Form2.Picture17\n"
           "get Form2.Check1.Value\n"
           "editor open the water is cold\n"
           "cursor 144 620\n"
           "advance 10\n"
           "button left down\n"
           "button left up\n"
           "advance 200\n"
           "button left down\n"
           "button left up\n"
           "editor state\n"
           "advance 1000\n"
           "get Form2.Text1.Text\n"
           "advance 3000\n"
           "get Form2.Text3.Text\n";
  }
  std::string command = std::string("\"") + PREVOD_SIM_BINARY + "\" < \"" + script.string() + "\"";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::vector<std::string> answers;
  char buffer[4096];
  std::string pending;
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
    pending += buffer;
    if (!pending.empty() && pending.back() == '\n') {
      pending.pop_back();
      answers.push_back(pending);
      pending.clear();
    }
  }
  int status = pclose(pipe);
  fs::remove(script);
  EXPECT_EQ(status, 0);

  const std::vector<std::string> expected = {
      "now 30000", "ok",        "1",         "ok",
      "ok",        "now 30010", "ok",        "ok",
      "now 30210", "ok",        "ok",        "\"the water is cold\" selected \"water\"",
      "now 31210", "water",     "now 34210", english_to_bulgarian("water"),
  };
  EXPECT_EQ(answers, expected);
}
#endif

}  // namespace

}  // namespace prevod

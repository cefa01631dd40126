#include "desktop/klik.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/bas_main.h"
#include "platform/keys.h"
#include "support/system_fixture.h"

namespace prevod {

namespace {

class KlikTest : public SystemFixture {
 protected:
  void SetUp() override { boot({}, false); }
  User32& user32() { return desktop().user32(); }
  // The key log as "Tab+ Tab-" words, with every flag checked on the way.
  std::string events() {
    std::string out;
    for (const auto& key : desktop().key_log()) {
      bool up = key.flags == 3;
      EXPECT_TRUE(key.flags == 1 || key.flags == 3) << "flags " << key.flags;
      EXPECT_EQ(key.scan, 0);
      EXPECT_EQ(key.extra, 0u);
      if (!out.empty()) out += ' ';
      out += std::string(key_name(key.code)) + (up ? "-" : "+");
    }
    desktop().clear_key_log();
    return out;
  }
};

TEST_F(KlikTest, PrimitivesSendFlagsOneAndThreeForEveryKey) {
  KeyDown(user32(), vk::SHIFT);
  KeyUp(user32(), vk::SHIFT);
  KeyDown(user32(), 'C');
  KeyUp(user32(), 'C');
  EXPECT_EQ(events(), "Shift+ Shift- C+ C-");
}

TEST_F(KlikTest, ChordsPressInOrderAndReleaseInReverse) {
  PressTab(user32());
  EXPECT_EQ(events(), "Tab+ Tab-");
  PressShiftTab(user32());
  EXPECT_EQ(events(), "Shift+ Tab+ Tab- Shift-");
  PressEnter(user32());
  EXPECT_EQ(events(), "Enter+ Enter-");
  PressCtrlC(user32());
  EXPECT_EQ(events(), "Ctrl+ C+ C- Ctrl-");
  PressCtrlV(user32());
  EXPECT_EQ(events(), "Ctrl+ V+ V- Ctrl-");
  PressCtrlA(user32());
  EXPECT_EQ(events(), "Ctrl+ A+ A- Ctrl-");
  PressDelete(user32());
  EXPECT_EQ(events(), "Delete+ Delete-");
  PressDown(user32());
  PressUp(user32());
  EXPECT_EQ(events(), "Down+ Down- Up+ Up-");
}

TEST_F(KlikTest, ListMacrosHaveExactCounts) {
  PickListFromTop(user32());
  std::string top = events();
  EXPECT_EQ(top,
            "PageUp+ PageUp- PageUp+ PageUp- PageUp+ PageUp- PageUp+ PageUp- PageUp+ PageUp- "
            "Down+ Down- Down+ Down- Down+ Down- Down+ Down- Down+ Down-");
  PickListFromBottom(user32());
  std::string bottom = events();
  auto count = [&](const std::string& word) {
    size_t n = 0;
    for (size_t at = bottom.find(word); at != std::string::npos; at = bottom.find(word, at + 1))
      ++n;
    return n;
  };
  EXPECT_EQ(count("PageUp"), 10u);
  EXPECT_EQ(count("PageDown"), 10u);
  EXPECT_EQ(count("Up+") + count("Up-") - count("PageUp"), 8u);
  EXPECT_EQ(bottom.rfind("PageDown-"), bottom.find("Up+ Up-") - 10) << bottom;
}

TEST_F(KlikTest, TopmostSwitchesChangeTheBandAndNothingElse) {
  system->start();
  system->loop.run_pending();
  Form1& f1 = form1();
  int32_t handle = static_cast<int32_t>(f1.hWnd());
  float left = f1.Left();
  float width = f1.Width();
  MakeTopmost(user32(), handle);
  EXPECT_TRUE(desktop().topmost(f1.hWnd()));
  EXPECT_EQ(desktop().z_order().front(), f1.hWnd());
  MakeNotTopmost(user32(), handle);
  EXPECT_FALSE(desktop().topmost(f1.hWnd()));
  EXPECT_EQ(f1.Left(), left);
  EXPECT_EQ(f1.Width(), width);
  EXPECT_TRUE(f1.Visible());
}

}  // namespace

}  // namespace prevod

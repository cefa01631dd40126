// On a server without the XTest extension: no keys can be sent, one trace
// line says why, and everything else goes on working.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/keys.h"
#include "platform/qt/global_buttons.h"
#include "platform/qt/x11_clipboard.h"
#include "platform/qt/xtest_keyboard.h"

namespace prevod {
namespace {

TEST(WithoutXTest, KeysAreNotSentAndOneTraceLineSaysWhyWhileTheRestWorks) {
  Trace trace;
  std::vector<std::string> lines;
  trace.set_enabled(true);
  trace.set_sink([&](const std::string& line) { lines.push_back(line); });

  XTestKeyboard keyboard(trace);
  EXPECT_FALSE(keyboard.sending());
  for (uint8_t key : {vk::CONTROL, vk::C}) keyboard.send(key, true);
  for (uint8_t key : {vk::C, vk::CONTROL}) keyboard.send(key, false);
  keyboard.flush();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("XTest"), std::string::npos);

  GlobalButtons buttons(trace);
  EXPECT_TRUE(buttons.watching());
  int32_t x = -1, y = -1;
  EXPECT_TRUE(buttons.cursor_pos(x, y));
  X11Clipboard clipboard(trace);
  clipboard.SetText("без клавиши");
  EXPECT_EQ(clipboard.GetText(), "без клавиши");
}

}  // namespace
}  // namespace prevod

// The capture road on a real X server, short of the model: a person's
// double click on a word in another program, seen by the global buttons as
// two presses, then the copy sequence through XTest copies that word.

#include <gtest/gtest.h>

#include <QProcess>
#include <algorithm>
#include <vector>

#include "platform/keys.h"
#include "platform/qt/global_buttons.h"
#include "platform/qt/x11_clipboard.h"
#include "platform/qt/x11_session.h"
#include "platform/qt/xtest_keyboard.h"

namespace prevod {
namespace {

using testing::poll_until;
using testing::TestEditor;

TEST(X11DoubleClick, ADoubleClickOnAWordIsSeenAndTheCopySequenceCopiesThatWord) {
  Trace trace;
  GlobalButtons buttons(trace);
  XTestKeyboard keyboard(trace);
  X11Clipboard clipboard(trace);
  TestEditor editor("котка house");
  ASSERT_TRUE(editor.focus());
  clipboard.Clear();

  // Well inside the second word of the line edit.
  QString window = QString::number(editor.window());
  ASSERT_TRUE(testing::xdotool({"mousemove", "--window", window, "110", "30"}));
  buttons.async_key_state(vk::LBUTTON);
  QProcess clicks;
  clicks.start("xdotool", {"click", "--repeat", "2", "--delay", "120", "1"});
  std::vector<int16_t> polls;
  EXPECT_TRUE(poll_until([&] {
    polls.push_back(buttons.async_key_state(vk::LBUTTON));
    return std::count_if(polls.begin(), polls.end(), [](int16_t s) { return s & 1; }) >= 2;
  }));
  clicks.waitForFinished();

  for (uint8_t key : {vk::ESCAPE}) {
    keyboard.send(key, true);
    keyboard.send(key, false);
  }
  keyboard.send(vk::CONTROL, true);
  keyboard.send(vk::C, true);
  keyboard.send(vk::C, false);
  keyboard.send(vk::CONTROL, false);
  keyboard.flush();
  EXPECT_TRUE(poll_until([&] { return clipboard.GetText() == "house"; })) << clipboard.GetText();
}

}  // namespace
}  // namespace prevod

// A person's keys and mouse reaching the windows through their views: keys
// that reach a window's top-level widget arrive as the model's key events
// for its focused control, in order; the mouse on a control raises that
// control's events, a click once; the player's parts answer the mouse.

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <vector>

#include "model/picture_box.h"
#include "model/scroll_bar.h"
#include "model/text_box.h"
#include "model/timer.h"
#include "platform/qt/edit_widget.h"
#include "platform/qt/plugin_widget.h"
#include "platform/qt/scroll_bar_widget.h"
#include "platform/qt/web_browser_widget.h"
#include "services/voicereader/voice_reader_player.h"
#include "support/model_fixture.h"
#include "support/test_window.h"
#include "view_fixture.h"

namespace prevod {

namespace {

using testing::click_widget;
using testing::double_click_widget;
using testing::send_key;
using testing::send_mouse;
using testing::tap_key;
using testing::wheel_widget;

class OffscreenWindowInput : public testing::ViewFixture {
 protected:
  PluginWidget& player_widget(QtWindowView& view) {
    auto& browser = dynamic_cast<WebBrowserWidget&>(widget(view, form1().WebBrowser1));
    browser.refresh();
    return *browser.plugins().at(0);
  }
};

TEST_F(OffscreenWindowInput, KeysReachingTheWindowEditTheFocusedBoxInTheirOrder) {
  boot_to_ready();
  RichTextBox& input = form2().Text1;
  act([&] { input.SetFocus(); });
  std::vector<int> presses;
  auto handler = input.on_key_press;
  input.on_key_press = [&, handler](int16_t& key_ascii) {
    presses.push_back(static_cast<uint16_t>(key_ascii));
    if (handler) handler(key_ascii);
  };
  QtWindowView& translation = view_of(form2());
  QWidget& window = translation.top_level();

  send_key(window, QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
  tap_key(window, Qt::Key_A, Qt::ControlModifier, "\x01");
  send_key(window, QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier);
  tap_key(window, Qt::Key_A, Qt::NoModifier, "a");
  tap_key(window, Qt::Key_B, Qt::NoModifier, "b");
  tap_key(window, 0x0416, Qt::NoModifier, QString::fromUtf8("ж"));
  tap_key(window, Qt::Key_Backspace, Qt::NoModifier, "\b");
  tap_key(window, 0, Qt::NoModifier, QString::fromUcs4(U"\U0001F600", 1));

  EXPECT_EQ(input.Text(), "ab\U0001F600");
  EXPECT_EQ(presses, (std::vector<int>{1, 'a', 'b', 0x436, 8, 0xD83D, 0xDE00}));
}

TEST_F(OffscreenWindowInput, EnterInTheInputBoxTranslatesWhatWasTyped) {
  boot_to_ready();
  act([&] {
    form2().Text1.SetFocus();
    form2().Text1.set_Text("");
  });
  QtWindowView& translation = view_of(form2());
  for (const char* letter : {"c", "a", "t"}) {
    tap_key(translation.top_level(), Qt::Key_A + (letter[0] - 'a'), Qt::NoModifier, letter);
  }
  tap_key(translation.top_level(), Qt::Key_Return, Qt::NoModifier, "\r");
  advance(2500);
  EXPECT_EQ(form2().Text4.Text(), " cat  ");  // as the working copy pads it
  EXPECT_NE(form2().Text3.Text().find("котка"), std::string::npos) << form2().Text3.Text();
}

TEST_F(OffscreenWindowInput, TabAndShiftTabReachThePlayerRatherThanMovingQtsFocus) {
  boot_to_ready();
  ASSERT_EQ(form1().focused_control(), &form1().WebBrowser1);
  VoiceReaderPlayer& player = *system->player();
  act([&] { player.focus(); });  // the text field
  QtWindowView& speech = view_of(form1());
  tap_key(speech.top_level(), Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_EQ(player.focused(), PlayerControl::VoiceList);
  tap_key(speech.top_level(), Qt::Key_Tab, Qt::NoModifier, "\t");
  EXPECT_EQ(player.focused(), PlayerControl::StopButton);
  tap_key(speech.top_level(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(player.focused(), PlayerControl::VoiceList);
}

TEST_F(OffscreenWindowInput, AClickOnASkinnedPictureOrItsLabelRunsItsClickOnce) {
  boot_to_ready();
  int picture_clicks = 0;
  int label_clicks = 0;
  int label_downs = 0;
  form2().Picture16.on_click = [&] { ++picture_clicks; };
  form2().Label10.on_click = [&] { ++label_clicks; };
  form2().Label10.on_mouse_down = [&](int, int, float, float) { ++label_downs; };
  QtWindowView& translation = view_of(form2());
  QWidget& label = widget(translation, form2().Label10);
  QWidget& picture = widget(translation, form2().Picture16);

  click_widget(label, QPointF(label.width() / 2.0, label.height() / 2.0));
  EXPECT_EQ((std::pair{label_clicks, picture_clicks}), (std::pair{1, 0}));
  click_widget(picture, QPointF(3, 3));
  EXPECT_EQ((std::pair{label_clicks, picture_clicks}), (std::pair{1, 1}));

  // The second press of a double click raises no second Click.
  double_click_widget(label, QPointF(5, 5));
  EXPECT_EQ(label_clicks, 2);
  EXPECT_EQ(label_downs, 3);
  // Released elsewhere, or with the right button, it is no click.
  send_mouse(label, QEvent::MouseButtonPress, QPointF(5, 5));
  send_mouse(label, QEvent::MouseButtonRelease, QPointF(-40, 5));
  click_widget(label, QPointF(5, 5), Qt::RightButton);
  EXPECT_EQ(label_clicks, 2);
  EXPECT_EQ(label_downs, 5);

  // A disabled control takes no mouse.
  act([&] { form2().Label10.set_Enabled(false); });
  translation.sync();
  click_widget(label, QPointF(5, 5));
  EXPECT_EQ(label_clicks, 2);
}

TEST_F(OffscreenWindowInput, ControlsCarryTheirTooltipsAndTakeNoKeyboardFocusOfTheirOwn) {
  QtWindowView& speech = view_of(form1());
  EXPECT_EQ(widget(speech, form1().Picture8).toolTip().toStdString(),
            "Използвайте този бутон, ако езика долу в дясно е различен от Englisch US");
  EXPECT_EQ(widget(speech, form1().Picture1).toolTip().toStdString(),
            "Програмата чете текста в Clipboarda");
  EXPECT_TRUE(widget(speech, form1().Picture7).toolTip().isEmpty());
  for (const auto& control : form1().controls()) {
    if (ControlWidget* shown = speech.widget_of(*control)) {
      EXPECT_EQ(shown->focusPolicy(), Qt::NoFocus) << control->name();
    }
  }
  EXPECT_NE(speech.top_level().focusPolicy(), Qt::NoFocus);
}

TEST_F(OffscreenWindowInput, ThePlayersListClickedSelectsAVoiceAndItsButtonsAct) {
  boot_to_ready();
  expand();
  QtWindowView& speech = view_of(form1());
  PluginWidget& player = player_widget(speech);
  act([&] { form1().Command5.SetFocus(); });
  ASSERT_EQ(player.face().parts.size(), system->player()->face().parts.size());

  click_widget(player, player.row_box("voice list", 7).center());  // French
  EXPECT_EQ(system->player()->shown_voice(), "French");
  EXPECT_EQ(form1().focused_control(), &form1().WebBrowser1);

  speech.sync();
  dynamic_cast<WebBrowserWidget&>(widget(speech, form1().WebBrowser1)).refresh();
  const PluginPart* list = nullptr;
  for (const PluginPart& part : player.face().parts) {
    if (part.name == "voice list") list = &part;
  }
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->highlighted, 7);
  EXPECT_EQ(list->applied, 7);

  wheel_widget(player, player.row_box("voice list", 7).center(), -1);
  EXPECT_EQ(system->player()->voices().highlighted(), 8);
  EXPECT_EQ(system->player()->shown_voice(), "French");

  size_t said = system->player_speech().size();
  QPointF speak = player.part_box("Speak").center();
  send_mouse(player, QEvent::MouseButtonPress, speak);
  send_mouse(player, QEvent::MouseButtonRelease, QPointF(-5, -5));  // let go elsewhere
  EXPECT_EQ(system->player_speech().size(), said);
  click_widget(player, speak);
  ASSERT_EQ(system->player_speech().size(), said + 1);
  EXPECT_EQ(system->player_speech().back().voice, "French");
}

TEST_F(OffscreenWindowInput, TheMousePlacesTheCaretAndADoubleClickSelectsAWord) {
  boot_to_ready();
  act([&] { form2().Text1.set_Text("Hello world"); });
  QtWindowView& translation = view_of(form2());
  QWidget& box = widget(translation, form2().Text1);
  click_widget(box, QPointF(4, 8));
  EXPECT_EQ(form2().focused_control(), &form2().Text1);
  EXPECT_EQ(form2().Text1.SelStart(), 0);
  translation.sync();
  double_click_widget(box, QPointF(box.width() - 3, 8));  // beyond the text: no word
  double_click_widget(box, QPointF(6, 8));
  EXPECT_EQ(form2().Text1.SelStart(), 0);
  EXPECT_EQ(form2().Text1.SelLength(), 5);
}

TEST_F(OffscreenWindowInput, AVeryLongTextShowsTheStretchAroundItsCaret) {
  boot_to_ready();
  std::string text(300000, 'x');
  text += " end";
  act([&] {
    form2().Text1.SetFocus();
    form2().Text1.set_Text(text);  // the caret goes to the end
  });
  QtWindowView& translation = view_of(form2());
  translation.render();
  QWidget& box = widget(translation, form2().Text1);
  send_mouse(box, QEvent::MouseButtonPress, QPointF(4, 8));
  EXPECT_GT(form2().Text1.SelStart(), 300000 - EditWidget::kShownUnits);
  EXPECT_LE(form2().Text1.SelStart(), 300004);
}

TEST_F(OffscreenWindowInput, TheScrollBarsArrowsAndTrackStepItsValue) {
  boot_to_ready();
  expand();
  click(form1().Picture7);  // the speech settings show the reading interval
  ASSERT_TRUE(form1().VScroll1.Visible());
  QtWindowView& speech = view_of(form1());
  auto& bar = dynamic_cast<ScrollBarWidget&>(widget(speech, form1().VScroll1));
  int16_t start = form1().VScroll1.Value();
  click_widget(bar, bar.upper_arrow().center());
  EXPECT_EQ(form1().VScroll1.Value(), start + 1);
  EXPECT_EQ(form1().Text6.Text(), std::to_string(start + 1));
  click_widget(bar, bar.lower_arrow().center());
  click_widget(bar, bar.lower_arrow().center());
  EXPECT_EQ(form1().VScroll1.Value(), start - 1);
  speech.sync();
  QPointF track(bar.thumb().left() - 3, bar.height() / 2.0);
  ASSERT_GT(track.x(), bar.lower_arrow().right());
  click_widget(bar, track);
  EXPECT_EQ(form1().VScroll1.Value(), start - 1 - form1().VScroll1.LargeChange());
}

TEST_F(OffscreenWindowInput, APressOnTheWindowsOwnBackgroundDragsBothWindows) {
  boot_to_ready();
  QtWindowView& speech = view_of(form1());
  QWidget& window = speech.top_level();
  QPointF background(100, 10);
  ASSERT_EQ(window.childAt(background.toPoint()), nullptr);
  send_mouse(window, QEvent::MouseButtonPress, background);
  EXPECT_TRUE(form2().Timer7.Enabled());
  send_mouse(window, QEvent::MouseButtonRelease, background);
  EXPECT_FALSE(form2().Timer7.Enabled());
}

// --- A view torn down by its own widget's handler ----------------------------------------------

class OffscreenViewTeardown : public ModelFixture {};

TEST_F(OffscreenViewTeardown, AClickThatUnloadsItsOwnWindowLeavesTheWidgetsForQtToDelete) {
  WindowLayout layout;
  layout.name = "Closing";
  layout.width = 1500;
  layout.height = 1500;
  ControlSpec close = spec_of("Close", ControlKind::PictureBox);
  close.width = 750;
  close.height = 750;
  layout.controls = {close};
  TestWindow window(app, layout);
  auto view = std::make_unique<QtWindowView>(window, loop);
  int clicks = 0;
  window.get<PictureBox>("Close").on_click = [&] {
    ++clicks;
    view.reset();
  };
  QPointer<QWidget> top_level = &view->top_level();
  QWidget* button = top_level->childAt(QPoint(10, 10));
  ASSERT_NE(button, nullptr);
  click_widget(*button, QPointF(10, 10));
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(view, nullptr);
  ASSERT_FALSE(top_level.isNull());  // still there for the handler that ran
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(top_level.isNull());
}

}  // namespace

}  // namespace prevod

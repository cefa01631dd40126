// What the windows paint, rendered offscreen from the booted program and
// looked at pixel by pixel: captions in their colours, the skin's buttons,
// the player's highlighted row, the caret, the start-up progress fill, the
// stacking of controls, and the same at a device pixel ratio of 2.

#include <gtest/gtest.h>

#include <QImage>

#include "model/image.h"
#include "model/label.h"
#include "model/picture_box.h"
#include "model/rich_text_box.h"
#include "model/web_browser.h"
#include "platform/qt/edit_widget.h"
#include "platform/qt/plugin_widget.h"
#include "platform/qt/skin_palette.h"
#include "platform/qt/web_browser_widget.h"
#include "services/voicereader/voice_reader_player.h"
#include "speech/form3.h"
#include "support/model_fixture.h"
#include "support/test_window.h"
#include "view_fixture.h"

namespace prevod {

namespace {

using testing::count_near;
using testing::near;
using testing::pixel;
using testing::reddish;
using testing::turquoise;

const QColor kWhite(255, 255, 255);
const QColor kBlue(0, 0, 255);

class OffscreenWindowPainting : public testing::ViewFixture {
 protected:
  // The player's widget in the speech window's view.
  PluginWidget& player_widget(QtWindowView& view) {
    auto& browser = dynamic_cast<WebBrowserWidget&>(widget(view, form1().WebBrowser1));
    browser.refresh();
    EXPECT_EQ(browser.plugins().size(), 1u);
    return *browser.plugins().at(0);
  }
  // A list row of the player, in the speech window's pixels.
  QRectF row_in_window(QtWindowView& view, int entry) {
    PluginWidget& player = player_widget(view);
    QRectF row = player.row_box("voice list", entry);
    return row.translated(player.mapTo(&view.top_level(), QPoint(0, 0)));
  }
};

TEST_F(OffscreenWindowPainting, CaptionsAreDrawnInTheirForeColoursAndFollowTheModel) {
  boot_to_ready();
  expand();
  QtWindowView& speech = view_of(form1());
  QImage closed = speech.render();
  QRect caption = rect_of(speech, form1().Label5);
  EXPECT_GT(count_near(closed, caption, kWhite, 24), 20);
  EXPECT_EQ(count_near(closed, caption, kBlue, 60), 0);

  // Opening the speech settings turns the caption into "ПОТВЪРДИ" in blue.
  click(form1().Picture7);
  ASSERT_EQ(form1().Label5.Caption(), "ПОТВЪРДИ");
  speech.sync();
  QImage open = speech.render();
  caption = rect_of(speech, form1().Label5);
  EXPECT_GT(count_near(open, caption, kBlue, 60), 10);
  EXPECT_EQ(count_near(open, caption, kWhite, 24), 0);
}

TEST_F(OffscreenWindowPainting, SkinnedButtonsWearTheirColours) {
  boot_to_ready();
  QtWindowView& translation = view_of(form2());
  QImage image = translation.render();
  QRect translate = rect_of(translation, form2().Picture16);
  QRect settings = rect_of(translation, form2().Picture10);
  EXPECT_TRUE(reddish(pixel(image, QPointF(translate.left() + 4, translate.center().y()))));
  EXPECT_TRUE(turquoise(pixel(image, QPointF(settings.left() + 4, settings.center().y()))));
  // The caption lies on its button in white.
  EXPECT_GT(count_near(image, rect_of(translation, form2().Label10), kWhite, 24), 15);
}

TEST_F(OffscreenWindowPainting, ThePlayersHighlightedRowIsFilledAndFollowsTheKeys) {
  boot_to_ready();
  expand();
  QtWindowView& speech = view_of(form1());
  QImage image = speech.render();
  const QColor highlight = skin::kHighlight;
  QRectF english_us = row_in_window(speech, 5);
  ASSERT_FALSE(english_us.isEmpty());
  // Sampled left of the tick that marks the applied voice.
  auto sample = [](const QRectF& row) {
    return QPointF(row.right() - row.height() - 6, row.center().y());
  };
  EXPECT_TRUE(near(pixel(image, sample(english_us)), highlight, 2));

  // Down moves the highlight to English UK; English US stays applied.
  act([&] {
    Browser& page = form1().WebBrowser1.browser();
    page.Document()->getElementsByTagName("OBJECT")->Item(0)->focus();
    page.key_event(KeyEvent{vk::TAB, true, false, false, 0});
    page.key_event(KeyEvent{vk::DOWN, true, false, false, 0});
  });
  speech.sync();
  image = speech.render();
  QRectF english_uk = row_in_window(speech, 6);
  english_us = row_in_window(speech, 5);
  EXPECT_TRUE(near(pixel(image, sample(english_uk)), highlight, 2));
  EXPECT_TRUE(near(pixel(image, sample(english_us)), kWhite, 2));
}

TEST_F(OffscreenWindowPainting, TheCaretStandsWhereSelStartPutsItWhileTheBoxHasTheFocus) {
  boot_to_ready();
  RichTextBox& input = form2().Text1;
  act([&] {
    input.SetFocus();
    input.set_Text("Hello");
  });
  QtWindowView& translation = view_of(form2());
  auto& box = dynamic_cast<EditWidget&>(widget(translation, input));
  QPoint corner = box.mapTo(&translation.top_level(), QPoint(0, 0));
  QRectF at_end = box.caret_rect().translated(corner);
  ASSERT_FALSE(at_end.isEmpty());
  QImage image = translation.render();
  EXPECT_LT(pixel(image, at_end.center()).lightness(), 80);

  act([&] { input.set_SelStart(0); });
  translation.sync();
  QRectF at_start = box.caret_rect().translated(corner);
  EXPECT_LT(at_start.left(), at_end.left());
  image = translation.render();
  EXPECT_LT(pixel(image, at_start.center()).lightness(), 80);
  EXPECT_TRUE(near(pixel(image, at_end.center()), kWhite, 10));

  // Without the focus the box shows no caret.
  act([&] {
    input.set_SelStart(5);
    form2().Text3.SetFocus();
  });
  translation.sync();
  EXPECT_TRUE(box.caret_rect().isEmpty());
  image = translation.render();
  EXPECT_TRUE(near(pixel(image, at_end.center()), kWhite, 10));
}

TEST_F(OffscreenWindowPainting, TheCoverShowsTheProgressFillOverItsTrack) {
  // Without the voice reader the cover stays, and its fill runs on to the
  // end of the track.
  SimulatedSystem::Options offline;
  offline.config.VoiceReaderAddress = "http://voicereader.example/onlineservices/voice_reader";
  boot(offline);
  advance(3100);  // shown after a second, three ticks of the progress bar
  ASSERT_TRUE(form2().image1.Visible());
  ASSERT_FLOAT_EQ(form2().Image2.Width(), 6225.0f / 15 * 3);
  QtWindowView& translation = view_of(form2());
  QImage image = translation.render();
  QRect fill = rect_of(translation, form2().Image2);
  QRect track = rect_of(translation, form2().Image3);
  ASSERT_EQ(fill.width(), 83);
  EXPECT_TRUE(reddish(pixel(image, QPointF(fill.left() + 40, fill.center().y()))));
  QColor beyond = pixel(image, QPointF(fill.right() + 10, fill.center().y()));
  EXPECT_TRUE(beyond.blue() > 180 && beyond.green() > 170 && beyond.red() < 180)
      << beyond.name().toStdString();
  EXPECT_LT(fill.right() + 10, track.right());

  // From the fifteenth tick on the fill stands 120 twips short of the
  // track's end, its picture stretched all the way.
  advance(13000);
  ASSERT_TRUE(form2().image1.Visible());
  translation.sync();
  image = translation.render();
  fill = rect_of(translation, form2().Image2);
  ASSERT_EQ(fill.width(), (6225 - 120) / 15);
  EXPECT_TRUE(reddish(pixel(image, QPointF(fill.right() - 3, fill.center().y()))));
}

TEST_F(OffscreenWindowPainting, TheHintWindowShadesToWhiteUnderItsCaption) {
  boot_to_ready();
  Form3* hint = nullptr;
  act([&] { hint = &system->app.Form3(); });
  QtWindowView& view = view_of(*hint);
  QImage image = view.render();
  EXPECT_TRUE(near(pixel(image, QPointF(image.width() / 2.0, 2)), kWhite, 8));
  QColor edge = pixel(image, QPointF(2, 2));
  EXPECT_GT(edge.blue(), edge.red() + 60);
  EXPECT_GT(count_near(image, rect_of(view, hint->get<Label>("Label1")), QColor(0, 0, 0), 40), 30);
}

TEST_F(OffscreenWindowPainting, AtTwiceThePixelRatioTheWindowKeepsItsLookAtDoubleDetail) {
  boot_to_ready();
  QtWindowView& translation = view_of(form2());
  QImage single = translation.render(1.0);
  QImage twice = translation.render(2.0);
  EXPECT_EQ(twice.size(), single.size() * 2);
  EXPECT_DOUBLE_EQ(twice.devicePixelRatio(), 2.0);
  QRect translate = rect_of(translation, form2().Picture16);
  EXPECT_TRUE(reddish(pixel(twice, QPointF(translate.left() + 4, translate.center().y()))));
  QRect caption = rect_of(translation, form2().Label10);
  EXPECT_GT(count_near(twice, caption, kWhite, 24), 4 * 10);
  // The band's flat blue is the same colour at either ratio.
  EXPECT_EQ(pixel(single, QPointF(250, 10)), pixel(twice, QPointF(250, 10)));
}

// --- Stacking, on a window of the tests' own -------------------------------------------------

class OffscreenStacking : public ModelFixture {
 protected:
  static ControlSpec box(const std::string& name, ControlKind kind, QRect pixels, Rgb color) {
    ControlSpec design = spec_of(name, kind);
    design.left = pixels.left() * 15.0f;
    design.top = pixels.top() * 15.0f;
    design.width = pixels.width() * 15.0f;
    design.height = pixels.height() * 15.0f;
    design.back_color = color;
    return design;
  }
};

TEST_F(OffscreenStacking, LabelsLieBehindWindowedControlsAndEachKindStacksInTableOrder) {
  WindowLayout layout;
  layout.name = "Stack";
  layout.width = 200 * 15;
  layout.height = 100 * 15;
  layout.back_color = Rgb{128, 128, 128};
  layout.controls = {
      box("Red", ControlKind::Label, QRect(0, 0, 100, 50), Rgb{255, 0, 0}),
      box("Blue", ControlKind::PictureBox, QRect(50, 0, 100, 50), Rgb{0, 0, 255}),
      box("Green", ControlKind::PictureBox, QRect(100, 0, 100, 50), Rgb{0, 255, 0}),
      box("Yellow", ControlKind::Label, QRect(0, 50, 100, 50), Rgb{255, 255, 0}),
      box("Cyan", ControlKind::Label, QRect(50, 50, 100, 50), Rgb{0, 255, 255}),
  };
  TestWindow window(app, layout);
  QtWindowView view(window, loop);
  QImage image = view.render();
  EXPECT_EQ(pixel(image, QPointF(25, 25)), QColor(255, 0, 0));
  EXPECT_EQ(pixel(image, QPointF(75, 25)), QColor(0, 0, 255));   // windowed over the label
  EXPECT_EQ(pixel(image, QPointF(125, 25)), QColor(0, 0, 255));  // the first listed in front
  EXPECT_EQ(pixel(image, QPointF(175, 25)), QColor(0, 255, 0));
  EXPECT_EQ(pixel(image, QPointF(75, 75)), QColor(255, 255, 0));  // labels too
  EXPECT_EQ(pixel(image, QPointF(175, 75)), QColor(128, 128, 128));

  // A control hidden by the model shows what lies behind it.
  act([&] { window.get<PictureBox>("Blue").set_Visible(false); });
  view.sync();
  image = view.render();
  EXPECT_EQ(pixel(image, QPointF(75, 25)), QColor(255, 0, 0));
  EXPECT_EQ(pixel(image, QPointF(125, 25)), QColor(0, 255, 0));
}

}  // namespace

}  // namespace prevod

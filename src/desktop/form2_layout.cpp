// The design-time table of Form2, the translation window: the header band
// with its click areas, the start-up cover with the progress bar, the input
// and result boxes, the translate and settings buttons, and the settings
// panel with its option rows, hidden option holders and read buttons.

#include <string>
#include <utility>
#include <vector>

#include "desktop/window_layouts.h"
#include "model/control_builder.h"

namespace prevod {

namespace {

// The notice and the credit line on the bottom band are "grey" with no
// components given; this is the usual mid grey.
constexpr Rgb kGrey{128, 128, 128};

using Kind = ControlKind;

// The two looks of an option row: the 401-pixel bar without the tick (off)
// and the 400-pixel bar with the red tick (on).
PictureSpec option_off_look() {
  return bitmap_picture(401, 21, "light-blue bar without a tick: option off");
}

PictureSpec option_on_look() {
  return bitmap_picture(400, 21, "light-blue bar with a red tick at the right end: option on");
}

// The caption of an option row, lying on one of the row's two pictures.
ControlBuilder row_caption(std::string name, std::string picture_box, std::string caption,
                           std::string note) {
  return button_caption(std::move(name), std::move(picture_box), std::move(caption))
      .at(0, 80, 5415, 255)
      .note(std::move(note));
}

std::vector<ControlSpec> form2_header_and_buttons() {
  return {
      ControlBuilder("Picture7", Kind::PictureBox)
          .at(2760, 3480, 1725, 345)
          .picture(bitmap_picture(115, 23, "turquoise button with three dark-red up arrows"))
          .note("collapses the settings panel"),
      ControlBuilder("Picture16", Kind::PictureBox)
          .at(3120, 600, 1260, 345)
          .hidden()
          .picture(bitmap_picture(84, 23, "red button"))
          .note("translate button; shown when the translation page is ready"),
      button_caption("Label10", "Picture16", "ПРЕВЕДИ")
          .at(170, 60, 915, 195)
          .font(bold_font(8.25f))
          .note("translate button"),
      ControlBuilder("Picture10", Kind::PictureBox)
          .at(4920, 600, 1380, 345)
          .hidden()
          .picture(bitmap_picture(92, 23, "turquoise button"))
          .note("settings button; shown when the translation page is ready"),
      button_caption("Label5", "Picture10", "НАСТРОЙКИ")
          .at(120, 60, 1155, 195)
          .font(bold_font(8.25f))
          .note("settings button"),
      ControlBuilder("Picture6", Kind::PictureBox)
          .at(0, 5520, 10695, 495)
          .picture(bitmap_picture(713, 33, "plain light-blue band"))
          .note("bottom band"),
      label_on("Label1", "Picture6", "Програма изисква наличие на интернет връзка.")
          .at(2880, 0, 3705, 195)
          .fore_color(kGrey)
          .note("the only notice about failures: the program needs an internet connection"),
      // The credit line is ours, short enough for its 75 pixels.
      label_on("Label7", "Picture6", "Речник: FreeDict")
          .at(0, 0, 1125, 195)
          .fore_color(kGrey)
          .note("credit line"),
      ControlBuilder("image1", Kind::PictureBox)
          .at(0, 0, 285, 3135)
          .picture(jpeg_picture(160, 70, "start-up cover"))
          .note("start-up cover: 7305 wide at load, hidden when the translation page is ready; "
                "its height is the window's height at load"),
      ControlBuilder("Picture3", Kind::PictureBox)
          .in("image1")
          .at(6600, 120, 510, 345)
          .picture(bitmap_picture(34, 23, "red button with a cross"))
          .note("closes the window while the cover shows"),
      ControlBuilder("Image2", Kind::Image)
          .in("image1")
          .at(810, 2010, 10, 300)
          .picture(stretched(bitmap_picture(163, 20, "red bar")))
          .note("fill of the start-up progress bar; grows by a fifteenth of Image3 a second"),
      ControlBuilder("Image3", Kind::Image)
          .in("image1")
          .at(720, 1920, 6225, 465)
          .picture(bitmap_picture(415, 31, "cyan bar in a dark-blue frame"))
          .note("track of the start-up progress bar"),
      ControlBuilder("Picture2", Kind::PictureBox)
          .at(4800, 0, 675, 525)
          .picture(bitmap_picture(45, 35, "plain blue patch over the chevron button of Picture5"))
          .note("marker that the speech strip is open; while shown it covers Label100"),
      ControlBuilder("Command7", Kind::CommandButton)
          .at(120, 7920, 1695, 375)
          .caption("ПРОЧЕТИ 2")
          .note("read button: reads the result after matching the reader's language to it"),
  };
}

std::vector<ControlSpec> form2_options() {
  return {
      ControlBuilder("Check1", Kind::CheckBox)
          .at(0, 4200, 255, 375)
          .hidden()
          .caption("Превод, чрез двоен клик върху дума или десен клик върху селектиран текст")
          .value(0)
          .note("holds the gesture capture option"),
      ControlBuilder("Check2", Kind::CheckBox)
          .at(0, 4680, 255, 375)
          .hidden()
          .caption("Иговаряне на английската фраза при превод")
          .value(1)
          .note("holds the option to speak the English phrase"),
      ControlBuilder("Check3", Kind::CheckBox)
          .at(0, 5160, 255, 375)
          .hidden()
          .caption("Иговаряне на българската фраза при превод")
          .value(1)
          .note("holds the option to speak the Bulgarian phrase"),
      ControlBuilder("Check4", Kind::CheckBox)
          .at(360, 5160, 255, 375)
          .hidden()
          .caption("Гласов превод без визуализация на текст  <--- >   УНИКАЛНО")
          .value(0)
          .note("voice-only mode; nothing reads or writes it"),
      ControlBuilder("Picture17", Kind::PictureBox)
          .at(600, 4005, 6015, 315)
          .picture(option_off_look())
          .note("option row: gesture capture, off look"),
      row_caption("Label12", "Picture17",
                  "Превод при двоен клик върху дума или десен клик след селектиране",
                  "option row: gesture capture"),
      ControlBuilder("Picture18", Kind::PictureBox)
          .at(600, 4335, 6000, 315)
          .picture(option_on_look())
          .note("option row: speak the English phrase, on look"),
      row_caption("Label14", "Picture18", "Изговаряне на английската дума или фраза при превод",
                  "option row: speak the English phrase"),
      ControlBuilder("Picture19", Kind::PictureBox)
          .at(600, 4695, 6000, 315)
          .picture(option_on_look())
          .note("option row: speak the Bulgarian phrase, on look"),
      row_caption("Label16", "Picture19", "Изговаряне на българската дума или фраза при превод",
                  "option row: speak the Bulgarian phrase"),
      ControlBuilder("Picture20", Kind::PictureBox)
          .at(600, 5055, 6015, 315)
          .picture(option_off_look())
          .note("option row: enters voice-only mode; a button with one look"),
      row_caption("Label18", "Picture20",
                  "Гласов превод без визуализация на текст <------ УНИКАЛНО",
                  "option row: enters voice-only mode"),
      ControlBuilder("Picture22", Kind::PictureBox)
          .at(600, 4695, 6015, 315)
          .hidden()
          .picture(option_off_look())
          .note("option row: speak the Bulgarian phrase, off look, twin of Picture19"),
      row_caption("Label15", "Picture22", "Изговаряне на българската дума или фраза при превод",
                  "option row: speak the Bulgarian phrase"),
      ControlBuilder("Picture23", Kind::PictureBox)
          .at(600, 4335, 6015, 315)
          .hidden()
          .picture(option_off_look())
          .note("option row: speak the English phrase, off look, twin of Picture18"),
      row_caption("Label13", "Picture23", "Изговаряне на английската дума или фраза при превод",
                  "option row: speak the English phrase"),
      ControlBuilder("Picture24", Kind::PictureBox)
          .at(600, 4005, 6000, 315)
          .hidden()
          .picture(option_on_look())
          .note("option row: gesture capture, on look, twin of Picture17"),
      row_caption("Label11", "Picture24",
                  "Превод при двоен клик върху дума или десен клик след селектиране",
                  "option row: gesture capture"),
  };
}

std::vector<ControlSpec> form2_boxes_and_top_band() {
  return {
      ControlBuilder("Option2", Kind::OptionButton)
          .at(4920, 960, 1335, 255)
          .hidden()
          .caption("Руски")
          .fore_color(Rgb{128, 128, 255})
          .font(bold_font(8.25f))
          .value(0)
          .note("direction: Russian"),
      ControlBuilder("Option1", Kind::OptionButton)
          .at(3120, 960, 1335, 255)
          .hidden()
          .caption("Български")
          .fore_color(Rgb{0, 192, 0})
          .font(bold_font(8.25f))
          .value(1)
          .note("direction: Bulgarian; selected"),
      ControlBuilder("Command1", Kind::CommandButton)
          .at(2400, 7920, 1695, 375)
          .caption("ПРОЧЕТИ")
          .note("read button: reads the clipboard text through the voice reader"),
      ControlBuilder("WebBrowser3", Kind::WebBrowser)
          .at(7440, 0, 1335, 735)
          .note("translation page; moved to Left 0, Top 0 at load"),
      ControlBuilder("Text1", Kind::RichTextBox)
          .at(120, 1200, 7095, 1095)
          .hidden()
          .note("input box; shown by the warm-up translation"),
      ControlBuilder("Text3", Kind::RichTextBox)
          .at(120, 2280, 7095, 1095)
          .hidden()
          .note("result box; shown by the first result read"),
      ControlBuilder("Text4", Kind::RichTextBox)
          .at(120, 6480, 1095, 735)
          .hidden()
          .note("working copy of the source text; every change starts a translation"),
      ControlBuilder("Label100", Kind::Label)
          .at(4920, 0, 495, 495)
          .caption(" ")
          .transparent()
          .note("click area on the chevron button, under Picture2: expands the speech strip"),
      ControlBuilder("Picture1", Kind::Label)
          .at(6480, 0, 855, 375)
          .transparent()
          .note("click area on the cross button: exit"),
      ControlBuilder("Picture11", Kind::Label)
          .at(5520, 0, 855, 375)
          .transparent()
          .note("click area on the bar button: hides both windows to the tray"),
      ControlBuilder("Picture5", Kind::Image)
          .at(0, 0, 7350, 1275)
          .picture(bitmap_picture(
              490, 85,
              "the translation service's logo on a blue band, with three red buttons at the right "
              "end: a right chevron (pixels 328 to 361), a bar (368 to 425) and a cross (432 to "
              "489)"))
          .note("top band and drag surface"),
  };
}

std::vector<ControlSpec> form2_controls() {
  std::vector<ControlSpec> controls = form2_header_and_buttons();
  for (auto part : {form2_options(), form2_boxes_and_top_band()}) {
    controls.insert(controls.end(), part.begin(), part.end());
  }
  return controls;
}

std::vector<TimerSpec> form2_timers() {
  return {
      enabled_timer("Timer10", 1000, "image1"),
      disabled_timer("Timer9", 5000),
      disabled_timer("Timer8", 5000),
      enabled_timer("Timer6", 1000),
      disabled_timer("Timer4", 300),
      disabled_timer("TimerDesen", 500),
      disabled_timer("Timer3333", 600),
      disabled_timer("Kopirane", 300),
      disabled_timer("Timer2222", 50),
      disabled_timer("Timer5", 300),
      disabled_timer("Timer4444", 50),
      disabled_timer("Timer1111", 50),
      disabled_timer("Timer3", 1500),
      disabled_timer("Timer1", 3000),
      disabled_timer("Timer7", 50),
      disabled_timer("Timer0", 2000),
      disabled_timer("Timer2", 2000),
  };
}

WindowLayout make_form2_layout() {
  WindowLayout layout;
  layout.name = "Form2";
  layout.width = 7320;
  layout.height = 8205;
  layout.back_color = Rgb{204, 216, 238};
  layout.icon = icon_picture(32, 32, "program icon, also shown in the tray");
  layout.centred = true;
  layout.controls = form2_controls();
  layout.timers = form2_timers();
  layout.note =
      "at load 7305 wide (not 7280, the collapsed width of Form1) and as high as image1 (3135); "
      "compact 3425 high (Text3.Top + Text3.Height + 50), 5700 with the settings panel open";
  return layout;
}

}  // namespace

const WindowLayout& Form2Layout() {
  static const WindowLayout layout = make_form2_layout();
  return layout;
}

}  // namespace prevod

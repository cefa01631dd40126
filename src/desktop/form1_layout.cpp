// The design-time table of Form1, the speech window: the voice reader page in
// WebBrowser1, the strip of skinned buttons at its right with the settings
// panel, the voice-only buttons, and the hidden buttons that code clicks.

#include <string>
#include <utility>
#include <vector>

#include "desktop/window_layouts.h"
#include "model/control_builder.h"

namespace prevod {

namespace {

// The credit lines and the notice on the bottom band are "grey" with no
// components given; this is the usual mid grey.
constexpr Rgb kGrey{128, 128, 128};
constexpr Rgb kDarkGrey{64, 64, 64};

using Kind = ControlKind;

std::vector<ControlSpec> form1_controls() {
  return {
      ControlBuilder("Picture14", Kind::PictureBox)
          .at(2400, 20, 870, 420)
          .hidden()
          .picture(bitmap_picture(58, 28, "red button with a bar"))
          .note("hides both windows, voice-only mode"),
      ControlBuilder("Picture13", Kind::PictureBox)
          .at(7230, 540, 3360, 2910)
          .hidden()
          .picture(bitmap_picture(224, 194, "still picture of the player's presenter"))
          .note("hover panel and drag surface of the strip"),
      ControlBuilder("Image2", Kind::Image)
          .in("Picture13")
          .at(2520, 2040, 750, 750)
          .picture(icon_picture(50, 50, "icon of the stop button"))
          .note("icon button: stops the reading"),
      ControlBuilder("image1", Kind::Image)
          .in("Picture13")
          .at(120, 2040, 750, 750)
          .picture(icon_picture(50, 50, "icon of the repeat button"))
          .note("icon button: repeats the last reading"),
      ControlBuilder("Picture12", Kind::PictureBox)
          .at(0, 0, 870, 435)
          .hidden()
          .picture(bitmap_picture(58, 29, "red button with three right chevrons"))
          .note("leaves voice-only mode"),
      ControlBuilder("Picture11", Kind::PictureBox)
          .at(6360, 30, 870, 435)
          .hidden()
          .picture(bitmap_picture(58, 29, "red button with three right chevrons"))
          .note("expands the strip"),
      ControlBuilder("Picture10", Kind::PictureBox)
          .at(8280, 4560, 1320, 345)
          .hidden()
          .picture(bitmap_picture(88, 23, "turquoise button"))
          .note("language button: English; shares its place with Picture9"),
      button_caption("Label8", "Picture10", "АНГЛИЙСКИ")
          .at(200, 75, 1005, 195)
          .note("language button: English"),
      ControlBuilder("Picture9", Kind::PictureBox)
          .at(8280, 4560, 1320, 345)
          .hidden()
          .picture(bitmap_picture(88, 23, "turquoise button"))
          .note("language button: Russian; shares its place with Picture10"),
      button_caption("Label7", "Picture9", "РУСКИ")
          .at(380, 75, 555, 195)
          .note("language button: Russian"),
      ControlBuilder("Picture8", Kind::PictureBox)
          .at(7560, 4080, 2715, 345)
          .hidden()
          .tooltip("Използвайте този бутон, ако езика долу в дясно е различен от Englisch US")
          .picture(bitmap_picture(181, 23, "turquoise button"))
          .note("restarts the player"),
      button_caption("Label6", "Picture8", "РЕСТАРТ НА ПЛЕАР")
          .at(600, 75, 1605, 195)
          .note("restarts the player"),
      ControlBuilder("Picture7", Kind::PictureBox)
          .at(7560, 3480, 2715, 345)
          .picture(bitmap_picture(181, 23, "turquoise button"))
          .note("speech settings button; lies in front of Picture5"),
      button_caption("Label5", "Picture7", "НАСТРОЙКА НА ГОВОРА")
          .at(400, 80, 1950, 195)
          .note("speech settings button; white while the panel is closed, \"ПОТВЪРДИ\" in blue "
                "while it is open, \"НАСТРОЙКИ ГОВОР\" after the first close; re-centred in "
                "Picture7 whenever its caption changes"),
      ControlBuilder("Picture6", Kind::PictureBox)
          .at(0, 5520, 10695, 495)
          .picture(bitmap_picture(713, 33, "plain light-blue band"))
          .note("bottom band"),
      // The credit line is ours, short enough for its 75 pixels.
      label_on("Label13", "Picture6", "Глас: espeak-ng")
          .at(0, 0, 1125, 195)
          .fore_color(kGrey)
          .note("credit line"),
      label_on("Label12", "Picture6", "Програма изисква наличие на интернет връзка.")
          .at(3360, 0, 3705, 195)
          .fore_color(kGrey)
          .note("the only notice about failures: the program needs an internet connection"),
      label_on("Label11", "Picture6", "2010 година").at(9600, 0, 930, 195).fore_color(kGrey),
      // The stored 30 is taken as the minimum (range 30 to 100): below 30 ms
      // a character the second reading would start while a long first one
      // still runs. The steps keep the control's own default of 1.
      ControlBuilder("VScroll1", Kind::ScrollBar)
          .at(7560, 5280, 2175, 135)
          .hidden()
          .horizontal()
          .range(30, 100)
          .value(70)
          .steps(1, 1)
          .note("reading interval between the two languages, in ms a character"),
      ControlBuilder("Text6", Kind::TextBox)
          .at(9840, 5160, 495, 285)
          .hidden()
          .caption("70")
          .back_color(Rgb{204, 216, 238})
          .note("reading interval, as decimal text"),
      ControlBuilder("Command2", Kind::CommandButton)
          .at(7560, 4680, 1215, 375)
          .hidden()
          .caption("Руски")
          .note("run from code: selects Russian"),
      ControlBuilder("Command8", Kind::CommandButton)
          .at(8880, 4680, 1095, 375)
          .hidden()
          .caption("Английски")
          .note("run from code: selects English"),
      ControlBuilder("Picture5", Kind::PictureBox)
          .at(7260, 3400, 3375, 2130)
          .picture(bitmap_picture(225, 142, "plain light-blue panel"))
          .note("lower panel of the strip; its Top bounds the hover zone"),
      // The credits are ours: the English speech, the translation and the
      // program, one line each.
      label_on("Label10", "Picture5",
               "Английски говор: espeak-ng\nПревод: речници FreeDict\nПрограма: prevod")
          .at(240, 720, 2775, 1095)
          .fore_color(kDarkGrey)
          .note("credits; hidden while the settings panel is open"),
      label_on("Label9", "Picture5", "Интервал между ENG и BG")
          .at(480, 1680, 2070, 195)
          .hidden()
          .fore_color(kDarkGrey)
          .note("caption of the reading interval"),
      ControlBuilder("Picture4", Kind::PictureBox)
          .at(9960, 30, 540, 495)
          .picture(bitmap_picture(36, 33, "red button with a left chevron"))
          .note("collapses the strip"),
      ControlBuilder("Picture2", Kind::PictureBox)
          .at(120, 600, 7140, 315)
          .hidden()
          .picture(bitmap_picture(476, 21, "plain lavender strip"))
          .note("banner over the top of the voice reader page; shown when the page is reshaped, "
                "hidden by the restart of the player"),
      label_on("Label1", "Picture2", "Учебен синтезатор на говор с ограничение до 250 символа")
          .at(720, 60, 4560, 195),
      ControlBuilder("Picture1", Kind::PictureBox)
          .at(5640, 4920, 1245, 555)
          .hidden()
          .tooltip("Програмата чете текста в Clipboarda")
          .picture(bitmap_picture(
              83, 37,
              "lavender panel with two circular buttons, a figure (left) and a play sign (right)"))
          .note("speaks the clipboard text; shown when the page is reshaped"),
      ControlBuilder("Picture3", Kind::Label)
          .in("Picture1")
          .at(0, 0, 615, 615)
          .transparent()
          .note("click area over the figure button: collapse toggle of the strip"),
      ControlBuilder("Command6", Kind::CommandButton)
          .at(0, 5880, 1575, 375)
          .hidden()
          .caption("ИЗГОВАРЯНЕ")
          .note("run from code: the speak sequence"),
      ControlBuilder("Command5", Kind::CommandButton)
          .at(9480, 6120, 1095, 375)
          .caption("За фокус")
          .note("focus target; at load moved to Left -1095, just left of the window"),
      ControlBuilder("Text1", Kind::RichTextBox)
          .at(10680, 360, 1695, 855)
          .hidden()
          .note("holds the player's page snippet written into the voice reader page"),
      ControlBuilder("WebBrowser1", Kind::WebBrowser)
          .at(-840, 840, 10980, 3240)
          .note("voice reader page; at load Top 550, Height 5450"),
  };
}

std::vector<TimerSpec> form1_timers() {
  return {
      disabled_timer("Timer11", 1000), enabled_timer("Timer10", 50),
      disabled_timer("Timer9", 100),   disabled_timer("Timer8", 100),
      enabled_timer("Timer7", 1000),   disabled_timer("Timer6", 100),
      disabled_timer("Timer5", 500),   disabled_timer("Timer4", 500),
      disabled_timer("Timer1", 100),   disabled_timer("Timer3", 500),
      disabled_timer("Timer2", 500),   disabled_timer("TimerEn", 1500),
      disabled_timer("z00", 2000),
  };
}

WindowLayout make_form1_layout() {
  WindowLayout layout;
  layout.name = "Form1";
  layout.width = 11715;
  layout.height = 7905;
  layout.back_color = Rgb{0, 192, 192};
  // The background picture is drawn at its own size from the top-left corner.
  layout.picture = bitmap_picture(
      707, 433,
      "the finished window: the voice reader player with its presenter, and the controls of the "
      "strip");
  layout.icon = icon_picture(32, 32, "program icon");
  layout.centred = false;
  layout.controls = form1_controls();
  layout.timers = form1_timers();
  layout.note =
      "at load 10600 wide and 5700 high, Top 0, Left -10600 (parked off-screen); 7280 wide while "
      "the strip is collapsed; 3400 high while the translation window is compact";
  return layout;
}

}  // namespace

const WindowLayout& Form1Layout() {
  static const WindowLayout layout = make_form1_layout();
  return layout;
}

}  // namespace prevod

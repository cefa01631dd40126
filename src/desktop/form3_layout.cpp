// The design-time table of Form3, the hint window: a band with one line of
// advice, which unloads itself when its timer first fires.

#include <vector>

#include "desktop/window_layouts.h"
#include "model/control_builder.h"

namespace prevod {

namespace {

WindowLayout make_form3_layout() {
  WindowLayout layout;
  layout.name = "Form3";
  layout.width = 8565;
  layout.height = 765;
  // The background picture covers the band but for one pixel column at the
  // right; the design stores no colour for it, so that column takes the
  // light grey of a plain window.
  layout.back_color = Rgb{212, 208, 200};
  layout.picture = bitmap_picture(570, 54, "blue bar shading to white in the middle");
  layout.centred = true;
  layout.controls = {
      ControlBuilder("Label1", ControlKind::Label)
          .at(120, 240, 8415, 375)
          .caption("Изберете език за изговаряне на фраза и след това изберете тази опция!")
          .transparent()
          .font(bold_font(9.75f))
          .note("asks for a language to be spoken before voice-only mode is entered"),
  };
  layout.timers = {enabled_timer("Timer1", 5000)};
  layout.note = "unloads itself five seconds after it is created";
  return layout;
}

}  // namespace

const WindowLayout& Form3Layout() {
  static const WindowLayout layout = make_form3_layout();
  return layout;
}

}  // namespace prevod

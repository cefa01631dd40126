#pragma once

// The design-time description of a window: its own properties, its controls
// with kind, container, position and size in twips, visibility, caption,
// colours, fonts, tooltips and picture descriptions, and its timers. The
// program keeps one table per window (desktop/window_layouts.h); the
// run-time model builds every window from its table.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace prevod {

enum class ControlKind {
  PictureBox,
  Label,
  Image,
  CheckBox,
  OptionButton,
  CommandButton,
  RichTextBox,
  TextBox,
  ScrollBar,
  Line,
  WebBrowser,
  Timer,
};

const char* control_kind_name(ControlKind kind);

// Whether controls of this kind are windows of their own (picture boxes,
// buttons, text and list controls, browsers), which stack among themselves in
// table order, or are drawn on their container's surface behind every
// windowed control of that container (labels, images, lines). Timers are
// neither drawn nor stacked.
bool control_kind_windowed(ControlKind kind);

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

struct FontSpec {
  std::string name = "MS Sans Serif";
  float size = 8.25f;
  bool bold = false;
  std::string charset = "Cyrillic";
};

// A picture the desktop draws: its size in pixels and what it shows. The
// real desktop renders it from the description; nothing else is stored.
struct PictureSpec {
  int width_px = 0;
  int height_px = 0;
  std::string format = "bitmap";  // bitmap, icon or jpeg
  std::string description;
  bool stretch = false;  // stretched to the control rather than drawn at its size
};

struct ControlSpec {
  std::string name;
  ControlKind kind = ControlKind::PictureBox;
  std::string container;  // "" for the window itself
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
  bool visible = true;
  std::string caption;  // caption of buttons, labels, check and option buttons; text of text boxes
  std::optional<Rgb> fore_color;
  std::optional<Rgb> back_color;
  std::optional<FontSpec> font;
  std::string tooltip;
  std::optional<PictureSpec> picture;
  bool transparent = false;  // labels drawn without a background
  int value = 0;             // check box Value, option button selected (1), scroll bar Value
  int min = 0;               // scroll bar range and steps
  int max = 0;
  int small_change = 1;
  int large_change = 1;
  std::string note;         // what the design says of the control's role
  bool horizontal = false;  // scroll bars: laid across the window rather than upright
};

struct TimerSpec {
  std::string name;
  bool enabled = false;
  int interval = 0;
  std::string container;  // "" for the window itself
};

struct WindowLayout {
  std::string name;
  float width = 0;  // design client area, twips
  float height = 0;
  Rgb back_color;
  std::optional<PictureSpec> picture;  // background picture
  std::optional<PictureSpec> icon;     // window icon (also the tray icon of Form2)
  bool centred = false;                // placed centred on the screen when first shown
  std::vector<ControlSpec> controls;   // in stacking order, the first in front
  std::vector<TimerSpec> timers;
  FontSpec font;     // the window's font, used by every control without a font of its own
  std::string note;  // the sizes and places the window takes at run time

  // The control or timer of that name, or nullptr when the window has none.
  const ControlSpec* control(std::string_view control_name) const;
  const TimerSpec* timer(std::string_view timer_name) const;
};

}  // namespace prevod

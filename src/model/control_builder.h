#pragma once

// Writes one row of a window's layout table as a chain of the properties the
// row gives, leaving every other property at its default:
//
//   ControlBuilder("Picture8", ControlKind::PictureBox)
//       .at(7560, 4080, 2715, 345).hidden().picture(bitmap_picture(181, 23, "..."))
//
// The three layout tables (form1_layout.cpp, form2_layout.cpp,
// form3_layout.cpp) are written with it; the helpers below describe the
// pictures and timers of those tables.

#include <string>
#include <utility>

#include "model/window_layout.h"

namespace prevod {

class ControlBuilder {
 public:
  ControlBuilder(std::string name, ControlKind kind) {
    m_spec.name = std::move(name);
    m_spec.kind = kind;
  }

  // The picture box that holds the control; without it the window does.
  ControlBuilder& in(std::string container) {
    m_spec.container = std::move(container);
    return *this;
  }
  // Left, Top, Width and Height in twips, relative to the container.
  ControlBuilder& at(float left, float top, float width, float height) {
    m_spec.left = left;
    m_spec.top = top;
    m_spec.width = width;
    m_spec.height = height;
    return *this;
  }
  ControlBuilder& hidden() {
    m_spec.visible = false;
    return *this;
  }
  ControlBuilder& caption(std::string text) {
    m_spec.caption = std::move(text);
    return *this;
  }
  ControlBuilder& fore_color(Rgb color) {
    m_spec.fore_color = color;
    return *this;
  }
  ControlBuilder& back_color(Rgb color) {
    m_spec.back_color = color;
    return *this;
  }
  ControlBuilder& font(FontSpec font) {
    m_spec.font = std::move(font);
    return *this;
  }
  ControlBuilder& tooltip(std::string text) {
    m_spec.tooltip = std::move(text);
    return *this;
  }
  ControlBuilder& picture(PictureSpec picture) {
    m_spec.picture = std::move(picture);
    return *this;
  }
  ControlBuilder& transparent() {
    m_spec.transparent = true;
    return *this;
  }
  ControlBuilder& value(int value) {
    m_spec.value = value;
    return *this;
  }
  ControlBuilder& range(int min, int max) {
    m_spec.min = min;
    m_spec.max = max;
    return *this;
  }
  ControlBuilder& steps(int small_change, int large_change) {
    m_spec.small_change = small_change;
    m_spec.large_change = large_change;
    return *this;
  }
  ControlBuilder& horizontal() {
    m_spec.horizontal = true;
    return *this;
  }
  // What the control is for, and the places or sizes it takes at run time.
  ControlBuilder& note(std::string text) {
    m_spec.note = std::move(text);
    return *this;
  }

  operator ControlSpec() const { return m_spec; }

 private:
  ControlSpec m_spec;
};

// The caption of a skinned button: a transparent label in white lying on the
// picture box whose click it shares.
inline ControlBuilder button_caption(std::string name, std::string picture_box,
                                     std::string caption) {
  ControlBuilder label(std::move(name), ControlKind::Label);
  label.in(std::move(picture_box))
      .caption(std::move(caption))
      .fore_color(Rgb{255, 255, 255})
      .transparent();
  return label;
}

// Text lying on a band or panel. Labels on pictures are drawn without a
// background of their own, so the picture shows around the text.
inline ControlBuilder label_on(std::string name, std::string picture_box, std::string caption) {
  ControlBuilder label(std::move(name), ControlKind::Label);
  label.in(std::move(picture_box)).caption(std::move(caption)).transparent();
  return label;
}

inline PictureSpec described_picture(int width_px, int height_px, std::string format,
                                     std::string description) {
  PictureSpec picture;
  picture.width_px = width_px;
  picture.height_px = height_px;
  picture.format = std::move(format);
  picture.description = std::move(description);
  return picture;
}

inline PictureSpec bitmap_picture(int width_px, int height_px, std::string description) {
  return described_picture(width_px, height_px, "bitmap", std::move(description));
}

inline PictureSpec icon_picture(int width_px, int height_px, std::string description) {
  return described_picture(width_px, height_px, "icon", std::move(description));
}

inline PictureSpec jpeg_picture(int width_px, int height_px, std::string description) {
  return described_picture(width_px, height_px, "jpeg", std::move(description));
}

// A bitmap stretched to its control rather than drawn at its own size.
inline PictureSpec stretched(PictureSpec picture) {
  picture.stretch = true;
  return picture;
}

// A timer of the table: enabled at start (it runs from the window's
// creation) or disabled until code enables it.
inline TimerSpec enabled_timer(std::string name, int interval, std::string container = "") {
  TimerSpec timer;
  timer.name = std::move(name);
  timer.enabled = true;
  timer.interval = interval;
  timer.container = std::move(container);
  return timer;
}

inline TimerSpec disabled_timer(std::string name, int interval, std::string container = "") {
  TimerSpec timer = enabled_timer(std::move(name), interval, std::move(container));
  timer.enabled = false;
  return timer;
}

// A stored bold font: "MS Sans Serif" with the Cyrillic character set.
inline FontSpec bold_font(float size) {
  FontSpec font;
  font.size = size;
  font.bold = true;
  return font;
}

}  // namespace prevod

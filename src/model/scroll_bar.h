#pragma once

// A scroll bar with Min, Max, Value and its small and large steps. Assigning
// a different Value raises Change; a value outside Min..Max is refused.

#include <cstdint>
#include <functional>

#include "model/control.h"

namespace prevod {

class ScrollBar : public Control {
 public:
  ScrollBar(Window& window, const ControlSpec& design);
  int16_t Value() const { return m_value; }
  void set_Value(int16_t value);
  int16_t Min() const { return m_min; }
  int16_t Max() const { return m_max; }
  int16_t SmallChange() const { return m_small; }
  int16_t LargeChange() const { return m_large; }
  bool can_take_focus() const override { return true; }
  // Arrows move by the small step, Page Up and Page Down by the large one.
  void key_event(const KeyEvent& event) override;
  std::optional<std::string> property(std::string_view name) const override;

  std::function<void()> on_change;

 private:
  int16_t m_min;
  int16_t m_max;
  int16_t m_small;
  int16_t m_large;
  int16_t m_value;
};

}  // namespace prevod

#include "model/scroll_bar.h"

#include <algorithm>

#include "base/runtime_error.h"

namespace prevod {

ScrollBar::ScrollBar(Window& window, const ControlSpec& design)
    : Control(window, design),
      m_min(static_cast<int16_t>(design.min)),
      m_max(static_cast<int16_t>(design.max)),
      m_small(static_cast<int16_t>(design.small_change)),
      m_large(static_cast<int16_t>(design.large_change)),
      m_value(static_cast<int16_t>(design.value)) {}

void ScrollBar::set_Value(int16_t value) {
  if (value < std::min(m_min, m_max) || value > std::max(m_min, m_max)) {
    throw RuntimeError("Invalid property value");
  }
  if (value == m_value) return;
  m_value = value;
  changed();
  if (on_change) raise("Change", on_change);
}

void ScrollBar::key_event(const KeyEvent& event) {
  if (!event.down) return;
  int step = 0;
  if (event.code == vk::LEFT || event.code == vk::UP) step = -m_small;
  if (event.code == vk::RIGHT || event.code == vk::DOWN) step = m_small;
  if (event.code == vk::PRIOR) step = -m_large;
  if (event.code == vk::NEXT) step = m_large;
  if (step == 0) return;
  int target = std::clamp(m_value + step, static_cast<int>(std::min(m_min, m_max)),
                          static_cast<int>(std::max(m_min, m_max)));
  set_Value(static_cast<int16_t>(target));
}

std::optional<std::string> ScrollBar::property(std::string_view name) const {
  if (name == "Value") return std::to_string(m_value);
  if (name == "Min") return std::to_string(m_min);
  if (name == "Max") return std::to_string(m_max);
  return Control::property(name);
}

}  // namespace prevod

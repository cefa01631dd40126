#include "translation/module_proverka.h"

#include <array>
#include <cstdint>
#include <limits>

#include "app/shared_state.h"
#include "base/text.h"

namespace prevod {

void CheckCyrillic(SharedState& shared, std::string_view T) {
  constexpr char16_t first_letter = 0x0410;
  constexpr char16_t last_letter = 0x044F;
  std::array<int64_t, 64> first_position{};
  std::u16string units = text::to_utf16(T);
  for (size_t i = 0; i < units.size(); ++i) {
    char16_t unit = units[i];
    if (unit < first_letter || unit > last_letter) continue;
    int64_t& position = first_position[unit - first_letter];
    if (position == 0) position = static_cast<int64_t>(i) + 1;
  }
  int64_t score = 0;
  for (int64_t position : first_position) score += position;
  // A text of tens of millions of characters could pass the 32-bit range;
  // the score then stays at the largest value, still "Cyrillic".
  constexpr int64_t most = std::numeric_limits<int32_t>::max();
  shared.CyrillicScore = static_cast<int32_t>(score > most ? most : score);
}

}  // namespace prevod

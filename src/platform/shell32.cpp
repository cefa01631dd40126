#include "platform/shell32.h"

#include <cstring>

namespace prevod {

std::array<uint8_t, 88> NOTIFYICONDATA::bytes() const {
  std::array<uint8_t, 88> out{};
  const uint32_t fields[] = {cbSize, hWnd, uID, uFlags, uCallbackMessage, hIcon};
  size_t at = 0;
  for (uint32_t field : fields) {
    for (int shift = 0; shift < 32; shift += 8) out[at++] = static_cast<uint8_t>(field >> shift);
  }
  std::memcpy(out.data() + at, szTip.data(), szTip.size());
  return out;
}

}  // namespace prevod

// The dictionary data reader on any bytes, plain or gzip/dictzip: the first
// 16 bytes choose two reads (offset and length) and the reach the index
// would allow, the rest are the file. Nothing may inflate past the reach.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "services/translator/dictd_data.h"
#include "services/translator/dictionary_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prevod;
  if (size < 16) return 0;
  uint32_t numbers[4];
  std::memcpy(numbers, data, sizeof numbers);
  std::string bytes(reinterpret_cast<const char*>(data) + 16, size - 16);
  try {
    auto reader = DictdData::from_bytes(std::move(bytes), "fuzz");
    reader->set_reach(uint64_t{numbers[0]} + numbers[1] % (1 << 16) + 1);
    for (int read = 0; read < 2; ++read) {
      try {
        (void)reader->read(numbers[2 * read], numbers[2 * read + 1] % (1 << 16));
      } catch (const DictionaryError&) {
      }
    }
  } catch (const DictionaryError&) {
    // Damaged data is a clear outcome.
  }
  return 0;
}

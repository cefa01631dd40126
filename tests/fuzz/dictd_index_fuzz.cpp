// The dictd index parser on any text: it parses or says the index is
// damaged, and never reads beyond what it was given.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "services/translator/dictd_index.h"
#include "services/translator/dictionary_error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prevod;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    DictdIndex index = DictdIndex::parse(text);
    // Whether the index could belong to a text of a few sizes.
    for (uint64_t length : {uint64_t{0}, uint64_t{size}, uint64_t{1} << 20}) {
      try {
        index.check_fits(length);
      } catch (const DictionaryError&) {
      }
    }
    (void)index.take_entries();
  } catch (const DictionaryError&) {
    // A damaged index is a clear outcome.
  }
  return 0;
}

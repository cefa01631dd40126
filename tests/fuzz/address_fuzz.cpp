// Addresses as the browser parses and resolves them, and the fragment of a
// translation request as the translation site reads it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/page/url.h"
#include "services/translator/translation_fragment.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prevod;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (auto url = Url::parse(bytes)) {
    // A parsed address reads back as itself.
    auto again = Url::parse(url->str());
    if (!again || again->str() != url->str()) std::abort();
    (void)url->path_and_query();
    (void)url->without_fragment();
    (void)url->is_local();
  }
  size_t cut = bytes.find('\n');
  if (cut != std::string_view::npos) {
    (void)Url::resolve(bytes.substr(0, cut), bytes.substr(cut + 1));
  } else {
    (void)Url::resolve("http://translate.localhost/?hl=bg&tab=wT#en|bg|x", bytes);
  }
  (void)TranslationFragment::parse(bytes);
  return 0;
}

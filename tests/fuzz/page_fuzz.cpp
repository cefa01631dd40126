// The HTML prepass and the page engine: any bytes as a whole page, then the
// same bytes written into the page as the inner HTML of an element, with the
// reads the program makes of pages. However the markup nests, the tree stays
// within the depth cap.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/runtime_error.h"
#include "page_test_support.h"
#include "platform/page/html_prepass.h"
#include "platform/page/page_document.h"
#include "platform/page/page_element.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace prevod;
  using page_test::depth_of;
  std::string html(reinterpret_cast<const char*>(data), size);
  auto document = PageDocument::load(html, "http://fuzz.localhost/", nullptr, nullptr);
  if (depth_of(document->node()) > HtmlPrepass::kMaxDepth) std::abort();
  try {
    auto all = document->getElementsByTagName("*");
    int32_t count = all->length();
    if (count > 0) {
      auto last = all->Item(count - 1);
      (void)last->InnerText();
      last->set_innerhtml(html);
      if (depth_of(document->node()) > 2 * HtmlPrepass::kMaxDepth) std::abort();
      (void)last->innerhtml();
    }
    (void)document->documentelement()->InnerText();
    auto spans = document->getElementsByTagName("SPAN");
    for (int32_t i = 0; i < spans->length() && i < 16; ++i) (void)spans->Item(i)->Id();
  } catch (const RuntimeError&) {
    // The page model's own failures are clear outcomes.
  }
  document->unload();
  return 0;
}

#pragma once

// Readies markup for the HTML parser in two ways before it sees it:
//
// - The engine behaves as a browser with scripting on, so the content of a
//   NOSCRIPT element is plain text, never markup: nothing inside it becomes
//   an element (an OBJECT in a NOSCRIPT fallback is never found or
//   instantiated). The parser we use reads NOSCRIPT as with scripting off,
//   so each NOSCRIPT is handed to it disguised as a TITLE (text-only in every
//   place a NOSCRIPT may stand) carrying kNoscriptMarker; the tree builder
//   turns it back into a NOSCRIPT holding that text.
// - Nesting stops at kMaxDepth: an element that would go deeper closes the
//   deepest open element early and becomes its sibling (whose own end tag
//   is then dropped), much as browsers cap the depth of their trees.
//   Without this a page of a hundred thousand nested elements takes the
//   parser minutes, as it rescans the open elements at every tag.
//
// The scan is a light tokenizer: it knows comments, raw-text elements, void
// elements and the common implied end tags, which is enough to keep the
// depth estimate from growing on ordinary pages.

#include <cstddef>
#include <string>
#include <string_view>

namespace prevod {

class HtmlPrepass {
 public:
  static constexpr size_t kMaxDepth = 256;
  static constexpr std::string_view kNoscriptMarker = "data-prevod-noscript";

  static std::string prepare(std::string_view html);
};

}  // namespace prevod

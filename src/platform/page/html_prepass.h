#pragma once

// Readies markup for the HTML parser, so that markup of any shape and size
// parses in time linear in its length:
//
// - The engine behaves as a browser with scripting on, so the content of a
//   NOSCRIPT element is plain text, never markup: nothing inside it becomes
//   an element (an OBJECT in a NOSCRIPT fallback is never found or
//   instantiated). The parser we use reads NOSCRIPT as with scripting off,
//   so each NOSCRIPT is handed to it disguised as a TITLE (text-only in every
//   place a NOSCRIPT may stand) carrying kNoscriptMarker; the tree builder
//   turns it back into a NOSCRIPT holding that text.
// - Nesting stops at kMaxDepth open elements, however the markup nests
//   (directly, through implied elements, through formatting elements the
//   parser opens again, through misnested end tags): before a token that
//   would take the tree deeper, the deepest open element is closed early so
//   that what follows becomes its sibling, or a formatting element waiting
//   to be opened again is dropped. Browsers cap the depth of their trees
//   alike. The parser rescans its open elements at every tag, so without the
//   cap deep markup takes it minutes. The parser can still move misnested
//   formatting a few levels past the cap after it was placed; HtmlParser
//   leaves out any element that would lie deeper, so no tree is.
// - A page (or a piece of markup written into one) holds at most
//   kMaxElements elements written in its markup; later start tags are left
//   out and what they held stays as text. The parser's work grows with the
//   elements it builds, and no page the program shows comes near the bound.
// - An element keeps its first kMaxAttributes distinct attributes (the
//   parser checks every new attribute against all earlier ones); later
//   duplicates of a name are dropped, as the parser would drop them.
// - A formatting element (A, B, FONT, ...) with attributes is given a first
//   attribute kFormattingMarker numbering its set of attributes, which the
//   tree builder removes again. The parser compares the attributes of such
//   elements with each other; the number makes two different sets differ at
//   once, and makes the comparison exactly the one HtmlTreeModel makes.
//
// HtmlTreeModel follows the parser's tree construction token by token, so
// the prepass knows how deep the tree is at every point. Ordinary pages come
// out unchanged apart from the marker attributes.

#include <gumbo.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace prevod {

class HtmlPrepass {
 public:
  static constexpr size_t kMaxDepth = 256;
  static constexpr size_t kMaxAttributes = 64;
  static constexpr size_t kMaxElements = 32768;
  static constexpr std::string_view kNoscriptMarker = "data-prevod-noscript";
  static constexpr std::string_view kFormattingMarker = "data-prevod-formatting";

  // A whole page, or with a `context` the content of an element with that
  // tag, nesting at most `max_depth` open elements (the html element counts).
  static std::string prepare(std::string_view html, GumboTag context = GUMBO_TAG_LAST,
                             size_t max_depth = kMaxDepth);
};

}  // namespace prevod

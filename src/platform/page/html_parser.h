#pragma once

// Builds the engine's document tree from markup with the gumbo HTML5
// parser, after HtmlPrepass has made NOSCRIPT content text and capped the
// nesting depth and the attributes (see there). Whole pages and fragments
// (the content written into an element) are parsed as a browser would, with
// the element's tag as the fragment's context. Markup of any shape gives a
// tree no deeper than HtmlPrepass::kMaxDepth elements below the document or
// the fragment's element; nothing fails.

#include <memory>
#include <string_view>

#include "platform/page/page_node.h"

namespace prevod {

class PageDocument;

class HtmlParser {
 public:
  // Parses a whole page into the children of `document_node` (the doctype,
  // comments and the html element, with head and body always present).
  static void parse_document(std::string_view html, PageNode& document_node,
                             const std::weak_ptr<PageDocument>& owner);
  // Parses the content of an element whose tag (in lower case) is `context`.
  static PageNode::Children parse_fragment(std::string_view html, std::string_view context,
                                           const std::weak_ptr<PageDocument>& owner);
};

}  // namespace prevod

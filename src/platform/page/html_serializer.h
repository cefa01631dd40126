#pragma once

// Writes a node's content back as markup (the innerhtml a page model
// reads), following the HTML serialisation rules: lower-case tags, void
// elements without end tags, text escaped except inside raw-text elements
// (SCRIPT, STYLE, NOSCRIPT and the like). Works without recursion.

#include <string>

namespace prevod {

class PageNode;

class HtmlSerializer {
 public:
  static std::string inner_html(const PageNode& node);
};

}  // namespace prevod

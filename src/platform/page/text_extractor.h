#pragma once

// The text of a node as a person reads it (InnerText): markup dropped,
// runs of blanks collapsed, the content of SCRIPT, STYLE, NOSCRIPT, HEAD
// and TEMPLATE left out, and so is anything hidden by an inline
// display:none. Block elements start and end lines, a paragraph leaves a
// blank line, BR breaks the line, table cells are separated by a tab, and
// PRE and TEXTAREA keep their blanks. Line breaks are CR LF. Works without
// recursion.

#include <string>

namespace prevod {

class PageNode;

class TextExtractor {
 public:
  enum class Plugins { Omit, Describe };

  // With Plugins::Describe an OBJECT that holds a plug-in reads as its
  // description in brackets (the console's view of a page).
  static std::string inner_text(const PageNode& node, Plugins plugins = Plugins::Omit);
};

}  // namespace prevod

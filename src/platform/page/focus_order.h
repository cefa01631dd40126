#pragma once

// Where Tab and Shift+Tab move the page focus. Tab stops are, in document
// order: links with an href, INPUT (not hidden), SELECT, BUTTON and
// TEXTAREA that are not disabled, OBJECT elements holding a plug-in, and any
// element with a tabindex of 0 or more; a negative tabindex takes an element
// out of the order. Elements hidden by an inline display:none on themselves
// or an ancestor are skipped, and so is what a browser does not render (the
// head, script, noscript, template, a plug-in's fallback content).
//
// From a focused element that is no Tab stop (a DIV that was focus()ed, an
// element since hidden) Tab goes to the first stop after it in document
// order and Shift+Tab to the last one before it. Past the last stop the
// order wraps round to the first, and the other way round, so the focus
// stays in the page.

#include <memory>

namespace prevod {

class PageNode;
class PageElement;

class FocusOrder {
 public:
  enum class Direction { Forward, Backward };

  // Whether Tab stops at the element, hiding aside.
  static bool is_tab_stop(const PageElement& element);
  // The stop reached from `from` (nullptr when nothing has the focus), or
  // nullptr when the document has no stop at all.
  static std::shared_ptr<PageElement> next(const PageNode& document, const PageElement* from,
                                           Direction direction);
};

}  // namespace prevod

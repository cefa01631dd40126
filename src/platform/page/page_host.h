#pragma once

// What a document asks of the browser showing it: to follow a link, to
// take its window's keyboard focus when a page element is focused, and to
// show the page again when what a person sees of it may have changed. A
// document that is no longer shown has no host and asks nothing.

#include <string>

namespace prevod {

class PageHost {
 public:
  virtual ~PageHost() = default;
  // Navigates to an absolute address (a followed link).
  virtual void follow_link(const std::string& address) = 0;
  // An element of the shown document took the page focus.
  virtual void element_focused() = 0;
  // The tree, a style, the focus or a plug-in's state changed.
  virtual void page_changed() {}
};

}  // namespace prevod

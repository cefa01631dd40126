#pragma once

// What a document asks of the browser showing it: to follow a link, and to
// take its window's keyboard focus when a page element is focused. A
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
};

}  // namespace prevod

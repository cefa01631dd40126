#pragma once

// Reduces a page to what a desktop draws of it (platform/page_view.h): the
// visible text as blocks of styled runs laid one under the other, and the
// plug-ins as boxes among them with their faces. What a browser does not
// render is left out, and so is whatever an inline display:none hides, as
// in TextExtractor. Block elements, list items and table rows start new
// blocks, BR breaks a line, table cells are separated by a tab; headings,
// B, STRONG and TH are bold and links are marked. Form controls show their
// value in brackets. An element placed with position:absolute or fixed
// starts a flow of its own at its left and top (pixels, relative to the
// flow it lies in), as wide as its width when one is given in pixels; no
// other sizes or places are laid out. The page's own flow starts inside an
// 8-pixel margin, as a browser's body does. Works without recursion.

#include <cstdint>

#include "platform/page_view.h"

namespace prevod {

class PageNode;
class Plugin;

class PageViewBuilder {
 public:
  // The body margin: where the page's own flow starts.
  static constexpr int kMargin = 8;
  // The size of a plug-in box whose OBJECT gives none in pixels.
  static constexpr int kDefaultPluginWidth = 300;
  static constexpr int kDefaultPluginHeight = 150;

  static PageView build(const PageNode& document);
  // The token that names a plug-in in a PageView and in plugin_action.
  static uint64_t token(const Plugin& plugin);
};

}  // namespace prevod

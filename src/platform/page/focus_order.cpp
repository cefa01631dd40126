#include "platform/page/focus_order.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "platform/page/page_element.h"
#include "platform/page/page_node.h"

namespace prevod {

namespace {

constexpr std::array<std::string_view, 7> kNotRendered{"head",     "script",  "style",   "noscript",
                                                       "template", "noembed", "noframes"};

// The tabindex attribute as a number, or nullopt when absent or not one.
std::optional<long> tab_index(const PageElement& element) {
  std::optional<std::string> text = element.attribute("tabindex");
  if (!text) return std::nullopt;
  std::string_view digits = *text;
  while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t')) {
    digits.remove_prefix(1);
  }
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  long value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end == digits.data()) return std::nullopt;
  return value;
}

bool hidden(const PageElement& element) {
  if (element.style().hides()) return true;
  return std::find(kNotRendered.begin(), kNotRendered.end(), element.tag()) != kNotRendered.end();
}

}  // namespace

bool FocusOrder::is_tab_stop(const PageElement& element) {
  if (std::optional<long> index = tab_index(element)) return *index >= 0;
  const std::string& tag = element.tag();
  if (tag == "a" || tag == "area") return element.attribute("href").has_value();
  if (tag == "object") return element.plugin() != nullptr;
  if (element.attribute("disabled")) return false;
  if (tag == "input") return element.attribute("type").value_or("") != "hidden";
  return tag == "select" || tag == "button" || tag == "textarea";
}

std::shared_ptr<PageElement> FocusOrder::next(const PageNode& document, const PageElement* from,
                                              Direction direction) {
  // One walk collects the visible stops and counts those that come before
  // the focused element in document order, even where it stands inside a
  // part the walk does not enter: the deepest of its ancestors visited
  // stands in for it.
  std::unordered_set<const PageNode*> path;
  for (const PageNode* node = from; node != nullptr; node = node->parent()) path.insert(node);
  std::vector<PageElement*> stops;
  size_t before_from = 0;
  bool from_is_stop = false;
  document.walk_descendants([&](const PageNode& node) {
    const PageElement* element = node.as_element();
    if (element == nullptr) return false;
    bool on_path = path.count(element) != 0;
    if (element == from) before_from = stops.size();
    if (hidden(*element)) {
      if (on_path && element != from) before_from = stops.size();
      return false;
    }
    if (is_tab_stop(*element)) {
      if (element == from) from_is_stop = true;
      stops.push_back(const_cast<PageElement*>(element));
    }
    if (on_path && element != from) before_from = stops.size();
    // A plug-in draws itself; its fallback content is not shown.
    return element->plugin() == nullptr;
  });
  if (stops.empty()) return nullptr;
  size_t target = 0;
  if (direction == Direction::Forward) {
    size_t first_after = from == nullptr ? 0 : before_from + (from_is_stop ? 1 : 0);
    target = first_after < stops.size() ? first_after : 0;
  } else {
    target = from == nullptr || before_from == 0 ? stops.size() - 1 : before_from - 1;
  }
  return stops[target]->shared();
}

}  // namespace prevod

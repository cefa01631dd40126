#include "platform/page/live_element_list.h"

#include <limits>

#include "base/runtime_error.h"
#include "platform/page/page_document.h"
#include "platform/page/page_element.h"

namespace prevod {

LiveElementList::LiveElementList(std::shared_ptr<PageDocument> document, std::string tag)
    : m_document(std::move(document)), m_tag(std::move(tag)) {}

const LiveElementList::Matches& LiveElementList::matches() const {
  if (m_fresh && m_version == m_document->version()) return m_matches;
  if (!m_fresh || !follow_change()) m_matches = Matches(m_document->elements_by_tag(m_tag));
  m_version = m_document->version();
  m_fresh = true;
  return m_matches;
}

bool LiveElementList::matches_tag(const PageElement& element) const {
  return m_tag == "*" || element.tag() == m_tag;
}

// The one change since the last look replaced the content of the element
// Item gave last: its old matching descendants, which follow it in the
// list and are all out of the tree now, give way to the new ones.
bool LiveElementList::follow_change() const {
  if (m_document->version() != m_version + 1) return false;
  const std::shared_ptr<PageElement> written = m_document->last_replaced();
  if (!written || m_last_index >= m_matches.size() ||
      m_matches[m_last_index].get() != written.get() || !written->is_connected()) {
    return false;
  }
  // The old descendants run up to the first entry still in the tree.
  const size_t first = m_last_index + 1;
  size_t low = first;
  size_t high = m_matches.size();
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    if (m_matches[middle]->is_connected()) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  m_matches.erase(first, low - first);
  std::vector<std::shared_ptr<PageElement>> added;
  written->walk_descendants([&](const PageNode& node) {
    const PageElement* element = node.as_element();
    if (element == nullptr) return false;
    if (matches_tag(*element)) added.push_back(const_cast<PageElement*>(element)->shared());
    return true;
  });
  m_matches.insert(first, std::move(added));
  return true;
}

int32_t LiveElementList::length() const {
  size_t count = matches().size();
  constexpr size_t kMax = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(count < kMax ? count : kMax);
}

std::shared_ptr<Element> LiveElementList::Item(int32_t index) const {
  const auto& found = matches();
  if (index < 0 || static_cast<size_t>(index) >= found.size()) {
    throw RuntimeError("Item(" + std::to_string(index) + ") is beyond the list of " +
                       std::to_string(found.size()) + " \"" + m_tag + "\" elements");
  }
  m_last_index = static_cast<size_t>(index);
  return found[m_last_index];
}

}  // namespace prevod

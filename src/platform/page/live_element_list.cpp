#include "platform/page/live_element_list.h"

#include <limits>

#include "base/runtime_error.h"
#include "platform/page/page_document.h"
#include "platform/page/page_element.h"

namespace prevod {

LiveElementList::LiveElementList(std::shared_ptr<PageDocument> document, std::string tag)
    : m_document(std::move(document)), m_tag(std::move(tag)) {}

const std::vector<std::shared_ptr<PageElement>>& LiveElementList::matches() const {
  if (!m_fresh || m_version != m_document->version()) {
    m_matches = m_document->elements_by_tag(m_tag);
    m_version = m_document->version();
    m_fresh = true;
  }
  return m_matches;
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
  return found[static_cast<size_t>(index)];
}

}  // namespace prevod

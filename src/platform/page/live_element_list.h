#pragma once

// The list getElementsByTagName returns: live, so length and Item look at
// the document as it is at each call. The matches are kept between calls
// while the document's version stays the same, so a walk that only writes
// styles does not search the tree again at every Item.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/page_model.h"

namespace prevod {

class PageDocument;
class PageElement;

class LiveElementList : public ElementList {
 public:
  // `tag` in lower case, "*" for every element.
  LiveElementList(std::shared_ptr<PageDocument> document, std::string tag);

  int32_t length() const override;
  std::shared_ptr<Element> Item(int32_t index) const override;

 private:
  const std::vector<std::shared_ptr<PageElement>>& matches() const;

  std::shared_ptr<PageDocument> m_document;
  std::string m_tag;
  mutable std::vector<std::shared_ptr<PageElement>> m_matches;
  mutable uint64_t m_version = 0;
  mutable bool m_fresh = false;
};

}  // namespace prevod

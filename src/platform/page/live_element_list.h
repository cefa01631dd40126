#pragma once

// The list getElementsByTagName returns: live, so length and Item look at
// the document as it is at each call. The matches are kept between calls
// while the document's version stays the same, so a walk that only writes
// styles does not search the tree again at every Item; and when the one
// change since is new content written into the element Item gave last, only
// that element's content is searched again, so that a walk emptying each
// element in turn takes time in the size of the page, not its square.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/page/gap_vector.h"
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
  using Matches = GapVector<std::shared_ptr<PageElement>>;

  const Matches& matches() const;
  bool follow_change() const;
  bool matches_tag(const PageElement& element) const;

  std::shared_ptr<PageDocument> m_document;
  std::string m_tag;
  mutable Matches m_matches;
  mutable uint64_t m_version = 0;
  mutable bool m_fresh = false;
  mutable size_t m_last_index = 0;  // the entry Item gave last
};

}  // namespace prevod

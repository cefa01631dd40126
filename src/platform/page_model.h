#pragma once

// The page model the forms work with: documents, live element lists,
// elements and their inline styles. Member names are the ones the system
// spells (getElementsByTagName, Item, innerhtml, InnerText); the page engine
// in platform/page implements them. Every access that fails (an index beyond
// a list, a missing element) throws RuntimeError.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace prevod {

class ElementStyle {
 public:
  virtual ~ElementStyle() = default;
  // Writes an inline style member by name, matched without regard to case:
  // POSITION, Top, Left, Width, Height, display. The value is kept as given.
  virtual void set(std::string_view member, const std::string& value) = 0;
  // The inline value of a member, "" when it was never written.
  virtual std::string get(std::string_view member) const = 0;
};

class Element {
 public:
  virtual ~Element() = default;
  virtual std::string tagName() const = 0;
  virtual std::string Id() const = 0;
  // Replaces the content with the parsed fragment. Plug-in objects in the
  // new markup are instantiated; script and noscript content stays inert.
  virtual void set_innerhtml(const std::string& html) = 0;
  virtual std::string innerhtml() const = 0;
  // The text without markup.
  virtual std::string InnerText() const = 0;
  virtual ElementStyle& Style() = 0;
  // Focus and click as by the user.
  virtual void focus() = 0;
  virtual void Click() = 0;
};

// A live list: it reflects the document as it is at each use.
class ElementList {
 public:
  virtual ~ElementList() = default;
  virtual int32_t length() const = 0;
  // The element at a 0-based index, fetched anew at each call; RuntimeError
  // beyond the end.
  virtual std::shared_ptr<Element> Item(int32_t index) const = 0;
};

class HtmlDocument {
 public:
  virtual ~HtmlDocument() = default;
  // Tag matched without regard to case.
  virtual std::shared_ptr<ElementList> getElementsByTagName(const std::string& tag) = 0;
  virtual std::shared_ptr<Element> documentelement() = 0;
};

}  // namespace prevod

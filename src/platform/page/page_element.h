#pragma once

// An element of a page: its tag, attributes and inline style, its plug-in
// when it is an OBJECT naming a registered one, and the page-model members
// the forms call (Id, innerhtml, InnerText, Style, focus, Click). An element
// knows its document weakly; taken out of the tree it stays usable but
// detached: focus and Click then do nothing, as in a browser.

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/page/inline_style.h"
#include "platform/page/page_node.h"
#include "platform/page/plugin.h"
#include "platform/page_model.h"

namespace prevod {

class PageDocument;

class PageElement : public PageNode, public Element {
 public:
  using Attributes = std::vector<std::pair<std::string, std::string>>;

  // `tag` in lower case.
  PageElement(std::string tag, std::weak_ptr<PageDocument> document);
  ~PageElement() override;

  // The element's tag in upper case, as the page model reports it.
  std::string tagName() const override;
  std::string Id() const override;
  void set_innerhtml(const std::string& html) override;
  std::string innerhtml() const override;
  // Line breaks between blocks are CR LF, as the text boxes keep them.
  std::string InnerText() const override;
  ElementStyle& Style() override { return m_style; }
  void focus() override;
  void Click() override;

  // The tag in lower case.
  const std::string& tag() const { return m_tag; }
  // An attribute by its lower-case name.
  std::optional<std::string> attribute(std::string_view name) const;
  void set_attribute(std::string name, std::string value);
  const Attributes& attributes() const { return m_attributes; }
  const InlineStyle& style() const { return m_style; }

  Plugin* plugin() const { return m_plugin.get(); }
  void set_plugin(std::unique_ptr<Plugin> plugin) { m_plugin = std::move(plugin); }

  // The document the element was made for; nullptr once it is gone.
  std::shared_ptr<PageDocument> document() const { return m_document.lock(); }
  // Whether the element is in its document's tree.
  bool is_connected() const;
  std::shared_ptr<PageElement> shared();

 private:
  void write_style_attribute();

  std::string m_tag;
  Attributes m_attributes;
  InlineStyle m_style;
  std::unique_ptr<Plugin> m_plugin;
  std::weak_ptr<PageDocument> m_document;
};

}  // namespace prevod

#pragma once

// A loaded page: the tree, the page's address, the focused element and the
// plug-ins its OBJECT elements hold. It answers the page model's document
// members (getElementsByTagName, documentelement), routes the keys the
// browser hands it (Tab order, Enter on links, a focused plug-in takes its
// own keys) and asks its host, the browser showing it, to follow links.
//
// Plug-ins come into being when the page loads and whenever markup written
// into an element of the tree holds an OBJECT naming a registered plug-in
// (once per written OBJECT); they go when their element leaves the tree or
// the page is unloaded. Every change to the tree moves the version on, which
// is how live lists know to look again.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/keys.h"
#include "platform/page/page_node.h"
#include "platform/page_model.h"
#include "platform/page_view.h"

namespace prevod {

class PageElement;
class PageHost;
class PluginRegistry;

class PageDocument : public HtmlDocument, public std::enable_shared_from_this<PageDocument> {
 public:
  enum class FocusCause { Call, Key };

  // Parses a page served at `address`. `plugins` and `host` may be null; a
  // document without a host follows no links.
  static std::shared_ptr<PageDocument> load(std::string_view html, std::string address,
                                            const PluginRegistry* plugins, PageHost* host);
  ~PageDocument() override;

  std::shared_ptr<ElementList> getElementsByTagName(const std::string& tag) override;
  // The html element.
  std::shared_ptr<Element> documentelement() override;

  const std::string& address() const { return m_address; }
  const PageNode& node() const { return *m_node; }
  // The elements with a tag (lower case, "*" for all) in document order.
  std::vector<std::shared_ptr<PageElement>> elements_by_tag(std::string_view tag) const;
  uint64_t version() const { return m_version; }
  // The element whose content was replaced last, while it lives.
  std::shared_ptr<PageElement> last_replaced() const { return m_last_replaced.lock(); }

  // The focused element, nullptr when none is (or it has left the tree).
  std::shared_ptr<PageElement> focused() const;
  void focus_element(PageElement& element, FocusCause cause);
  // A click as by the user: the browser takes the keyboard focus, a plug-in
  // receives the click, and a link the element stands in is followed.
  void click(PageElement& element);
  // A key event while the browser has the keyboard focus.
  void key_event(const KeyEvent& event);
  // A person's click or wheel on a part of the element's plug-in: the
  // element takes the page focus (without the plug-in's focus(), which
  // would move its own focus) and the plug-in acts.
  void plugin_action(PageElement& element, const PluginAction& action);
  // What a person sees of the page may have changed: the host hears of it.
  void view_changed();
  // Follows a link element's href, resolved against the page's address.
  void follow_link(const PageElement& link);

  // `element`'s content was replaced; `removed` is what it held before.
  void content_replaced(PageElement& element, const PageNode::Children& removed);
  // The page is no longer shown: its plug-ins go and it has no host.
  void unload();
  // The page's text as a person reads it, plug-ins described.
  std::string text() const;

 private:
  PageDocument(std::string address, const PluginRegistry* plugins, PageHost* host);
  void instantiate_plugins(const PageNode& subtree);

  std::shared_ptr<PageNode> m_node;
  std::string m_address;
  const PluginRegistry* m_plugins;
  PageHost* m_host;
  std::weak_ptr<PageElement> m_focused;
  std::weak_ptr<PageElement> m_last_replaced;
  uint64_t m_version = 0;
};

}  // namespace prevod

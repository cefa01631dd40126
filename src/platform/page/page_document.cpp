#include "platform/page/page_document.h"

#include <cctype>
#include <utility>

#include "base/runtime_error.h"
#include "platform/page/focus_order.h"
#include "platform/page/html_parser.h"
#include "platform/page/live_element_list.h"
#include "platform/page/page_element.h"
#include "platform/page/page_host.h"
#include "platform/page/plugin.h"
#include "platform/page/text_extractor.h"
#include "platform/page/url.h"

namespace prevod {

namespace {

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

bool is_link(const PageElement& element) {
  return (element.tag() == "a" || element.tag() == "area") && element.attribute("href");
}

// Takes the plug-ins out of a subtree that leaves the page.
void release_plugins(PageNode& subtree) {
  if (PageElement* element = subtree.as_element()) element->set_plugin(nullptr);
  std::vector<PageElement*> holders;
  subtree.walk_descendants([&](const PageNode& node) {
    const PageElement* element = node.as_element();
    if (element != nullptr && element->plugin() != nullptr) {
      holders.push_back(const_cast<PageElement*>(element));
    }
    return true;
  });
  for (PageElement* element : holders) element->set_plugin(nullptr);
}

PluginParams params_of(const PageElement& object, const std::string& page_address) {
  PluginParams params;
  params.classid = object.attribute("classid").value_or("");
  params.id = object.Id();
  params.page_address = page_address;
  for (const auto& child : object.children()) {
    const PageElement* param = child->as_element();
    if (param == nullptr || param->tag() != "param") continue;
    params.params.emplace_back(param->attribute("name").value_or(""),
                               param->attribute("value").value_or(""));
  }
  return params;
}

}  // namespace

PageDocument::PageDocument(std::string address, const PluginRegistry* plugins, PageHost* host)
    : m_node(std::make_shared<PageNode>(PageNode::Kind::Document)),
      m_address(std::move(address)),
      m_plugins(plugins),
      m_host(host) {}

PageDocument::~PageDocument() {
  release_plugins(*m_node);
}

std::shared_ptr<PageDocument> PageDocument::load(std::string_view html, std::string address,
                                                 const PluginRegistry* plugins, PageHost* host) {
  std::shared_ptr<PageDocument> document(new PageDocument(std::move(address), plugins, host));
  HtmlParser::parse_document(html, *document->m_node, document);
  document->instantiate_plugins(*document->m_node);
  return document;
}

std::shared_ptr<ElementList> PageDocument::getElementsByTagName(const std::string& tag) {
  return std::make_shared<LiveElementList>(shared_from_this(), lower(tag));
}

std::shared_ptr<Element> PageDocument::documentelement() {
  for (const auto& child : m_node->children()) {
    if (PageElement* element = child->as_element()) return element->shared();
  }
  throw RuntimeError("the document has no root element");
}

std::vector<std::shared_ptr<PageElement>> PageDocument::elements_by_tag(
    std::string_view tag) const {
  std::vector<std::shared_ptr<PageElement>> found;
  bool every = tag == "*";
  m_node->walk_descendants([&](const PageNode& node) {
    const PageElement* element = node.as_element();
    if (element == nullptr) return false;
    if (every || element->tag() == tag)
      found.push_back(const_cast<PageElement*>(element)->shared());
    return true;
  });
  return found;
}

std::shared_ptr<PageElement> PageDocument::focused() const {
  std::shared_ptr<PageElement> element = m_focused.lock();
  if (!element || &element->root() != m_node.get()) return nullptr;
  return element;
}

void PageDocument::focus_element(PageElement& element, FocusCause cause) {
  m_focused = element.shared();
  if (cause == FocusCause::Call && m_host != nullptr) m_host->element_focused();
  if (Plugin* plugin = element.plugin()) plugin->focus();
  view_changed();
}

void PageDocument::click(PageElement& element) {
  if (m_host != nullptr) m_host->element_focused();
  if (Plugin* plugin = element.plugin()) {
    plugin->click();
    view_changed();
    return;
  }
  // The click bubbles up to the link the element stands in.
  for (const PageNode* node = &element; node != nullptr; node = node->parent()) {
    const PageElement* ancestor = node->as_element();
    if (ancestor != nullptr && is_link(*ancestor)) {
      follow_link(*ancestor);
      return;
    }
  }
}

void PageDocument::key_event(const KeyEvent& event) {
  std::shared_ptr<PageElement> focused = this->focused();
  if (focused && focused->plugin() != nullptr) {
    focused->plugin()->key_event(event);
    view_changed();
    return;
  }
  if (!event.down) return;
  if (event.code == vk::TAB && !event.ctrl) {
    auto direction = event.shift ? FocusOrder::Direction::Backward : FocusOrder::Direction::Forward;
    if (auto target = FocusOrder::next(*m_node, focused.get(), direction)) {
      focus_element(*target, FocusCause::Key);
    }
    return;
  }
  if (event.code == vk::RETURN && focused && is_link(*focused)) follow_link(*focused);
}

void PageDocument::plugin_action(PageElement& element, const PluginAction& action) {
  Plugin* plugin = element.plugin();
  if (plugin == nullptr || !element.is_connected()) return;
  m_focused = element.shared();
  if (m_host != nullptr) m_host->element_focused();
  // The host's focus request may have run code that replaced the plug-in.
  if (element.plugin() != plugin) return;
  plugin->user_action(action);
  view_changed();
}

void PageDocument::view_changed() {
  if (m_host != nullptr) m_host->page_changed();
}

void PageDocument::follow_link(const PageElement& link) {
  if (m_host == nullptr) return;
  std::optional<Url> target = Url::resolve(m_address, link.attribute("href").value_or(""));
  // Scripts never run, so a script address goes nowhere.
  if (!target || target->scheme == "javascript") return;
  m_host->follow_link(target->str());
}

void PageDocument::content_replaced(PageElement& element, const PageNode::Children& removed) {
  for (const auto& node : removed) release_plugins(*node);
  ++m_version;
  m_last_replaced = element.shared();
  if (element.is_connected()) instantiate_plugins(element);
  view_changed();
}

void PageDocument::unload() {
  release_plugins(*m_node);
  m_host = nullptr;
  m_plugins = nullptr;
}

std::string PageDocument::text() const {
  return TextExtractor::inner_text(*m_node, TextExtractor::Plugins::Describe);
}

void PageDocument::instantiate_plugins(const PageNode& subtree) {
  if (m_plugins == nullptr) return;
  std::vector<PageElement*> objects;
  subtree.walk_descendants([&](const PageNode& node) {
    const PageElement* element = node.as_element();
    if (element == nullptr || element->tag() == "noscript") return false;
    if (element->tag() == "object" && element->plugin() == nullptr &&
        element->attribute("classid")) {
      objects.push_back(const_cast<PageElement*>(element));
    }
    return true;
  });
  for (PageElement* object : objects) {
    std::unique_ptr<Plugin> plugin;
    try {
      plugin = m_plugins->create(params_of(*object, m_address));
    } catch (const RuntimeError&) {
      // A plug-in that fails to start leaves its element empty, as when
      // none is registered.
    }
    object->set_plugin(std::move(plugin));
  }
}

}  // namespace prevod

#include "platform/page/page_node.h"

#include "platform/page/page_element.h"

namespace prevod {

PageNode::PageNode(Kind kind, std::string text) : m_kind(kind), m_text(std::move(text)) {}

PageNode::~PageNode() {
  // Frees the subtree without recursion: a child nobody else holds gives up
  // its own children to this loop before it is destroyed; a child held
  // elsewhere survives as the root of its own detached tree.
  Children pending = std::move(m_children);
  while (!pending.empty()) {
    std::shared_ptr<PageNode> node = std::move(pending.back());
    pending.pop_back();
    if (node.use_count() > 1) {
      node->m_parent = nullptr;
      continue;
    }
    for (auto& child : node->m_children) pending.push_back(std::move(child));
    node->m_children.clear();
  }
}

void PageNode::append_child(std::shared_ptr<PageNode> child) {
  if (child->m_kind == Kind::Text && !m_children.empty() &&
      m_children.back()->m_kind == Kind::Text) {
    m_children.back()->m_text += child->m_text;
    return;
  }
  child->m_parent = this;
  m_children.push_back(std::move(child));
}

PageNode::Children PageNode::take_children() {
  Children taken;
  taken.swap(m_children);
  for (auto& child : taken) child->m_parent = nullptr;
  return taken;
}

const PageNode& PageNode::root() const {
  const PageNode* node = this;
  while (node->m_parent != nullptr) node = node->m_parent;
  return *node;
}

PageElement* PageNode::as_element() {
  return m_kind == Kind::Element ? static_cast<PageElement*>(this) : nullptr;
}

const PageElement* PageNode::as_element() const {
  return m_kind == Kind::Element ? static_cast<const PageElement*>(this) : nullptr;
}

}  // namespace prevod

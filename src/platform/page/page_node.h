#pragma once

// A node of the page engine's document tree: the document itself, an
// element, a run of text, a comment or the doctype. Parents own their
// children through shared pointers, so an element a caller still holds stays
// valid after it leaves the tree; the parent link is a plain pointer,
// cleared when the node is taken out or its parent goes away. Nothing here
// recurses: walks keep their own stack and teardown frees a tree of any depth
// in a loop.

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace prevod {

class PageElement;

class PageNode : public std::enable_shared_from_this<PageNode> {
 public:
  enum class Kind { Document, Element, Text, Comment, Doctype };
  using Children = std::vector<std::shared_ptr<PageNode>>;

  explicit PageNode(Kind kind, std::string text = {});
  virtual ~PageNode();
  PageNode(const PageNode&) = delete;
  PageNode& operator=(const PageNode&) = delete;

  Kind kind() const { return m_kind; }
  bool is_element() const { return m_kind == Kind::Element; }
  // The characters of a text or comment node, the name of a doctype.
  const std::string& text() const { return m_text; }
  void append_text(std::string_view more) { m_text.append(more); }

  PageNode* parent() const { return m_parent; }
  const Children& children() const { return m_children; }
  // Adds a child at the end; adjacent text runs are merged into one node.
  void append_child(std::shared_ptr<PageNode> child);
  // Takes all children out of the tree and hands them over.
  Children take_children();
  // The topmost ancestor, the node itself when it has no parent.
  const PageNode& root() const;

  PageElement* as_element();
  const PageElement* as_element() const;

  // Visits the descendants in document order. `visit(node)` returns false
  // to skip that node's descendants.
  template <typename Visit>
  void walk_descendants(Visit&& visit) const;

 private:
  Kind m_kind;
  std::string m_text;
  PageNode* m_parent = nullptr;
  Children m_children;
};

template <typename Visit>
void PageNode::walk_descendants(Visit&& visit) const {
  std::vector<std::pair<const PageNode*, size_t>> stack{{this, 0}};
  while (!stack.empty()) {
    auto& [node, next] = stack.back();
    if (next == node->m_children.size()) {
      stack.pop_back();
      continue;
    }
    const PageNode* child = node->m_children[next++].get();
    if (visit(*child) && !child->m_children.empty()) stack.emplace_back(child, 0);
  }
}

}  // namespace prevod

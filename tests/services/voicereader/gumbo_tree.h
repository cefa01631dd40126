#pragma once

// A few read-only walks over a gumbo parse tree for checking page markup in
// tests: elements by tag in document order, attributes, ancestry.

#include <gumbo.h>

#include <memory>
#include <string>
#include <vector>

namespace prevod {

class GumboTree {
 public:
  explicit GumboTree(const std::string& html)
      : m_html(html), m_output(gumbo_parse(m_html.c_str()), Destroy{}) {}

  const GumboNode* root() const { return m_output->root; }

  // Elements with `tag` under `node` (the node itself excluded), in
  // document order.
  static std::vector<const GumboNode*> elements(const GumboNode* node, GumboTag tag) {
    std::vector<const GumboNode*> out;
    collect(node, tag, out);
    return out;
  }
  std::vector<const GumboNode*> elements(GumboTag tag) const { return elements(root(), tag); }

  static std::string attribute(const GumboNode* node, const char* name) {
    const GumboAttribute* a = gumbo_get_attribute(&node->v.element.attributes, name);
    return a ? a->value : "";
  }
  static bool has_attribute(const GumboNode* node, const char* name) {
    return gumbo_get_attribute(&node->v.element.attributes, name) != nullptr;
  }

  static bool inside(const GumboNode* node, GumboTag tag) {
    for (const GumboNode* p = node->parent; p; p = p->parent) {
      if (p->type == GUMBO_NODE_ELEMENT && p->v.element.tag == tag) return true;
    }
    return false;
  }

  // The text of a node's text children, joined.
  static std::string text(const GumboNode* node) {
    std::string out;
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
      auto* child = static_cast<const GumboNode*>(children.data[i]);
      if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE) {
        out += child->v.text.text;
      }
    }
    return out;
  }

 private:
  struct Destroy {
    void operator()(GumboOutput* output) const {
      gumbo_destroy_output(&kGumboDefaultOptions, output);
    }
  };

  static void collect(const GumboNode* node, GumboTag tag, std::vector<const GumboNode*>& out) {
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) return;
    const GumboVector& children = node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i) {
      auto* child = static_cast<const GumboNode*>(children.data[i]);
      if (child->type != GUMBO_NODE_ELEMENT) continue;
      if (child->v.element.tag == tag) out.push_back(child);
      collect(child, tag, out);
    }
  }

  std::string m_html;
  std::unique_ptr<GumboOutput, Destroy> m_output;
};

}  // namespace prevod

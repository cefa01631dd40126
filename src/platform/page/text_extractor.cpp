#include "platform/page/text_extractor.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/page/page_element.h"
#include "platform/page/page_node.h"
#include "platform/page/page_tags.h"

namespace prevod {

namespace {

// Assembles the text: blanks collapse, required line breaks merge and are
// dropped at the very start and end.
class TextBuilder {
 public:
  void text(std::string_view text, bool preformatted) {
    for (char c : text) {
      if (!preformatted && page_tags::blank(c)) {
        if (!m_out.empty() && !m_line_start) m_space = true;
        continue;
      }
      flush();
      if (c == '\n') {
        if (m_out.empty() || m_out.back() != '\r') m_out += '\r';
        m_out += '\n';
        m_line_start = true;
        continue;
      }
      m_out += c;
      m_line_start = false;
    }
  }
  // A BR: a line break wherever it stands.
  void line_break() {
    flush();
    m_out += "\r\n";
    m_line_start = true;
  }
  // At least `count` line breaks before the next text.
  void require_breaks(int count) {
    if (count == 0) return;
    m_breaks = std::max(m_breaks, count);
    m_space = false;
  }
  // Between table cells; blanks on either side of it go.
  void tab() {
    m_space = false;
    flush();
    m_out += '\t';
    m_line_start = true;
  }
  std::string take() { return std::move(m_out); }

 private:
  void flush() {
    if (m_breaks > 0 && !m_out.empty()) {
      for (int i = 0; i < m_breaks; ++i) m_out += "\r\n";
      m_line_start = true;
    } else if (m_space) {
      m_out += ' ';
    }
    m_breaks = 0;
    m_space = false;
  }

  std::string m_out;
  int m_breaks = 0;
  bool m_space = false;
  bool m_line_start = true;
};

int breaks_around(const PageElement& element) {
  if (element.tag() == "p") return 2;
  return page_tags::block(element.tag()) ? 1 : 0;
}

bool is_cell(const PageElement& element) {
  return element.tag() == "td" || element.tag() == "th";
}

}  // namespace

std::string TextExtractor::inner_text(const PageNode& node, Plugins plugins) {
  TextBuilder builder;
  struct Step {
    const PageNode* node;
    size_t next;
    int breaks_after;
    bool preformatted;
    bool cell_seen;  // a cell among the children so far
  };
  std::vector<Step> stack{{&node, 0, 0, false, false}};
  for (const PageNode* up = &node; up != nullptr; up = up->parent()) {
    const PageElement* element = up->as_element();
    if (element != nullptr && page_tags::preformatted(element->tag())) stack[0].preformatted = true;
  }
  while (!stack.empty()) {
    Step& step = stack.back();
    if (step.next == step.node->children().size()) {
      builder.require_breaks(step.breaks_after);
      stack.pop_back();
      continue;
    }
    const PageNode& child = *step.node->children()[step.next++];
    bool preformatted = step.preformatted;
    if (child.kind() == PageNode::Kind::Text) {
      builder.text(child.text(), preformatted);
      continue;
    }
    const PageElement* element = child.as_element();
    if (element == nullptr) continue;
    if (page_tags::not_rendered(element->tag()) || element->style().hides()) continue;
    if (element->tag() == "br") {
      builder.line_break();
      continue;
    }
    if (element->plugin() != nullptr) {
      if (plugins == Plugins::Describe) {
        std::string label(1, '[');
        label += element->plugin()->describe();
        label += ']';
        builder.text(label, true);
      }
      continue;
    }
    if (is_cell(*element)) {
      if (step.cell_seen) builder.tab();
      step.cell_seen = true;
    }
    int breaks = breaks_around(*element);
    builder.require_breaks(breaks);
    stack.push_back(
        Step{element, 0, breaks, preformatted || page_tags::preformatted(element->tag()), false});
  }
  return builder.take();
}

}  // namespace prevod

#include "platform/page/page_view_builder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "platform/page/page_element.h"
#include "platform/page/page_node.h"
#include "platform/page/page_tags.h"
#include "platform/page/plugin.h"

namespace prevod {

namespace {

// Sizes beyond these are not a layout a person could see.
constexpr int kLargestPlace = 100000;
constexpr int kLargestPlugin = 4096;

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

int heading_level(std::string_view tag) {
  if (tag.size() == 2 && tag[0] == 'h' && tag[1] >= '1' && tag[1] <= '6') return tag[1] - '0';
  return 0;
}

// A length from an inline style value in pixels ("-50Px", "12px", "7");
// nothing for other units and for what is no number.
std::optional<int> style_pixels(const std::string& value) {
  std::string number = lower(value);
  while (!number.empty() && page_tags::blank(number.back())) number.pop_back();
  if (number.ends_with("px")) number.resize(number.size() - 2);
  double parsed = 0;
  if (number.empty() || !text::parse_number(number, parsed) || !std::isfinite(parsed)) {
    return std::nullopt;
  }
  return static_cast<int>(std::lround(std::clamp<double>(parsed, -kLargestPlace, kLargestPlace)));
}

// A plug-in's width or height from its attribute, in whole pixels; the
// fallback for a missing, relative or malformed one.
int attribute_pixels(const PageElement& element, std::string_view name, int fallback) {
  std::optional<std::string> value = element.attribute(name);
  if (!value || value->empty() || value->size() > 6) return fallback;
  int pixels = 0;
  for (char c : *value) {
    if (c < '0' || c > '9') return fallback;
    pixels = pixels * 10 + (c - '0');
  }
  return std::min(pixels, kLargestPlugin);
}

// The text under a node, blanks collapsed.
std::string collapsed_text(const PageNode& node) {
  std::string out;
  bool space = false;
  node.walk_descendants([&](const PageNode& child) {
    if (child.kind() != PageNode::Kind::Text) return child.is_element();
    for (char c : child.text()) {
      if (page_tags::blank(c)) {
        space = !out.empty();
        continue;
      }
      if (space) out += ' ';
      space = false;
      out += c;
    }
    return true;
  });
  return out;
}

std::string select_text(const PageElement& select) {
  const PageNode* chosen = nullptr;
  select.walk_descendants([&](const PageNode& node) {
    const PageElement* element = node.as_element();
    if (element == nullptr || element->tag() != "option") return true;
    if (chosen == nullptr || element->attribute("selected")) chosen = element;
    return !element->attribute("selected");
  });
  return chosen != nullptr ? collapsed_text(*chosen) : "";
}

std::string input_text(const PageElement& input) {
  std::string type = lower(input.attribute("type").value_or("text"));
  std::string value = input.attribute("value").value_or("");
  if (type == "hidden") return "";
  if (type == "checkbox" || type == "radio") return input.attribute("checked") ? "[x]" : "[ ]";
  if (type == "submit" && value.empty()) value = "Submit";
  if (type == "reset" && value.empty()) value = "Reset";
  if (type == "image") value = input.attribute("alt").value_or("");
  if (type == "password") value = std::string(text::to_utf16(value).size(), '*');
  return "[" + value + "]";
}

// What a form control or an image shows in place of its content; nothing
// for other elements.
std::optional<std::string> stand_in_text(const PageElement& element) {
  const std::string& tag = element.tag();
  if (tag == "input") return input_text(element);
  if (tag == "select") return "[" + select_text(element) + " \u25BE]";
  if (tag == "textarea") return "[" + collapsed_text(element) + "]";
  if (tag == "img") {
    std::string alt = element.attribute("alt").value_or("");
    return alt.empty() ? "" : "[" + alt + "]";
  }
  return std::nullopt;
}

bool positioned(const PageElement& element) {
  std::string position = lower(element.style().get("position"));
  return position == "absolute" || position == "fixed";
}

struct Style {
  bool bold = false;
  bool link = false;
  bool preformatted = false;
  int heading = 0;
};

// Builds the flows one piece at a time: text with its blanks collapsed,
// line breaks, cell separators, the ends of blocks and plug-ins.
class Flows {
 public:
  Flows() {
    PageFlow page;
    page.left = PageViewBuilder::kMargin;
    page.top = PageViewBuilder::kMargin;
    add(page);
  }

  int add(PageFlow flow) {
    m_view.flows.push_back(std::move(flow));
    m_blocks.emplace_back();
    return static_cast<int>(m_view.flows.size()) - 1;
  }
  const PageFlow& flow(int index) const { return m_view.flows[static_cast<size_t>(index)]; }

  void text(int flow, std::string_view text, const Style& style) {
    Block& block = m_blocks[static_cast<size_t>(flow)];
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      bool end = i == text.size();
      char c = end ? '\0' : text[i];
      bool breaks = !end && (style.preformatted ? (c == '\n' || c == '\r') : page_tags::blank(c));
      if (!end && !breaks) continue;
      put_word(block, text.substr(start, i - start), style);
      start = i + 1;
      if (end) break;
      if (!style.preformatted) {
        if (!block.line_start && !block.space) {
          block.space = true;
          block.space_style = style;
        }
      } else if (c == '\n') {
        put(block, "\n", style);
        block.line_start = true;
      }
    }
  }
  void line_break(int flow, const Style& style) {
    Block& block = m_blocks[static_cast<size_t>(flow)];
    block.space = false;
    put(block, "\n", style);
    block.line_start = true;
  }
  void cell_break(int flow, const Style& style) {
    Block& block = m_blocks[static_cast<size_t>(flow)];
    block.space = false;
    if (!block.item.runs.empty()) put(block, "\t", style);
    block.line_start = true;
  }
  void end_block(int flow) {
    Block& block = m_blocks[static_cast<size_t>(flow)];
    trim_end(block.item.runs);
    if (!block.item.runs.empty()) {
      m_view.flows[static_cast<size_t>(flow)].items.push_back(std::move(block.item));
    }
    block = Block{};
  }
  void plugin(int flow, PageItem item) {
    end_block(flow);
    m_view.flows[static_cast<size_t>(flow)].items.push_back(std::move(item));
  }

  PageView take() {
    for (size_t i = 0; i < m_blocks.size(); ++i) end_block(static_cast<int>(i));
    // A placed element with nothing to show leaves no flow behind.
    auto empty = [](const PageFlow& flow) { return flow.items.empty(); };
    m_view.flows.erase(std::remove_if(m_view.flows.begin() + 1, m_view.flows.end(), empty),
                       m_view.flows.end());
    return std::move(m_view);
  }

 private:
  struct Block {
    PageItem item;
    bool space = false;  // a blank waits for the next word
    Style space_style;
    bool line_start = true;
  };

  void put_word(Block& block, std::string_view word, const Style& style) {
    if (word.empty()) return;
    // A blank keeps the style of the text it stood in, so that a link's
    // underline starts and ends with the link's own letters.
    if (block.space) put(block, " ", block.space_style);
    block.space = false;
    put(block, word, style);
    block.line_start = false;
  }
  static void put(Block& block, std::string_view piece, const Style& style) {
    auto& runs = block.item.runs;
    if (runs.empty()) block.item.heading = style.heading;
    if (runs.empty() || runs.back().bold != style.bold || runs.back().link != style.link) {
      runs.push_back(TextRun{std::string(piece), style.bold, style.link});
      return;
    }
    runs.back().text.append(piece);
  }
  // Blanks and line breaks at the end of a block show nothing.
  static void trim_end(std::vector<TextRun>& runs) {
    while (!runs.empty()) {
      std::string& last = runs.back().text;
      while (!last.empty() && page_tags::blank(last.back())) last.pop_back();
      if (!last.empty()) return;
      runs.pop_back();
    }
  }

  PageView m_view;
  std::vector<Block> m_blocks;
};

PageItem plugin_item(const PageElement& object) {
  PageItem item;
  item.kind = PageItem::Kind::Plugin;
  item.box.width = attribute_pixels(object, "width", PageViewBuilder::kDefaultPluginWidth);
  item.box.height = attribute_pixels(object, "height", PageViewBuilder::kDefaultPluginHeight);
  item.plugin = PageViewBuilder::token(*object.plugin());
  item.face = object.plugin()->face();
  return item;
}

}  // namespace

uint64_t PageViewBuilder::token(const Plugin& plugin) {
  return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&plugin));
}

PageView PageViewBuilder::build(const PageNode& document) {
  Flows flows;
  struct Frame {
    const PageNode* node;
    size_t next;
    int flow;
    Style style;
    bool block;
    bool cell_seen;   // a cell among the children so far
    int origin_left;  // where placed elements inside are measured from
    int origin_top;
  };
  std::vector<Frame> stack{{&document, 0, 0, Style{}, false, false, 0, 0}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.node->children().size()) {
      if (frame.block) flows.end_block(frame.flow);
      stack.pop_back();
      continue;
    }
    const PageNode& child = *frame.node->children()[frame.next++];
    if (child.kind() == PageNode::Kind::Text) {
      flows.text(frame.flow, child.text(), frame.style);
      continue;
    }
    const PageElement* element = child.as_element();
    if (element == nullptr) continue;
    const std::string& tag = element->tag();
    if (page_tags::not_rendered(tag) || element->style().hides()) continue;
    if (tag == "br") {
      flows.line_break(frame.flow, frame.style);
      continue;
    }
    if (element->plugin() != nullptr) {
      flows.plugin(frame.flow, plugin_item(*element));
      continue;
    }
    if (std::optional<std::string> stand_in = stand_in_text(*element)) {
      flows.text(frame.flow, *stand_in, frame.style);
      continue;
    }
    Frame inner{element, 0,     frame.flow,        frame.style,
                false,   false, frame.origin_left, frame.origin_top};
    if (positioned(*element)) {
      PageFlow placed;
      placed.left = frame.origin_left + style_pixels(element->style().get("left")).value_or(0);
      placed.top = frame.origin_top + style_pixels(element->style().get("top")).value_or(0);
      placed.width = std::max(0, style_pixels(element->style().get("width")).value_or(0));
      inner.origin_left = placed.left;
      inner.origin_top = placed.top;
      inner.flow = flows.add(std::move(placed));
    }
    if (tag == "td" || tag == "th") {
      if (frame.cell_seen) flows.cell_break(frame.flow, frame.style);
      frame.cell_seen = true;
    }
    inner.block = page_tags::block(tag) || tag == "p" || tag == "caption";
    if (inner.block) flows.end_block(inner.flow);
    int heading = heading_level(tag);
    if (heading != 0) inner.style.heading = heading;
    inner.style.bold =
        inner.style.bold || heading != 0 || tag == "b" || tag == "strong" || tag == "th";
    inner.style.link = inner.style.link || (tag == "a" && element->attribute("href"));
    inner.style.preformatted = inner.style.preformatted || page_tags::preformatted(tag);
    stack.push_back(inner);
  }
  return flows.take();
}

}  // namespace prevod

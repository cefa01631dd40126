#include "platform/page/html_serializer.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/page/page_element.h"
#include "platform/page/page_node.h"

namespace prevod {

namespace {

constexpr std::array<std::string_view, 19> kVoid{
    "area",  "base",   "basefont", "bgsound", "br",    "col",    "embed", "frame", "hr",   "img",
    "input", "keygen", "link",     "meta",    "param", "source", "track", "wbr",   "image"};

constexpr std::array<std::string_view, 8> kRawText{"style",   "script",   "xmp",       "iframe",
                                                   "noembed", "noframes", "plaintext", "noscript"};

template <size_t N>
bool one_of(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

constexpr std::string_view kNbsp = "\xC2\xA0";

void escape(std::string_view text, bool attribute, std::string& out) {
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '&') {
      out += "&amp;";
    } else if (text.substr(i, 2) == kNbsp) {
      out += "&nbsp;";
      ++i;
    } else if (attribute && c == '"') {
      out += "&quot;";
    } else if (!attribute && c == '<') {
      out += "&lt;";
    } else if (!attribute && c == '>') {
      out += "&gt;";
    } else {
      out += c;
    }
  }
}

void start_tag(const PageElement& element, std::string& out) {
  out += '<';
  out += element.tag();
  for (const auto& [name, value] : element.attributes()) {
    out += ' ';
    out += name;
    out += "=\"";
    escape(value, true, out);
    out += '"';
  }
  out += '>';
}

}  // namespace

std::string HtmlSerializer::inner_html(const PageNode& node) {
  std::string out;
  std::vector<std::pair<const PageNode*, size_t>> stack{{&node, 0}};
  while (!stack.empty()) {
    auto& [parent, next] = stack.back();
    if (next == parent->children().size()) {
      if (parent != &node) {
        out += "</";
        out += parent->as_element()->tag();
        out += '>';
      }
      stack.pop_back();
      continue;
    }
    const PageNode& child = *parent->children()[next++];
    switch (child.kind()) {
      case PageNode::Kind::Text: {
        const PageElement* owner = parent->as_element();
        if (owner != nullptr && one_of(owner->tag(), kRawText)) {
          out += child.text();
        } else {
          escape(child.text(), false, out);
        }
        break;
      }
      case PageNode::Kind::Comment:
        out += "<!--" + child.text() + "-->";
        break;
      case PageNode::Kind::Doctype:
        out += "<!DOCTYPE " + child.text() + ">";
        break;
      case PageNode::Kind::Element: {
        const PageElement& element = *child.as_element();
        start_tag(element, out);
        if (!one_of(element.tag(), kVoid)) stack.emplace_back(&child, 0);  // stale refs above
        break;
      }
      case PageNode::Kind::Document:
        break;
    }
  }
  return out;
}

}  // namespace prevod

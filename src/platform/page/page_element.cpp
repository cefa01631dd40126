#include "platform/page/page_element.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "platform/page/html_parser.h"
#include "platform/page/html_serializer.h"
#include "platform/page/page_document.h"
#include "platform/page/text_extractor.h"

namespace prevod {

namespace {

// Elements whose content is raw text: markup written into them stays text.
constexpr std::array<std::string_view, 8> kRawTextElements{
    "script", "style", "xmp", "iframe", "noembed", "noframes", "plaintext", "noscript"};

}  // namespace

PageElement::PageElement(std::string tag, std::weak_ptr<PageDocument> document)
    : PageNode(Kind::Element),
      m_tag(std::move(tag)),
      m_style([this] { write_style_attribute(); }),
      m_document(std::move(document)) {}

PageElement::~PageElement() = default;

std::string PageElement::tagName() const {
  std::string name = m_tag;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

std::string PageElement::Id() const {
  return attribute("id").value_or("");
}

void PageElement::set_innerhtml(const std::string& html) {
  if (children().empty() && html.empty()) return;  // nothing changes
  Children content;
  bool raw_text =
      std::find(kRawTextElements.begin(), kRawTextElements.end(), m_tag) != kRawTextElements.end();
  if (!raw_text) {
    content = HtmlParser::parse_fragment(html, m_tag, m_document);
  } else if (!html.empty()) {
    content.push_back(std::make_shared<PageNode>(Kind::Text, html));
  }
  Children removed = take_children();
  for (auto& node : content) append_child(std::move(node));
  if (auto document = this->document()) document->content_replaced(*this, removed);
}

std::string PageElement::innerhtml() const {
  return HtmlSerializer::inner_html(*this);
}

std::string PageElement::InnerText() const {
  return TextExtractor::inner_text(*this);
}

void PageElement::focus() {
  auto document = this->document();
  if (!document || !is_connected()) return;
  document->focus_element(*this, PageDocument::FocusCause::Call);
}

void PageElement::Click() {
  auto document = this->document();
  if (!document || !is_connected()) return;
  document->click(*this);
}

std::optional<std::string> PageElement::attribute(std::string_view name) const {
  for (const auto& [key, value] : m_attributes) {
    if (key == name) return value;
  }
  return std::nullopt;
}

void PageElement::set_attribute(std::string name, std::string value) {
  if (name == "style") m_style.parse(value);
  for (auto& [key, existing] : m_attributes) {
    if (key == name) {
      existing = std::move(value);
      return;
    }
  }
  m_attributes.emplace_back(std::move(name), std::move(value));
}

bool PageElement::is_connected() const {
  auto document = this->document();
  return document && &root() == &document->node();
}

std::shared_ptr<PageElement> PageElement::shared() {
  return std::static_pointer_cast<PageElement>(shared_from_this());
}

void PageElement::write_style_attribute() {
  std::string text = m_style.text();
  auto written = std::find_if(m_attributes.begin(), m_attributes.end(),
                              [](const auto& attribute) { return attribute.first == "style"; });
  if (written != m_attributes.end()) {
    written->second = std::move(text);
  } else {
    m_attributes.emplace_back("style", std::move(text));
  }
  // A style moves, hides or shows what a person sees.
  if (is_connected()) document()->view_changed();
}

}  // namespace prevod

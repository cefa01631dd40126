#include "platform/page/html_parser.h"

#include <gumbo.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/page/html_prepass.h"
#include "platform/page/page_element.h"

namespace prevod {

namespace {

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

std::string tag_name(const GumboElement& element) {
  if (element.tag != GUMBO_TAG_UNKNOWN) return gumbo_normalized_tagname(element.tag);
  GumboStringPiece original = element.original_tag;
  gumbo_tag_from_original_text(&original);
  return lower(std::string_view(original.data, original.length));
}

std::shared_ptr<PageElement> make_element(const GumboElement& source,
                                          const std::weak_ptr<PageDocument>& owner) {
  std::string name = tag_name(source);
  // The prepass's marker attributes come first and are not the page's own.
  size_t first_attribute = 0;
  if (source.attributes.length > 0) {
    const std::string_view first =
        static_cast<const GumboAttribute*>(source.attributes.data[0])->name;
    if (first == HtmlPrepass::kNoscriptMarker && name == "title") {
      name = "noscript";
      first_attribute = 1;
    } else if (first == HtmlPrepass::kFormattingMarker) {
      first_attribute = 1;
    }
  }
  auto element = std::make_shared<PageElement>(std::move(name), owner);
  for (size_t i = first_attribute; i < source.attributes.length; ++i) {
    const auto* attribute = static_cast<const GumboAttribute*>(source.attributes.data[i]);
    element->set_attribute(attribute->name, attribute->value);
  }
  return element;
}

// Converts the children of `source` into children of `target`, walking the
// gumbo tree with an explicit stack. An element that would lie deeper than
// HtmlPrepass::kMaxDepth below `target` is left out and its content goes to
// its parent: the prepass keeps the markup within that many open elements,
// but the parser can still move misnested formatting a few levels past them
// after it was placed.
void convert_children(const GumboNode& source, PageNode& target,
                      const std::weak_ptr<PageDocument>& owner) {
  struct Step {
    const GumboVector* children;
    size_t next;
    PageNode* target;
  };
  auto children_of = [](const GumboNode& node) -> const GumboVector* {
    if (node.type == GUMBO_NODE_DOCUMENT) return &node.v.document.children;
    if (node.type == GUMBO_NODE_ELEMENT || node.type == GUMBO_NODE_TEMPLATE) {
      return &node.v.element.children;
    }
    return nullptr;
  };
  std::vector<Step> stack{{children_of(source), 0, &target}};
  while (!stack.empty()) {
    Step& step = stack.back();
    if (step.children == nullptr || step.next == step.children->length) {
      stack.pop_back();
      continue;
    }
    const auto* node = static_cast<const GumboNode*>(step.children->data[step.next++]);
    PageNode* parent = step.target;
    switch (node->type) {
      case GUMBO_NODE_ELEMENT:
      case GUMBO_NODE_TEMPLATE: {
        // The element would lie as deep as the stack is high.
        if (stack.size() > HtmlPrepass::kMaxDepth) {
          stack.push_back(Step{&node->v.element.children, 0, parent});  // `step` is stale
          break;
        }
        auto element = make_element(node->v.element, owner);
        PageNode* raw = element.get();
        parent->append_child(std::move(element));
        stack.push_back(Step{&node->v.element.children, 0, raw});  // `step` is stale from here
        break;
      }
      case GUMBO_NODE_TEXT:
      case GUMBO_NODE_WHITESPACE:
      case GUMBO_NODE_CDATA:
        parent->append_child(std::make_shared<PageNode>(PageNode::Kind::Text, node->v.text.text));
        break;
      case GUMBO_NODE_COMMENT:
        parent->append_child(
            std::make_shared<PageNode>(PageNode::Kind::Comment, node->v.text.text));
        break;
      case GUMBO_NODE_DOCUMENT:
        break;
    }
  }
}

// The parser leaves a fragment's quirks mode unset and then reads it (a
// TABLE in a fragment may or may not close a P, by chance): memory handed
// to it comes zeroed, which reads as no quirks, as HtmlPrepass assumes.
void* zeroed_allocate(void*, size_t size) {
  return std::calloc(1, size);
}

void release(void*, void* memory) {
  std::free(memory);
}

// Owns one gumbo parse.
class GumboParse {
 public:
  GumboParse(std::string_view html, GumboTag context)
      : m_markup(HtmlPrepass::prepare(html, context)) {
    m_options = kGumboDefaultOptions;
    m_options.allocator = &zeroed_allocate;
    m_options.deallocator = &release;
    // Recording parse errors copies the stack of open elements each time,
    // which is quadratic on deep markup; nothing here reads them.
    m_options.max_errors = 0;
    m_options.fragment_context = context;
    m_output = gumbo_parse_with_options(&m_options, m_markup.data(), m_markup.size());
  }
  ~GumboParse() { gumbo_destroy_output(&m_options, m_output); }
  GumboParse(const GumboParse&) = delete;
  GumboParse& operator=(const GumboParse&) = delete;

  const GumboOutput& output() const { return *m_output; }

 private:
  std::string m_markup;  // gumbo's tree points into it
  GumboOptions m_options;
  GumboOutput* m_output = nullptr;
};

}  // namespace

void HtmlParser::parse_document(std::string_view html, PageNode& document_node,
                                const std::weak_ptr<PageDocument>& owner) {
  GumboParse parse(html, GUMBO_TAG_LAST);
  const GumboDocument& document = parse.output().document->v.document;
  if (document.has_doctype) {
    document_node.append_child(
        std::make_shared<PageNode>(PageNode::Kind::Doctype, std::string(document.name)));
  }
  convert_children(*parse.output().document, document_node, owner);
}

PageNode::Children HtmlParser::parse_fragment(std::string_view html, std::string_view context,
                                              const std::weak_ptr<PageDocument>& owner) {
  GumboTag tag = gumbo_tagn_enum(context.data(), static_cast<unsigned>(context.size()));
  if (tag == GUMBO_TAG_UNKNOWN || tag == GUMBO_TAG_LAST) tag = GUMBO_TAG_DIV;
  GumboParse parse(html, tag);
  // The fragment's nodes are the children of the html element the parser
  // makes as their stand-in parent.
  PageNode holder(PageNode::Kind::Document);
  convert_children(*parse.output().root, holder, owner);
  return holder.take_children();
}

}  // namespace prevod

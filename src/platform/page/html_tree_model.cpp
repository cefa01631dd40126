#include "platform/page/html_tree_model.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <initializer_list>

namespace prevod {

namespace {

// What the parser knows about each HTML tag, as flags.
enum : uint16_t {
  kSpecial = 1 << 0,
  kFormatting = 1 << 1,
  kScopeBoundary = 1 << 2,
  kImpliedEnd = 1 << 3,
  kClosesParagraph = 1 << 4,  // start tags that close a p and open themselves
  kBlockEnd = 1 << 5,         // end tags that close the nearest one in scope
  kBreakout = 1 << 6,         // start tags that leave foreign content
  kHeading = 1 << 7,
  kHeadRules = 1 << 8,  // start tags the body hands to the head's rules
  kVoidInBody = 1 << 9,
  kTableRules = 1 << 10,  // caption col colgroup tbody td tfoot th thead tr
};

class TagTable {
 public:
  TagTable() {
    mark(kSpecial,
         {GUMBO_TAG_ADDRESS,    GUMBO_TAG_APPLET,     GUMBO_TAG_AREA,     GUMBO_TAG_ARTICLE,
          GUMBO_TAG_ASIDE,      GUMBO_TAG_BASE,       GUMBO_TAG_BASEFONT, GUMBO_TAG_BGSOUND,
          GUMBO_TAG_BLOCKQUOTE, GUMBO_TAG_BODY,       GUMBO_TAG_BR,       GUMBO_TAG_BUTTON,
          GUMBO_TAG_CAPTION,    GUMBO_TAG_CENTER,     GUMBO_TAG_COL,      GUMBO_TAG_COLGROUP,
          GUMBO_TAG_MENUITEM,   GUMBO_TAG_DD,         GUMBO_TAG_DETAILS,  GUMBO_TAG_DIR,
          GUMBO_TAG_DIV,        GUMBO_TAG_DL,         GUMBO_TAG_DT,       GUMBO_TAG_EMBED,
          GUMBO_TAG_FIELDSET,   GUMBO_TAG_FIGCAPTION, GUMBO_TAG_FIGURE,   GUMBO_TAG_FOOTER,
          GUMBO_TAG_FORM,       GUMBO_TAG_FRAME,      GUMBO_TAG_FRAMESET, GUMBO_TAG_H1,
          GUMBO_TAG_H2,         GUMBO_TAG_H3,         GUMBO_TAG_H4,       GUMBO_TAG_H5,
          GUMBO_TAG_H6,         GUMBO_TAG_HEAD,       GUMBO_TAG_HEADER,   GUMBO_TAG_HGROUP,
          GUMBO_TAG_HR,         GUMBO_TAG_HTML,       GUMBO_TAG_IFRAME,   GUMBO_TAG_IMG,
          GUMBO_TAG_INPUT,      GUMBO_TAG_ISINDEX,    GUMBO_TAG_LI,       GUMBO_TAG_LINK,
          GUMBO_TAG_LISTING,    GUMBO_TAG_MARQUEE,    GUMBO_TAG_MENU,     GUMBO_TAG_META,
          GUMBO_TAG_NAV,        GUMBO_TAG_NOEMBED,    GUMBO_TAG_NOFRAMES, GUMBO_TAG_NOSCRIPT,
          GUMBO_TAG_OBJECT,     GUMBO_TAG_OL,         GUMBO_TAG_P,        GUMBO_TAG_PARAM,
          GUMBO_TAG_PLAINTEXT,  GUMBO_TAG_PRE,        GUMBO_TAG_SCRIPT,   GUMBO_TAG_SECTION,
          GUMBO_TAG_SELECT,     GUMBO_TAG_STYLE,      GUMBO_TAG_SUMMARY,  GUMBO_TAG_TABLE,
          GUMBO_TAG_TBODY,      GUMBO_TAG_TD,         GUMBO_TAG_TEMPLATE, GUMBO_TAG_TEXTAREA,
          GUMBO_TAG_TFOOT,      GUMBO_TAG_TH,         GUMBO_TAG_THEAD,    GUMBO_TAG_TITLE,
          GUMBO_TAG_TR,         GUMBO_TAG_UL,         GUMBO_TAG_WBR,      GUMBO_TAG_XMP});
    mark(kFormatting, {GUMBO_TAG_A, GUMBO_TAG_B, GUMBO_TAG_BIG, GUMBO_TAG_CODE, GUMBO_TAG_EM,
                       GUMBO_TAG_FONT, GUMBO_TAG_I, GUMBO_TAG_NOBR, GUMBO_TAG_S, GUMBO_TAG_SMALL,
                       GUMBO_TAG_STRIKE, GUMBO_TAG_STRONG, GUMBO_TAG_TT, GUMBO_TAG_U});
    mark(kScopeBoundary,
         {GUMBO_TAG_APPLET, GUMBO_TAG_CAPTION, GUMBO_TAG_HTML, GUMBO_TAG_TABLE, GUMBO_TAG_TD,
          GUMBO_TAG_TH, GUMBO_TAG_MARQUEE, GUMBO_TAG_OBJECT, GUMBO_TAG_TEMPLATE});
    mark(kImpliedEnd,
         {GUMBO_TAG_DD, GUMBO_TAG_DT, GUMBO_TAG_LI, GUMBO_TAG_OPTION, GUMBO_TAG_OPTGROUP,
          GUMBO_TAG_P, GUMBO_TAG_RB, GUMBO_TAG_RP, GUMBO_TAG_RT, GUMBO_TAG_RTC});
    mark(kClosesParagraph,
         {GUMBO_TAG_ADDRESS, GUMBO_TAG_ARTICLE,  GUMBO_TAG_ASIDE,      GUMBO_TAG_BLOCKQUOTE,
          GUMBO_TAG_CENTER,  GUMBO_TAG_DETAILS,  GUMBO_TAG_DIR,        GUMBO_TAG_DIV,
          GUMBO_TAG_DL,      GUMBO_TAG_FIELDSET, GUMBO_TAG_FIGCAPTION, GUMBO_TAG_FIGURE,
          GUMBO_TAG_FOOTER,  GUMBO_TAG_HEADER,   GUMBO_TAG_HGROUP,     GUMBO_TAG_MAIN,
          GUMBO_TAG_MENU,    GUMBO_TAG_NAV,      GUMBO_TAG_OL,         GUMBO_TAG_P,
          GUMBO_TAG_SECTION, GUMBO_TAG_SUMMARY,  GUMBO_TAG_UL});
    mark(kBlockEnd, {GUMBO_TAG_ADDRESS, GUMBO_TAG_ARTICLE, GUMBO_TAG_ASIDE,    GUMBO_TAG_BLOCKQUOTE,
                     GUMBO_TAG_BUTTON,  GUMBO_TAG_CENTER,  GUMBO_TAG_DETAILS,  GUMBO_TAG_DIR,
                     GUMBO_TAG_DIV,     GUMBO_TAG_DL,      GUMBO_TAG_FIELDSET, GUMBO_TAG_FIGCAPTION,
                     GUMBO_TAG_FIGURE,  GUMBO_TAG_FOOTER,  GUMBO_TAG_HEADER,   GUMBO_TAG_HGROUP,
                     GUMBO_TAG_LISTING, GUMBO_TAG_MAIN,    GUMBO_TAG_MENU,     GUMBO_TAG_NAV,
                     GUMBO_TAG_OL,      GUMBO_TAG_PRE,     GUMBO_TAG_SECTION,  GUMBO_TAG_SUMMARY,
                     GUMBO_TAG_UL});
    mark(kBreakout, {GUMBO_TAG_B,       GUMBO_TAG_BIG,    GUMBO_TAG_BLOCKQUOTE, GUMBO_TAG_BODY,
                     GUMBO_TAG_BR,      GUMBO_TAG_CENTER, GUMBO_TAG_CODE,       GUMBO_TAG_DD,
                     GUMBO_TAG_DIV,     GUMBO_TAG_DL,     GUMBO_TAG_DT,         GUMBO_TAG_EM,
                     GUMBO_TAG_EMBED,   GUMBO_TAG_H1,     GUMBO_TAG_H2,         GUMBO_TAG_H3,
                     GUMBO_TAG_H4,      GUMBO_TAG_H5,     GUMBO_TAG_H6,         GUMBO_TAG_HEAD,
                     GUMBO_TAG_HR,      GUMBO_TAG_I,      GUMBO_TAG_IMG,        GUMBO_TAG_LI,
                     GUMBO_TAG_LISTING, GUMBO_TAG_MENU,   GUMBO_TAG_META,       GUMBO_TAG_NOBR,
                     GUMBO_TAG_OL,      GUMBO_TAG_P,      GUMBO_TAG_PRE,        GUMBO_TAG_RUBY,
                     GUMBO_TAG_S,       GUMBO_TAG_SMALL,  GUMBO_TAG_SPAN,       GUMBO_TAG_STRONG,
                     GUMBO_TAG_STRIKE,  GUMBO_TAG_SUB,    GUMBO_TAG_SUP,        GUMBO_TAG_TABLE,
                     GUMBO_TAG_TT,      GUMBO_TAG_U,      GUMBO_TAG_UL,         GUMBO_TAG_VAR});
    mark(kHeading,
         {GUMBO_TAG_H1, GUMBO_TAG_H2, GUMBO_TAG_H3, GUMBO_TAG_H4, GUMBO_TAG_H5, GUMBO_TAG_H6});
    mark(kHeadRules, {GUMBO_TAG_BASE, GUMBO_TAG_BASEFONT, GUMBO_TAG_BGSOUND, GUMBO_TAG_MENUITEM,
                      GUMBO_TAG_LINK, GUMBO_TAG_META, GUMBO_TAG_NOFRAMES, GUMBO_TAG_SCRIPT,
                      GUMBO_TAG_STYLE, GUMBO_TAG_TEMPLATE, GUMBO_TAG_TITLE});
    mark(kVoidInBody, {GUMBO_TAG_AREA, GUMBO_TAG_BR, GUMBO_TAG_EMBED, GUMBO_TAG_IMG,
                       GUMBO_TAG_IMAGE, GUMBO_TAG_KEYGEN, GUMBO_TAG_WBR});
    mark(kTableRules, {GUMBO_TAG_CAPTION, GUMBO_TAG_COL, GUMBO_TAG_COLGROUP, GUMBO_TAG_TBODY,
                       GUMBO_TAG_TD, GUMBO_TAG_TFOOT, GUMBO_TAG_TH, GUMBO_TAG_THEAD, GUMBO_TAG_TR});
  }

  bool has(GumboTag tag, uint16_t flag) const { return (m_flags[tag] & flag) != 0; }

 private:
  void mark(uint16_t flag, std::initializer_list<GumboTag> tags) {
    for (GumboTag tag : tags) m_flags[tag] |= flag;
  }

  std::array<uint16_t, GUMBO_TAG_LAST + 1> m_flags{};
};

const TagTable& tags() {
  static const TagTable table;
  return table;
}

bool is(GumboTag tag, uint16_t flag) {
  return tags().has(tag, flag);
}

bool one_of(GumboTag tag, std::initializer_list<GumboTag> choices) {
  for (GumboTag choice : choices) {
    if (tag == choice) return true;
  }
  return false;
}

bool same_name(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    char y = b[i] >= 'A' && b[i] <= 'Z' ? static_cast<char>(b[i] - 'A' + 'a') : b[i];
    if (x != y) return false;
  }
  return true;
}

std::string_view name_of(GumboTag tag) {
  return gumbo_normalized_tagname(tag);
}

}  // namespace

HtmlTreeModel::HtmlTreeModel(GumboTag context)
    : m_context(context), m_open_html(GUMBO_TAG_LAST + 1, 0) {
  m_elements.reserve(256);
  m_stack.reserve(300);
  if (context == GUMBO_TAG_LAST) return;
  // A fragment: the html element alone on the stack, the mode and the
  // tokenizer as the context element sets them.
  stack_push(create(GUMBO_TAG_HTML, GUMBO_NAMESPACE_HTML, name_of(GUMBO_TAG_HTML)));
  m_peak = 0;
  switch (context) {
    case GUMBO_TAG_TITLE:
    case GUMBO_TAG_TEXTAREA:
      m_flags.text_state = TextState::Rcdata;
      break;
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_XMP:
    case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_NOEMBED:
    case GUMBO_TAG_NOFRAMES:
      m_flags.text_state = TextState::Rawtext;
      break;
    case GUMBO_TAG_SCRIPT:
      m_flags.text_state = TextState::ScriptData;
      break;
    case GUMBO_TAG_PLAINTEXT:
      m_flags.text_state = TextState::Plaintext;
      break;
    default:
      break;
  }
  if (context == GUMBO_TAG_TEMPLATE) template_push(Mode::InTemplate);
  reset_insertion_mode();
}

// ---------------------------------------------------------------------------
// Trying and undoing

void HtmlTreeModel::begin_try() {
  m_trying = true;
  m_peak = m_stack.size();
  m_saved_flags = m_flags;
  m_saved_elements = m_elements.size();
  m_changes.clear();
}

void HtmlTreeModel::commit() {
  m_trying = false;
  m_changes.clear();
}

void HtmlTreeModel::undo() {
  m_trying = false;
  for (size_t i = m_changes.size(); i-- > 0;) {
    const Change& change = m_changes[i];
    switch (change.op) {
      case Op::StackPush:
        count_open(m_stack.back(), -1);
        m_stack.pop_back();
        break;
      case Op::StackPop:
        count_open(change.value, 1);
        m_stack.push_back(change.value);
        break;
      case Op::StackInsert:
        count_open(m_stack[change.index], -1);
        m_stack.erase(m_stack.begin() + change.index);
        break;
      case Op::StackErase:
        count_open(change.value, 1);
        m_stack.insert(m_stack.begin() + change.index, change.value);
        break;
      case Op::StackSet:
        count_open(m_stack[change.index], -1);
        count_open(change.value, 1);
        m_stack[change.index] = change.value;
        break;
      case Op::ListPush:
        m_formatting.pop_back();
        break;
      case Op::ListPop:
        m_formatting.push_back(change.value);
        break;
      case Op::ListInsert:
        m_formatting.erase(m_formatting.begin() + change.index);
        break;
      case Op::ListErase:
        m_formatting.insert(m_formatting.begin() + change.index, change.value);
        break;
      case Op::ListSet:
        m_formatting[change.index] = change.value;
        break;
      case Op::TemplatePush:
        m_template_modes.pop_back();
        break;
      case Op::TemplatePop:
        m_template_modes.push_back(static_cast<Mode>(change.value));
        break;
      case Op::Depth:
        if (change.index < m_elements.size()) m_elements[change.index].depth = change.value;
        break;
    }
  }
  m_changes.clear();
  m_flags = m_saved_flags;
  m_elements.resize(m_saved_elements);
}

void HtmlTreeModel::log(Op op, uint32_t index, uint32_t value) {
  if (m_trying) m_changes.push_back(Change{op, index, value});
}

bool HtmlTreeModel::risky(uint32_t element) const {
  const Element& node = at(element);
  if (node.ns == GUMBO_NAMESPACE_HTML) return false;
  return one_of(node.tag, {GUMBO_TAG_SELECT, GUMBO_TAG_TD, GUMBO_TAG_TH, GUMBO_TAG_TR,
                           GUMBO_TAG_TBODY, GUMBO_TAG_THEAD, GUMBO_TAG_TFOOT, GUMBO_TAG_CAPTION,
                           GUMBO_TAG_COLGROUP, GUMBO_TAG_TABLE, GUMBO_TAG_TEMPLATE, GUMBO_TAG_HEAD,
                           GUMBO_TAG_BODY, GUMBO_TAG_FRAMESET, GUMBO_TAG_HTML});
}

void HtmlTreeModel::count_open(uint32_t element, int change) {
  Element& node = m_elements[element];
  node.on_stack += change;
  if (node.ns == GUMBO_NAMESPACE_HTML) m_open_html[node.tag] += change;
  if (risky(element)) m_risky_open += change;
}

void HtmlTreeModel::stack_push(uint32_t element) {
  log(Op::StackPush, 0, element);
  count_open(element, 1);
  m_stack.push_back(element);
  m_peak = std::max<size_t>({m_peak, m_stack.size(), m_elements[element].depth});
}

uint32_t HtmlTreeModel::stack_pop() {
  const uint32_t element = m_stack.back();
  log(Op::StackPop, 0, element);
  count_open(element, -1);
  m_stack.pop_back();
  return element;
}

void HtmlTreeModel::stack_insert(uint32_t index, uint32_t element) {
  log(Op::StackInsert, index, element);
  count_open(element, 1);
  m_stack.insert(m_stack.begin() + index, element);
  m_peak = std::max<size_t>({m_peak, m_stack.size(), m_elements[element].depth});
}

void HtmlTreeModel::stack_erase(uint32_t index) {
  log(Op::StackErase, index, m_stack[index]);
  count_open(m_stack[index], -1);
  m_stack.erase(m_stack.begin() + index);
}

void HtmlTreeModel::stack_set(uint32_t index, uint32_t element) {
  log(Op::StackSet, index, m_stack[index]);
  count_open(m_stack[index], -1);
  count_open(element, 1);
  m_stack[index] = element;
}

void HtmlTreeModel::list_push(uint32_t entry) {
  log(Op::ListPush, 0, entry);
  m_formatting.push_back(entry);
}

uint32_t HtmlTreeModel::list_pop() {
  const uint32_t entry = m_formatting.back();
  log(Op::ListPop, 0, entry);
  m_formatting.pop_back();
  return entry;
}

void HtmlTreeModel::list_insert(uint32_t index, uint32_t entry) {
  log(Op::ListInsert, index, entry);
  m_formatting.insert(m_formatting.begin() + index, entry);
}

void HtmlTreeModel::list_erase(uint32_t index) {
  log(Op::ListErase, index, m_formatting[index]);
  m_formatting.erase(m_formatting.begin() + index);
}

void HtmlTreeModel::list_set(uint32_t index, uint32_t entry) {
  log(Op::ListSet, index, m_formatting[index]);
  m_formatting[index] = entry;
}

void HtmlTreeModel::template_push(Mode mode) {
  log(Op::TemplatePush, 0, static_cast<uint32_t>(mode));
  m_template_modes.push_back(mode);
}

void HtmlTreeModel::set_depth(uint32_t element, uint32_t depth) {
  log(Op::Depth, element, m_elements[element].depth);
  m_elements[element].depth = depth;
}

void HtmlTreeModel::template_pop() {
  log(Op::TemplatePop, 0, static_cast<uint32_t>(m_template_modes.back()));
  m_template_modes.pop_back();
}

// ---------------------------------------------------------------------------
// Questions

size_t HtmlTreeModel::pending_formatting() const {
  size_t count = 0;
  for (size_t i = m_formatting.size(); i-- > 0;) {
    const uint32_t entry = m_formatting[i];
    if (entry == kMarker || at(entry).on_stack > 0) break;
    ++count;
  }
  return count;
}

std::string_view HtmlTreeModel::current_name() const {
  return m_stack.empty() ? std::string_view() : current().name;
}

std::string_view HtmlTreeModel::last_pending_name() const {
  return pending_formatting() == 0 ? std::string_view() : at(m_formatting.back()).name;
}

bool HtmlTreeModel::current_is_foreign() const {
  return !m_stack.empty() && current().ns != GUMBO_NAMESPACE_HTML;
}

bool HtmlTreeModel::current_is(GumboTag tag) const {
  if (m_stack.empty()) return false;
  const Element& node = current();
  return node.ns == GUMBO_NAMESPACE_HTML && node.tag == tag;
}

uint32_t HtmlTreeModel::stack_index_of(uint32_t element) const {
  for (size_t i = m_stack.size(); i-- > 0;) {
    if (m_stack[i] == element) return static_cast<uint32_t>(i);
  }
  return kNone;
}

uint32_t HtmlTreeModel::list_index_of(uint32_t element) const {
  for (size_t i = m_formatting.size(); i-- > 0;) {
    if (m_formatting[i] == element) return static_cast<uint32_t>(i);
  }
  return kNone;
}

namespace {

bool mathml_text_point(GumboTag tag, GumboNamespaceEnum ns) {
  return ns == GUMBO_NAMESPACE_MATHML &&
         one_of(tag, {GUMBO_TAG_MI, GUMBO_TAG_MO, GUMBO_TAG_MN, GUMBO_TAG_MS, GUMBO_TAG_MTEXT});
}

bool foreign_boundary(GumboTag tag, GumboNamespaceEnum ns) {
  if (mathml_text_point(tag, ns)) return true;
  if (ns == GUMBO_NAMESPACE_MATHML) return tag == GUMBO_TAG_ANNOTATION_XML;
  return ns == GUMBO_NAMESPACE_SVG &&
         one_of(tag, {GUMBO_TAG_FOREIGNOBJECT, GUMBO_TAG_DESC, GUMBO_TAG_TITLE});
}

}  // namespace

bool HtmlTreeModel::in_scope(GumboTag tag, Scope scope) const {
  if (m_open_html[tag] == 0) return false;
  for (size_t i = m_stack.size(); i-- > 0;) {
    const Element& node = at(m_stack[i]);
    const bool html = node.ns == GUMBO_NAMESPACE_HTML;
    if (html && node.tag == tag) return true;
    switch (scope) {
      case Scope::Select:
        if (!(html && (node.tag == GUMBO_TAG_OPTGROUP || node.tag == GUMBO_TAG_OPTION))) {
          return false;
        }
        continue;
      case Scope::Table:
        if (html && one_of(node.tag, {GUMBO_TAG_HTML, GUMBO_TAG_TABLE, GUMBO_TAG_TEMPLATE})) {
          return false;
        }
        continue;
      case Scope::ListItem:
        if (html && (node.tag == GUMBO_TAG_OL || node.tag == GUMBO_TAG_UL)) return false;
        break;
      case Scope::Button:
        if (html && node.tag == GUMBO_TAG_BUTTON) return false;
        break;
      case Scope::Default:
        break;
    }
    if (html ? is(node.tag, kScopeBoundary) : foreign_boundary(node.tag, node.ns)) return false;
  }
  return false;
}

bool HtmlTreeModel::element_in_scope(uint32_t element) const {
  for (size_t i = m_stack.size(); i-- > 0;) {
    if (m_stack[i] == element) return true;
    const Element& node = at(m_stack[i]);
    const bool html = node.ns == GUMBO_NAMESPACE_HTML;
    if (html ? is(node.tag, kScopeBoundary) : foreign_boundary(node.tag, node.ns)) return false;
  }
  return false;
}

bool HtmlTreeModel::has_template() const {
  return has_on_stack(GUMBO_TAG_TEMPLATE);
}

bool HtmlTreeModel::has_on_stack(GumboTag tag) const {
  return m_open_html[tag] > 0;
}

namespace {

bool special(GumboTag tag, GumboNamespaceEnum ns) {
  if (ns == GUMBO_NAMESPACE_HTML) return is(tag, kSpecial);
  if (ns == GUMBO_NAMESPACE_MATHML) {
    return mathml_text_point(tag, ns) || tag == GUMBO_TAG_ANNOTATION_XML;
  }
  return tag == GUMBO_TAG_FOREIGNOBJECT || tag == GUMBO_TAG_DESC;
}

}  // namespace

// ---------------------------------------------------------------------------
// Building blocks

// A new element goes into the current node (or, before a table, into a
// shallower one: the depth counted is then more than it is).
uint32_t HtmlTreeModel::child_depth() const {
  return m_stack.empty() ? 1 : current().depth + 1;
}

uint32_t HtmlTreeModel::create(GumboTag tag, GumboNamespaceEnum ns, std::string_view name,
                               uint32_t signature, bool html_encoding) {
  m_elements.push_back(Element{tag, ns, name, signature, html_encoding, child_depth(), 0});
  return static_cast<uint32_t>(m_elements.size() - 1);
}

uint32_t HtmlTreeModel::clone(uint32_t element, uint32_t depth) {
  Element copy = m_elements[element];
  copy.depth = depth;
  copy.on_stack = 0;
  m_elements.push_back(copy);
  return static_cast<uint32_t>(m_elements.size() - 1);
}

uint32_t HtmlTreeModel::insert(const Token& token, GumboNamespaceEnum ns) {
  const uint32_t element = create(token.tag, ns, token.name, token.signature,
                                  ns == GUMBO_NAMESPACE_MATHML && token.html_encoding);
  stack_push(element);
  return element;
}

uint32_t HtmlTreeModel::insert_implied(GumboTag tag) {
  const uint32_t element = create(tag, GUMBO_NAMESPACE_HTML, name_of(tag));
  stack_push(element);
  return element;
}

void HtmlTreeModel::insert_void(const Token& token) {
  insert(token);
  stack_pop();
}

void HtmlTreeModel::raw_text_element(const Token& token, TextState state) {
  insert(token);
  m_flags.text_state = state;
  m_flags.original_mode = m_flags.mode;
  m_flags.mode = Mode::Text;
}

void HtmlTreeModel::reconstruct_formatting() {
  if (m_formatting.empty()) return;
  size_t i = m_formatting.size() - 1;
  uint32_t entry = m_formatting[i];
  if (entry == kMarker || at(entry).on_stack > 0) return;
  for (;;) {
    if (i == 0) break;
    entry = m_formatting[--i];
    if (entry == kMarker || at(entry).on_stack > 0) {
      ++i;
      break;
    }
  }
  for (; i < m_formatting.size(); ++i) {
    const uint32_t copy = clone(m_formatting[i], child_depth());
    stack_push(copy);
    list_set(static_cast<uint32_t>(i), copy);
  }
}

void HtmlTreeModel::add_formatting(uint32_t element) {
  // At most three identical elements (same tag and attributes) since the
  // last marker: a fourth drops the earliest.
  const Element& added = at(element);
  size_t identical = 0;
  size_t earliest = 0;
  for (size_t i = m_formatting.size(); i-- > 0;) {
    const uint32_t entry = m_formatting[i];
    if (entry == kMarker) break;
    if (at(entry).tag == added.tag && at(entry).signature == added.signature) {
      ++identical;
      earliest = i;
    }
  }
  if (identical >= 3) list_erase(static_cast<uint32_t>(earliest));
  list_push(element);
}

void HtmlTreeModel::clear_formatting_to_marker() {
  while (!m_formatting.empty()) {
    if (list_pop() == kMarker) break;
  }
}

void HtmlTreeModel::generate_implied_end_tags(GumboTag except) {
  while (!m_stack.empty() && current().ns == GUMBO_NAMESPACE_HTML &&
         is(current().tag, kImpliedEnd) && current().tag != except) {
    stack_pop();
  }
}

void HtmlTreeModel::close_elements_until(GumboTag tag) {
  while (m_stack.size() > 1 && !current_is(tag)) stack_pop();
  if (current_is(tag)) stack_pop();
}

void HtmlTreeModel::close_p_in_button_scope() {
  if (!in_scope(GUMBO_TAG_P, Scope::Button)) return;
  generate_implied_end_tags(GUMBO_TAG_P);
  close_elements_until(GUMBO_TAG_P);
}

void HtmlTreeModel::close_list_item(bool li) {
  m_flags.frameset_ok = false;
  for (size_t i = m_stack.size(); i-- > 0;) {
    const Element& node = at(m_stack[i]);
    const bool html = node.ns == GUMBO_NAMESPACE_HTML;
    const bool item = html && (li ? node.tag == GUMBO_TAG_LI
                                  : (node.tag == GUMBO_TAG_DD || node.tag == GUMBO_TAG_DT));
    if (item) {
      const GumboTag tag = node.tag;
      generate_implied_end_tags(tag);
      close_elements_until(tag);
      return;
    }
    if (special(node.tag, node.ns) &&
        !(html && one_of(node.tag, {GUMBO_TAG_ADDRESS, GUMBO_TAG_DIV, GUMBO_TAG_P}))) {
      return;
    }
  }
}

bool HtmlTreeModel::close_table() {
  if (!in_scope(GUMBO_TAG_TABLE, Scope::Table)) return false;
  close_elements_until(GUMBO_TAG_TABLE);
  reset_insertion_mode();
  return true;
}

void HtmlTreeModel::close_cell() {
  const GumboTag cell = in_scope(GUMBO_TAG_TD, Scope::Table) ? GUMBO_TAG_TD : GUMBO_TAG_TH;
  generate_implied_end_tags();
  close_elements_until(cell);
  clear_formatting_to_marker();
  m_flags.mode = Mode::InRow;
}

void HtmlTreeModel::close_select() {
  close_elements_until(GUMBO_TAG_SELECT);
  reset_insertion_mode();
}

void HtmlTreeModel::clear_stack_to(bool (*stop)(const Element&)) {
  while (m_stack.size() > 1 && !stop(current())) stack_pop();
}

namespace {

bool html_in(const auto& node, std::initializer_list<GumboTag> choices) {
  return node.ns == GUMBO_NAMESPACE_HTML && one_of(node.tag, choices);
}

}  // namespace

void HtmlTreeModel::reset_insertion_mode() {
  for (size_t i = m_stack.size(); i-- > 0;) {
    const bool last = i == 0;
    // The parser goes by the tag alone here, whatever the namespace: a
    // foreign element named like a table part puts it in a mode whose
    // assumptions do not hold, and it fails later on.
    GumboTag tag = at(m_stack[i]).tag;
    if (!last && risky(m_stack[i])) m_unsafe = true;
    if (last && m_context != GUMBO_TAG_LAST) tag = m_context;
    switch (tag) {
      case GUMBO_TAG_SELECT:
        m_flags.mode = Mode::InSelect;
        for (size_t j = i; !last && j-- > 1;) {
          const Element& ancestor = at(m_stack[j]);
          if (ancestor.ns != GUMBO_NAMESPACE_HTML) continue;
          if (ancestor.tag == GUMBO_TAG_TEMPLATE) break;
          if (ancestor.tag == GUMBO_TAG_TABLE) {
            m_flags.mode = Mode::InSelectInTable;
            break;
          }
        }
        return;
      case GUMBO_TAG_TD:
      case GUMBO_TAG_TH:
        m_flags.mode = last ? Mode::InBody : Mode::InCell;
        return;
      case GUMBO_TAG_TR:
        m_flags.mode = Mode::InRow;
        return;
      case GUMBO_TAG_TBODY:
      case GUMBO_TAG_THEAD:
      case GUMBO_TAG_TFOOT:
        m_flags.mode = Mode::InTableBody;
        return;
      case GUMBO_TAG_CAPTION:
        m_flags.mode = Mode::InCaption;
        return;
      case GUMBO_TAG_COLGROUP:
        m_flags.mode = Mode::InColumnGroup;
        return;
      case GUMBO_TAG_TABLE:
        m_flags.mode = Mode::InTable;
        return;
      case GUMBO_TAG_TEMPLATE:
        if (!m_template_modes.empty()) {
          m_flags.mode = m_template_modes.back();
          return;
        }
        break;
      case GUMBO_TAG_HEAD:
        if (last) break;
        m_flags.mode = Mode::InHead;
        return;
      case GUMBO_TAG_BODY:
        m_flags.mode = Mode::InBody;
        return;
      case GUMBO_TAG_FRAMESET:
        m_flags.mode = Mode::InFrameset;
        return;
      case GUMBO_TAG_HTML:
        m_flags.mode = m_flags.head == kNone ? Mode::BeforeHead : Mode::AfterHead;
        return;
      default:
        break;
    }
    if (last) {
      m_flags.mode = Mode::InBody;
      return;
    }
  }
  m_flags.mode = Mode::InBody;
}

void HtmlTreeModel::end_template() {
  if (!has_template()) return;
  generate_implied_end_tags();
  close_elements_until(GUMBO_TAG_TEMPLATE);
  clear_formatting_to_marker();
  if (!m_template_modes.empty()) template_pop();
  reset_insertion_mode();
}

void HtmlTreeModel::any_other_end_tag(const Token& token) {
  // Unknown tags all share one tag number, so any of them closes another.
  for (size_t i = m_stack.size(); i-- > 0;) {
    const uint32_t element = m_stack[i];
    const Element& node = at(element);
    if (node.ns == GUMBO_NAMESPACE_HTML && node.tag == token.tag) {
      generate_implied_end_tags(token.tag);
      while (!m_stack.empty() && stack_pop() != element) {
      }
      return;
    }
    if (special(node.tag, node.ns)) return;
  }
}

void HtmlTreeModel::adoption_agency(GumboTag subject) {
  // 1. A current node of that tag that is not an active formatting element
  // simply closes.
  if (!m_stack.empty() && current_is(subject) && list_index_of(m_stack.back()) == kNone) {
    stack_pop();
    return;
  }
  for (int outer = 0; outer < 8; ++outer) {
    // 2. The last such formatting element since the last marker; at a
    // marker, or with none at all, nothing happens.
    uint32_t element = kNone;
    for (size_t j = m_formatting.size(); j-- > 0;) {
      const uint32_t entry = m_formatting[j];
      if (entry == kMarker) return;
      if (at(entry).ns == GUMBO_NAMESPACE_HTML && at(entry).tag == subject) {
        element = entry;
        break;
      }
    }
    if (element == kNone) return;
    const uint32_t at_stack = stack_index_of(element);
    if (at_stack == kNone) {
      list_erase(list_index_of(element));
      return;
    }
    if (!in_scope(subject)) return;
    // 3. The furthest block: the first special element above it.
    uint32_t furthest = kNone;
    for (size_t j = at_stack; j < m_stack.size(); ++j) {
      if (special(at(m_stack[j]).tag, at(m_stack[j]).ns)) {
        furthest = m_stack[j];
        break;
      }
    }
    if (furthest == kNone) {
      while (stack_pop() != element) {
      }
      list_erase(list_index_of(element));
      return;
    }
    // 4. The formatting elements between them are cloned (the first three;
    // the others leave the list), the rest leave the stack, and the
    // furthest block moves, under the clones, into the element before the
    // formatting element on the stack.
    const uint32_t common = m_stack[stack_index_of(element) - 1];
    uint32_t bookmark = list_index_of(element) + 1;
    uint32_t node = furthest;
    uint32_t last = furthest;
    uint32_t saved = stack_index_of(node);
    std::vector<uint32_t> chain;  // the clones, deepest first
    for (int inner = 1;; ++inner) {
      uint32_t index = stack_index_of(node);
      if (index == kNone) index = saved;
      saved = --index;
      node = m_stack[index];
      if (node == element) break;
      const uint32_t listed = list_index_of(node);
      if (inner > 3 && listed != kNone) {
        list_erase(listed);
        if (listed < bookmark) --bookmark;
        continue;
      }
      if (listed == kNone) {
        stack_erase(index);
        continue;
      }
      const uint32_t copy = clone(node, at(node).depth);
      list_set(listed, copy);
      stack_set(index, copy);
      if (last == furthest) bookmark = listed + 1;
      chain.push_back(copy);
      node = copy;
      last = copy;
    }
    // 5. The furthest block's content goes into a new copy of the
    // formatting element, which becomes its only child.
    const uint32_t fresh = clone(element, 0);
    const uint32_t listed = list_index_of(element);
    if (listed < bookmark) --bookmark;
    list_erase(listed);
    list_insert(bookmark, fresh);
    stack_erase(stack_index_of(element));
    relocate(common, chain, furthest, fresh);
    stack_insert(stack_index_of(furthest) + 1, fresh);
  }
}

// The new depths after an adoption: the clones in a line under `common`,
// the furthest block under them, the new formatting element under it, and
// what was open in the furthest block one level below that. A move that
// takes the furthest block's content deeper counts as too deep, since how
// deep that content already reaches is not known here.
void HtmlTreeModel::relocate(uint32_t common, const std::vector<uint32_t>& chain, uint32_t furthest,
                             uint32_t fresh) {
  uint32_t depth = at(common).depth;
  for (size_t i = chain.size(); i-- > 0;) set_depth(chain[i], ++depth);
  const uint32_t old_depth = at(furthest).depth;
  set_depth(furthest, ++depth);
  set_depth(fresh, ++depth);
  if (depth > old_depth + 1) m_peak = kDeepened;
  const int64_t shift = static_cast<int64_t>(depth) - static_cast<int64_t>(old_depth) - 1;
  for (size_t i = stack_index_of(furthest) + 1; i < m_stack.size(); ++i) {
    const uint32_t open = m_stack[i];
    set_depth(open, static_cast<uint32_t>(std::max<int64_t>(1, at(open).depth + shift)));
  }
}

// ---------------------------------------------------------------------------
// Dispatch

bool HtmlTreeModel::process(const Token& token) {
  m_unsafe = false;
  do {
    m_reprocess = false;
    dispatch(token);
  } while (m_reprocess);
  return !m_unsafe;
}

bool HtmlTreeModel::in_html_content(const Token& token) const {
  if (m_stack.empty()) return true;
  const Element& node = current();
  if (node.ns == GUMBO_NAMESPACE_HTML) return true;
  const bool text = token.kind == TokenKind::Whitespace || token.kind == TokenKind::Characters ||
                    token.kind == TokenKind::Null;
  const bool start = token.kind == TokenKind::StartTag;
  if (mathml_text_point(node.tag, node.ns) &&
      (text || (start && token.tag != GUMBO_TAG_MGLYPH && token.tag != GUMBO_TAG_MALIGNMARK))) {
    return true;
  }
  if (node.ns == GUMBO_NAMESPACE_MATHML && node.tag == GUMBO_TAG_ANNOTATION_XML && start &&
      token.tag == GUMBO_TAG_SVG) {
    return true;
  }
  const bool html_point =
      (node.ns == GUMBO_NAMESPACE_SVG &&
       one_of(node.tag, {GUMBO_TAG_FOREIGNOBJECT, GUMBO_TAG_DESC, GUMBO_TAG_TITLE})) ||
      (node.ns == GUMBO_NAMESPACE_MATHML && node.tag == GUMBO_TAG_ANNOTATION_XML &&
       node.html_encoding);
  return html_point && (start || text);
}

void HtmlTreeModel::dispatch(const Token& token) {
  if (in_html_content(token)) {
    handle_mode(m_flags.mode, token);
  } else {
    in_foreign_content(token);
  }
}

void HtmlTreeModel::handle_mode(Mode mode, const Token& token) {
  switch (mode) {
    case Mode::Initial:
      return initial(token);
    case Mode::BeforeHtml:
      return before_html(token);
    case Mode::BeforeHead:
      return before_head(token);
    case Mode::InHead:
      return in_head(token);
    case Mode::AfterHead:
      return after_head(token);
    case Mode::InBody:
      return in_body(token);
    case Mode::Text:
      return text(token);
    case Mode::InTable:
      return in_table(token);
    case Mode::InTableText:
      return in_table_text(token);
    case Mode::InCaption:
      return in_caption(token);
    case Mode::InColumnGroup:
      return in_column_group(token);
    case Mode::InTableBody:
      return in_table_body(token);
    case Mode::InRow:
      return in_row(token);
    case Mode::InCell:
      return in_cell(token);
    case Mode::InSelect:
      return in_select(token);
    case Mode::InSelectInTable:
      return in_select_in_table(token);
    case Mode::InTemplate:
      return in_template(token);
    case Mode::AfterBody:
      return after_body(token);
    case Mode::InFrameset:
      return in_frameset(token);
    case Mode::AfterFrameset:
      return after_frameset(token);
    case Mode::AfterAfterBody:
      return after_after_body(token);
    case Mode::AfterAfterFrameset:
      return after_after_frameset(token);
  }
}

namespace {

bool start_tag(const HtmlTreeModel::Token& token, GumboTag tag) {
  return token.kind == HtmlTreeModel::TokenKind::StartTag && token.tag == tag;
}

bool end_tag(const HtmlTreeModel::Token& token, GumboTag tag) {
  return token.kind == HtmlTreeModel::TokenKind::EndTag && token.tag == tag;
}

bool start_in(const HtmlTreeModel::Token& token, std::initializer_list<GumboTag> tags) {
  return token.kind == HtmlTreeModel::TokenKind::StartTag && one_of(token.tag, tags);
}

bool end_in(const HtmlTreeModel::Token& token, std::initializer_list<GumboTag> tags) {
  return token.kind == HtmlTreeModel::TokenKind::EndTag && one_of(token.tag, tags);
}

bool is_text(const HtmlTreeModel::Token& token) {
  return token.kind == HtmlTreeModel::TokenKind::Whitespace ||
         token.kind == HtmlTreeModel::TokenKind::Characters ||
         token.kind == HtmlTreeModel::TokenKind::Null;
}

bool ignorable(const HtmlTreeModel::Token& token) {
  return token.kind == HtmlTreeModel::TokenKind::Whitespace ||
         token.kind == HtmlTreeModel::TokenKind::Comment ||
         token.kind == HtmlTreeModel::TokenKind::Doctype;
}

}  // namespace

// ---------------------------------------------------------------------------
// Before the body

void HtmlTreeModel::initial(const Token& token) {
  if (token.kind == TokenKind::Whitespace || token.kind == TokenKind::Comment) return;
  m_flags.mode = Mode::BeforeHtml;
  if (token.kind == TokenKind::Doctype) {
    m_flags.quirks = token.quirks == GUMBO_DOCTYPE_QUIRKS;
    return;
  }
  m_flags.quirks = true;
  m_reprocess = true;
}

void HtmlTreeModel::before_html(const Token& token) {
  if (ignorable(token)) return;
  if (start_tag(token, GUMBO_TAG_HTML)) {
    insert(token);
    m_flags.mode = Mode::BeforeHead;
    return;
  }
  if (token.kind == TokenKind::EndTag &&
      !one_of(token.tag, {GUMBO_TAG_HEAD, GUMBO_TAG_BODY, GUMBO_TAG_HTML, GUMBO_TAG_BR})) {
    return;
  }
  insert_implied(GUMBO_TAG_HTML);
  m_flags.mode = Mode::BeforeHead;
  m_reprocess = true;
}

void HtmlTreeModel::before_head(const Token& token) {
  if (ignorable(token)) return;
  if (start_tag(token, GUMBO_TAG_HTML)) return in_body(token);
  if (start_tag(token, GUMBO_TAG_HEAD)) {
    m_flags.head = insert(token);
    m_flags.mode = Mode::InHead;
    return;
  }
  if (token.kind == TokenKind::EndTag &&
      !one_of(token.tag, {GUMBO_TAG_HEAD, GUMBO_TAG_BODY, GUMBO_TAG_HTML, GUMBO_TAG_BR})) {
    return;
  }
  m_flags.head = insert_implied(GUMBO_TAG_HEAD);
  m_flags.mode = Mode::InHead;
  m_reprocess = true;
}

void HtmlTreeModel::in_head(const Token& token) {
  if (ignorable(token)) return;
  if (start_tag(token, GUMBO_TAG_HTML)) return in_body(token);
  if (start_in(token, {GUMBO_TAG_BASE, GUMBO_TAG_BASEFONT, GUMBO_TAG_BGSOUND, GUMBO_TAG_MENUITEM,
                       GUMBO_TAG_LINK, GUMBO_TAG_META})) {
    return insert_void(token);
  }
  if (start_tag(token, GUMBO_TAG_TITLE)) return raw_text_element(token, TextState::Rcdata);
  if (start_in(token, {GUMBO_TAG_NOFRAMES, GUMBO_TAG_STYLE, GUMBO_TAG_NOSCRIPT})) {
    return raw_text_element(token, TextState::Rawtext);
  }
  if (start_tag(token, GUMBO_TAG_SCRIPT)) return raw_text_element(token, TextState::ScriptData);
  if (start_tag(token, GUMBO_TAG_TEMPLATE)) {
    insert(token);
    list_push(kMarker);
    m_flags.frameset_ok = false;
    m_flags.mode = Mode::InTemplate;
    template_push(Mode::InTemplate);
    return;
  }
  if (end_tag(token, GUMBO_TAG_TEMPLATE)) return end_template();
  if (end_tag(token, GUMBO_TAG_HEAD)) {
    stack_pop();
    m_flags.mode = Mode::AfterHead;
    return;
  }
  if (start_tag(token, GUMBO_TAG_HEAD)) return;
  if (token.kind == TokenKind::EndTag &&
      !one_of(token.tag, {GUMBO_TAG_BODY, GUMBO_TAG_HTML, GUMBO_TAG_BR})) {
    return;
  }
  stack_pop();
  m_flags.mode = Mode::AfterHead;
  m_reprocess = true;
}

void HtmlTreeModel::after_head(const Token& token) {
  if (ignorable(token)) return;
  if (start_tag(token, GUMBO_TAG_HTML)) return in_body(token);
  if (start_tag(token, GUMBO_TAG_BODY)) {
    insert(token);
    m_flags.frameset_ok = false;
    m_flags.mode = Mode::InBody;
    return;
  }
  if (start_tag(token, GUMBO_TAG_FRAMESET)) {
    insert(token);
    m_flags.mode = Mode::InFrameset;
    return;
  }
  if (start_in(token, {GUMBO_TAG_BASE, GUMBO_TAG_BASEFONT, GUMBO_TAG_BGSOUND, GUMBO_TAG_LINK,
                       GUMBO_TAG_META, GUMBO_TAG_NOFRAMES, GUMBO_TAG_SCRIPT, GUMBO_TAG_STYLE,
                       GUMBO_TAG_TEMPLATE, GUMBO_TAG_TITLE})) {
    // The head is reopened for the element and taken off the stack again.
    const uint32_t head = m_flags.head;
    stack_push(head);
    in_head(token);
    const uint32_t index = stack_index_of(head);
    if (index != kNone) stack_erase(index);
    return;
  }
  if (end_tag(token, GUMBO_TAG_TEMPLATE)) return in_head(token);
  if (start_tag(token, GUMBO_TAG_HEAD)) return;
  if (token.kind == TokenKind::EndTag &&
      !one_of(token.tag, {GUMBO_TAG_BODY, GUMBO_TAG_HTML, GUMBO_TAG_BR})) {
    return;
  }
  insert_implied(GUMBO_TAG_BODY);
  m_flags.mode = Mode::InBody;
  m_reprocess = true;
}

// ---------------------------------------------------------------------------
// The body

void HtmlTreeModel::in_body(const Token& token) {
  switch (token.kind) {
    case TokenKind::Null:
    case TokenKind::Comment:
    case TokenKind::Doctype:
      return;
    case TokenKind::Whitespace:
      return reconstruct_formatting();
    case TokenKind::Characters:
      reconstruct_formatting();
      m_flags.frameset_ok = false;
      return;
    case TokenKind::StartTag:
      return in_body_start_tag(token);
    case TokenKind::EndTag:
      return in_body_end_tag(token);
  }
}

void HtmlTreeModel::in_body_start_tag(const Token& token) {
  const GumboTag tag = token.tag;
  if (tag == GUMBO_TAG_HTML) return;
  if (is(tag, kHeadRules)) return in_head(token);
  if (tag == GUMBO_TAG_BODY) {
    if (m_stack.size() >= 2 && at(m_stack[1]).tag == GUMBO_TAG_BODY) m_flags.frameset_ok = false;
    return;
  }
  if (tag == GUMBO_TAG_FRAMESET) {
    if (m_stack.size() < 2 || at(m_stack[1]).tag != GUMBO_TAG_BODY || !m_flags.frameset_ok) {
      return;
    }
    while (m_stack.size() > 1) stack_pop();
    clear_formatting_to_marker();
    insert(token);
    m_flags.mode = Mode::InFrameset;
    return;
  }
  if (is(tag, kClosesParagraph)) {
    close_p_in_button_scope();
    insert(token);
    return;
  }
  if (is(tag, kHeading)) {
    close_p_in_button_scope();
    if (!m_stack.empty() && current().ns == GUMBO_NAMESPACE_HTML && is(current().tag, kHeading)) {
      stack_pop();
    }
    insert(token);
    return;
  }
  if (tag == GUMBO_TAG_PRE || tag == GUMBO_TAG_LISTING) {
    close_p_in_button_scope();
    insert(token);
    m_flags.frameset_ok = false;
    return;
  }
  if (tag == GUMBO_TAG_FORM) {
    const bool in_template = has_template();
    if (m_flags.form != kNone && !in_template) return;
    close_p_in_button_scope();
    const uint32_t form = insert(token);
    if (!in_template) m_flags.form = form;
    return;
  }
  if (tag == GUMBO_TAG_LI || tag == GUMBO_TAG_DD || tag == GUMBO_TAG_DT) {
    close_list_item(tag == GUMBO_TAG_LI);
    close_p_in_button_scope();
    insert(token);
    return;
  }
  if (tag == GUMBO_TAG_PLAINTEXT) {
    close_p_in_button_scope();
    insert(token);
    m_flags.text_state = TextState::Plaintext;
    return;
  }
  if (tag == GUMBO_TAG_BUTTON) {
    if (in_scope(GUMBO_TAG_BUTTON)) {
      generate_implied_end_tags(GUMBO_TAG_BUTTON);
      close_elements_until(GUMBO_TAG_BUTTON);
      m_reprocess = true;
      return;
    }
    reconstruct_formatting();
    insert(token);
    m_flags.frameset_ok = false;
    return;
  }
  if (tag == GUMBO_TAG_A) {
    auto last_anchor = [this]() -> uint32_t {
      for (size_t i = m_formatting.size(); i-- > 0;) {
        if (m_formatting[i] == kMarker) break;
        if (at(m_formatting[i]).tag == GUMBO_TAG_A) return static_cast<uint32_t>(i);
      }
      return kNone;
    };
    if (last_anchor() != kNone) {
      adoption_agency(GUMBO_TAG_A);
      const uint32_t left = last_anchor();
      if (left != kNone) {
        const uint32_t element = m_formatting[left];
        list_erase(left);
        const uint32_t index = stack_index_of(element);
        if (index != kNone) stack_erase(index);
      }
    }
    reconstruct_formatting();
    add_formatting(insert(token));
    return;
  }
  if (tag == GUMBO_TAG_NOBR) {
    reconstruct_formatting();
    if (in_scope(GUMBO_TAG_NOBR)) {
      adoption_agency(GUMBO_TAG_NOBR);
      reconstruct_formatting();
    }
    add_formatting(insert(token));
    return;
  }
  if (is(tag, kFormatting)) {
    reconstruct_formatting();
    add_formatting(insert(token));
    return;
  }
  if (tag == GUMBO_TAG_APPLET || tag == GUMBO_TAG_MARQUEE || tag == GUMBO_TAG_OBJECT) {
    reconstruct_formatting();
    insert(token);
    list_push(kMarker);
    m_flags.frameset_ok = false;
    return;
  }
  if (tag == GUMBO_TAG_TABLE) {
    if (!m_flags.quirks) close_p_in_button_scope();
    insert(token);
    m_flags.frameset_ok = false;
    m_flags.mode = Mode::InTable;
    return;
  }
  if (is(tag, kVoidInBody)) {
    reconstruct_formatting();
    insert_void(token);
    m_flags.frameset_ok = false;
    return;
  }
  if (tag == GUMBO_TAG_INPUT) {
    if (!token.hidden_input) m_flags.frameset_ok = false;
    reconstruct_formatting();
    insert_void(token);
    return;
  }
  if (tag == GUMBO_TAG_PARAM || tag == GUMBO_TAG_SOURCE || tag == GUMBO_TAG_TRACK) {
    return insert_void(token);
  }
  if (tag == GUMBO_TAG_HR) {
    close_p_in_button_scope();
    insert_void(token);
    m_flags.frameset_ok = false;
    return;
  }
  if (tag == GUMBO_TAG_ISINDEX) {
    // A form holding a rule, a labelled input and a rule; it is the form
    // pointer's while it stands, which leaves the pointer empty after.
    const bool in_template = has_template();
    if (m_flags.form != kNone && !in_template) return;
    close_p_in_button_scope();
    m_flags.frameset_ok = false;
    insert_implied(GUMBO_TAG_FORM);
    if (!in_template) m_flags.form = kNone;
    insert_implied(GUMBO_TAG_HR);
    stack_pop();
    insert_implied(GUMBO_TAG_LABEL);
    insert_implied(GUMBO_TAG_INPUT);
    stack_pop();
    stack_pop();
    insert_implied(GUMBO_TAG_HR);
    stack_pop();
    stack_pop();
    return;
  }
  if (tag == GUMBO_TAG_TEXTAREA) {
    raw_text_element(token, TextState::Rcdata);
    m_flags.frameset_ok = false;
    return;
  }
  if (tag == GUMBO_TAG_XMP) {
    close_p_in_button_scope();
    reconstruct_formatting();
    m_flags.frameset_ok = false;
    return raw_text_element(token, TextState::Rawtext);
  }
  if (tag == GUMBO_TAG_IFRAME) {
    m_flags.frameset_ok = false;
    return raw_text_element(token, TextState::Rawtext);
  }
  if (tag == GUMBO_TAG_NOEMBED) return raw_text_element(token, TextState::Rawtext);
  if (tag == GUMBO_TAG_SELECT) {
    reconstruct_formatting();
    insert(token);
    m_flags.frameset_ok = false;
    const Mode mode = m_flags.mode;
    const bool in_table = mode == Mode::InTable || mode == Mode::InCaption ||
                          mode == Mode::InTableBody || mode == Mode::InRow || mode == Mode::InCell;
    m_flags.mode = in_table ? Mode::InSelectInTable : Mode::InSelect;
    return;
  }
  if (tag == GUMBO_TAG_OPTION || tag == GUMBO_TAG_OPTGROUP) {
    if (current_is(GUMBO_TAG_OPTION)) stack_pop();
    reconstruct_formatting();
    insert(token);
    return;
  }
  if (tag == GUMBO_TAG_RB || tag == GUMBO_TAG_RTC) {
    if (in_scope(GUMBO_TAG_RUBY)) generate_implied_end_tags();
    insert(token);
    return;
  }
  if (tag == GUMBO_TAG_RP || tag == GUMBO_TAG_RT) {
    if (in_scope(GUMBO_TAG_RUBY)) generate_implied_end_tags(GUMBO_TAG_RTC);
    insert(token);
    return;
  }
  if (tag == GUMBO_TAG_MATH || tag == GUMBO_TAG_SVG) {
    reconstruct_formatting();
    insert(token, tag == GUMBO_TAG_MATH ? GUMBO_NAMESPACE_MATHML : GUMBO_NAMESPACE_SVG);
    if (token.self_closing) stack_pop();
    return;
  }
  if (is(tag, kTableRules) || tag == GUMBO_TAG_FRAME || tag == GUMBO_TAG_HEAD) return;
  reconstruct_formatting();
  insert(token);
}

void HtmlTreeModel::in_body_end_tag(const Token& token) {
  const GumboTag tag = token.tag;
  if (tag == GUMBO_TAG_TEMPLATE) return in_head(token);
  if (tag == GUMBO_TAG_BODY || tag == GUMBO_TAG_HTML) {
    if (!in_scope(GUMBO_TAG_BODY)) return;
    m_flags.mode = Mode::AfterBody;
    if (tag == GUMBO_TAG_HTML) m_reprocess = true;
    return;
  }
  if (is(tag, kBlockEnd)) {
    if (!in_scope(tag)) return;
    generate_implied_end_tags(tag);
    close_elements_until(tag);
    return;
  }
  if (tag == GUMBO_TAG_FORM) {
    if (has_template()) {
      // A form in a template closes only when it is the current node once
      // the implied end tags are generated.
      if (!in_scope(GUMBO_TAG_FORM)) return;
      generate_implied_end_tags();
      if (current_is(GUMBO_TAG_FORM)) stack_pop();
      return;
    }
    const uint32_t form = m_flags.form;
    m_flags.form = kNone;
    if (form == kNone || !element_in_scope(form)) return;
    generate_implied_end_tags();
    stack_erase(stack_index_of(form));
    return;
  }
  if (tag == GUMBO_TAG_P) {
    if (!in_scope(GUMBO_TAG_P, Scope::Button)) {
      insert_implied(GUMBO_TAG_P);
      m_reprocess = true;
      return;
    }
    generate_implied_end_tags(GUMBO_TAG_P);
    close_elements_until(GUMBO_TAG_P);
    return;
  }
  if (tag == GUMBO_TAG_LI) {
    if (!in_scope(GUMBO_TAG_LI, Scope::ListItem)) return;
    generate_implied_end_tags(GUMBO_TAG_LI);
    close_elements_until(GUMBO_TAG_LI);
    return;
  }
  if (tag == GUMBO_TAG_DD || tag == GUMBO_TAG_DT) {
    if (!in_scope(tag)) return;
    generate_implied_end_tags(tag);
    close_elements_until(tag);
    return;
  }
  if (is(tag, kHeading)) {
    bool open = false;
    for (GumboTag heading :
         {GUMBO_TAG_H1, GUMBO_TAG_H2, GUMBO_TAG_H3, GUMBO_TAG_H4, GUMBO_TAG_H5, GUMBO_TAG_H6}) {
      open = open || in_scope(heading);
    }
    if (!open) return;
    generate_implied_end_tags();
    while (m_stack.size() > 1) {
      const Element& popped = at(stack_pop());
      if (popped.ns == GUMBO_NAMESPACE_HTML && is(popped.tag, kHeading)) break;
    }
    return;
  }
  if (is(tag, kFormatting)) {
    adoption_agency(tag);
    return;
  }
  if (tag == GUMBO_TAG_APPLET || tag == GUMBO_TAG_MARQUEE || tag == GUMBO_TAG_OBJECT) {
    if (!in_scope(tag, Scope::Table)) return;
    generate_implied_end_tags(tag);
    close_elements_until(tag);
    clear_formatting_to_marker();
    return;
  }
  if (tag == GUMBO_TAG_BR) {
    reconstruct_formatting();
    insert_implied(GUMBO_TAG_BR);
    stack_pop();
    return;
  }
  any_other_end_tag(token);
}

void HtmlTreeModel::text(const Token& token) {
  if (token.kind != TokenKind::EndTag) return;
  stack_pop();
  m_flags.mode = m_flags.original_mode;
  m_flags.text_state = TextState::Data;
}

// ---------------------------------------------------------------------------
// Tables

namespace {

bool table_context(const auto& node) {
  return html_in(node, {GUMBO_TAG_HTML, GUMBO_TAG_TABLE, GUMBO_TAG_TEMPLATE});
}

bool table_body_context(const auto& node) {
  return html_in(node, {GUMBO_TAG_HTML, GUMBO_TAG_TBODY, GUMBO_TAG_TFOOT, GUMBO_TAG_THEAD,
                        GUMBO_TAG_TEMPLATE});
}

bool table_row_context(const auto& node) {
  return html_in(node, {GUMBO_TAG_HTML, GUMBO_TAG_TR, GUMBO_TAG_TEMPLATE});
}

}  // namespace

void HtmlTreeModel::in_table(const Token& token) {
  if (is_text(token)) {
    m_flags.original_mode = m_flags.mode;
    m_flags.mode = Mode::InTableText;
    m_flags.pending_table_text = false;
    m_flags.table_text_has_chars = false;
    m_reprocess = true;
    return;
  }
  if (token.kind == TokenKind::Comment || token.kind == TokenKind::Doctype) return;
  if (start_tag(token, GUMBO_TAG_CAPTION)) {
    clear_stack_to(&table_context);
    list_push(kMarker);
    insert(token);
    m_flags.mode = Mode::InCaption;
    return;
  }
  if (start_tag(token, GUMBO_TAG_COLGROUP)) {
    clear_stack_to(&table_context);
    insert(token);
    m_flags.mode = Mode::InColumnGroup;
    return;
  }
  if (start_tag(token, GUMBO_TAG_COL)) {
    clear_stack_to(&table_context);
    insert_implied(GUMBO_TAG_COLGROUP);
    m_flags.mode = Mode::InColumnGroup;
    m_reprocess = true;
    return;
  }
  if (start_in(token, {GUMBO_TAG_TBODY, GUMBO_TAG_TFOOT, GUMBO_TAG_THEAD, GUMBO_TAG_TD,
                       GUMBO_TAG_TH, GUMBO_TAG_TR})) {
    clear_stack_to(&table_context);
    m_flags.mode = Mode::InTableBody;
    if (one_of(token.tag, {GUMBO_TAG_TD, GUMBO_TAG_TH, GUMBO_TAG_TR})) {
      insert_implied(GUMBO_TAG_TBODY);
      m_reprocess = true;
    } else {
      insert(token);
    }
    return;
  }
  if (start_tag(token, GUMBO_TAG_TABLE)) {
    if (close_table()) m_reprocess = true;
    return;
  }
  if (end_tag(token, GUMBO_TAG_TABLE)) {
    close_table();
    return;
  }
  if (end_in(token, {GUMBO_TAG_BODY, GUMBO_TAG_CAPTION, GUMBO_TAG_COL, GUMBO_TAG_COLGROUP,
                     GUMBO_TAG_HTML, GUMBO_TAG_TBODY, GUMBO_TAG_TD, GUMBO_TAG_TFOOT, GUMBO_TAG_TH,
                     GUMBO_TAG_THEAD, GUMBO_TAG_TR})) {
    return;
  }
  if (start_in(token, {GUMBO_TAG_STYLE, GUMBO_TAG_SCRIPT, GUMBO_TAG_TEMPLATE}) ||
      end_tag(token, GUMBO_TAG_TEMPLATE)) {
    return in_head(token);
  }
  if (start_tag(token, GUMBO_TAG_INPUT) && token.hidden_input) return insert_void(token);
  if (start_tag(token, GUMBO_TAG_FORM)) {
    if (m_flags.form != kNone || has_template()) return;
    m_flags.form = insert(token);
    stack_pop();
    return;
  }
  // Anything else goes by the body's rules, placed before the table.
  in_body(token);
}

void HtmlTreeModel::in_table_text(const Token& token) {
  if (token.kind == TokenKind::Null) return;
  if (token.kind == TokenKind::Whitespace || token.kind == TokenKind::Characters) {
    m_flags.pending_table_text = true;
    if (token.kind == TokenKind::Characters) m_flags.table_text_has_chars = true;
    return;
  }
  stop_parsing_table_text();
  m_reprocess = true;
}

void HtmlTreeModel::stop_parsing_table_text() {
  if (m_flags.table_text_has_chars) reconstruct_formatting();
  m_flags.pending_table_text = false;
  m_flags.table_text_has_chars = false;
  m_flags.mode = m_flags.original_mode;
}

void HtmlTreeModel::in_caption(const Token& token) {
  if (start_in(token,
               {GUMBO_TAG_CAPTION, GUMBO_TAG_COL, GUMBO_TAG_COLGROUP, GUMBO_TAG_TBODY, GUMBO_TAG_TD,
                GUMBO_TAG_TFOOT, GUMBO_TAG_TH, GUMBO_TAG_THEAD, GUMBO_TAG_TR}) ||
      end_in(token, {GUMBO_TAG_CAPTION, GUMBO_TAG_TABLE})) {
    if (!in_scope(GUMBO_TAG_CAPTION, Scope::Table)) return;
    if (!end_tag(token, GUMBO_TAG_CAPTION)) m_reprocess = true;
    generate_implied_end_tags();
    close_elements_until(GUMBO_TAG_CAPTION);
    clear_formatting_to_marker();
    m_flags.mode = Mode::InTable;
    return;
  }
  if (end_in(token,
             {GUMBO_TAG_BODY, GUMBO_TAG_COL, GUMBO_TAG_COLGROUP, GUMBO_TAG_HTML, GUMBO_TAG_TBODY,
              GUMBO_TAG_TD, GUMBO_TAG_TFOOT, GUMBO_TAG_TH, GUMBO_TAG_THEAD, GUMBO_TAG_TR})) {
    return;
  }
  in_body(token);
}

void HtmlTreeModel::in_column_group(const Token& token) {
  if (ignorable(token)) return;
  if (start_tag(token, GUMBO_TAG_HTML)) return in_body(token);
  if (start_tag(token, GUMBO_TAG_COL)) return insert_void(token);
  if (end_tag(token, GUMBO_TAG_COL)) return;
  if (start_tag(token, GUMBO_TAG_TEMPLATE) || end_tag(token, GUMBO_TAG_TEMPLATE)) {
    return in_head(token);
  }
  if (!current_is(GUMBO_TAG_COLGROUP)) return;
  stack_pop();
  m_flags.mode = Mode::InTable;
  if (!end_tag(token, GUMBO_TAG_COLGROUP)) m_reprocess = true;
}

void HtmlTreeModel::in_table_body(const Token& token) {
  if (start_tag(token, GUMBO_TAG_TR)) {
    clear_stack_to(&table_body_context);
    insert(token);
    m_flags.mode = Mode::InRow;
    return;
  }
  if (start_in(token, {GUMBO_TAG_TD, GUMBO_TAG_TH})) {
    clear_stack_to(&table_body_context);
    insert_implied(GUMBO_TAG_TR);
    m_flags.mode = Mode::InRow;
    m_reprocess = true;
    return;
  }
  if (end_in(token, {GUMBO_TAG_TBODY, GUMBO_TAG_TFOOT, GUMBO_TAG_THEAD})) {
    if (!in_scope(token.tag, Scope::Table)) return;
    clear_stack_to(&table_body_context);
    stack_pop();
    m_flags.mode = Mode::InTable;
    return;
  }
  if (start_in(token, {GUMBO_TAG_CAPTION, GUMBO_TAG_COL, GUMBO_TAG_COLGROUP, GUMBO_TAG_TBODY,
                       GUMBO_TAG_TFOOT, GUMBO_TAG_THEAD}) ||
      end_tag(token, GUMBO_TAG_TABLE)) {
    if (!in_scope(GUMBO_TAG_TBODY, Scope::Table) && !in_scope(GUMBO_TAG_THEAD, Scope::Table) &&
        !in_scope(GUMBO_TAG_TFOOT, Scope::Table)) {
      return;
    }
    clear_stack_to(&table_body_context);
    stack_pop();
    m_flags.mode = Mode::InTable;
    m_reprocess = true;
    return;
  }
  if (end_in(token, {GUMBO_TAG_BODY, GUMBO_TAG_CAPTION, GUMBO_TAG_COL, GUMBO_TAG_TR,
                     GUMBO_TAG_COLGROUP, GUMBO_TAG_HTML, GUMBO_TAG_TD, GUMBO_TAG_TH})) {
    return;
  }
  in_table(token);
}

void HtmlTreeModel::in_row(const Token& token) {
  if (start_in(token, {GUMBO_TAG_TH, GUMBO_TAG_TD})) {
    clear_stack_to(&table_row_context);
    insert(token);
    m_flags.mode = Mode::InCell;
    list_push(kMarker);
    return;
  }
  if (start_in(token, {GUMBO_TAG_CAPTION, GUMBO_TAG_COL, GUMBO_TAG_COLGROUP, GUMBO_TAG_TBODY,
                       GUMBO_TAG_TFOOT, GUMBO_TAG_THEAD, GUMBO_TAG_TR}) ||
      end_in(token,
             {GUMBO_TAG_TR, GUMBO_TAG_TABLE, GUMBO_TAG_TBODY, GUMBO_TAG_TFOOT, GUMBO_TAG_THEAD})) {
    const bool section_end = end_in(token, {GUMBO_TAG_TBODY, GUMBO_TAG_TFOOT, GUMBO_TAG_THEAD});
    if (section_end && !in_scope(token.tag, Scope::Table)) return;
    if (!in_scope(GUMBO_TAG_TR, Scope::Table)) return;
    clear_stack_to(&table_row_context);
    stack_pop();
    m_flags.mode = Mode::InTableBody;
    if (!end_tag(token, GUMBO_TAG_TR)) m_reprocess = true;
    return;
  }
  if (end_in(token, {GUMBO_TAG_BODY, GUMBO_TAG_CAPTION, GUMBO_TAG_COL, GUMBO_TAG_COLGROUP,
                     GUMBO_TAG_HTML, GUMBO_TAG_TD, GUMBO_TAG_TH})) {
    return;
  }
  in_table(token);
}

void HtmlTreeModel::in_cell(const Token& token) {
  if (end_in(token, {GUMBO_TAG_TD, GUMBO_TAG_TH})) {
    if (!in_scope(token.tag, Scope::Table)) return;
    generate_implied_end_tags();
    close_elements_until(token.tag);
    clear_formatting_to_marker();
    m_flags.mode = Mode::InRow;
    return;
  }
  if (start_in(token,
               {GUMBO_TAG_CAPTION, GUMBO_TAG_COL, GUMBO_TAG_COLGROUP, GUMBO_TAG_TBODY, GUMBO_TAG_TD,
                GUMBO_TAG_TFOOT, GUMBO_TAG_TH, GUMBO_TAG_THEAD, GUMBO_TAG_TR})) {
    if (!in_scope(GUMBO_TAG_TH, Scope::Table) && !in_scope(GUMBO_TAG_TD, Scope::Table)) return;
    close_cell();
    m_reprocess = true;
    return;
  }
  if (end_in(token, {GUMBO_TAG_BODY, GUMBO_TAG_CAPTION, GUMBO_TAG_COL, GUMBO_TAG_COLGROUP,
                     GUMBO_TAG_HTML})) {
    return;
  }
  if (end_in(token,
             {GUMBO_TAG_TABLE, GUMBO_TAG_TBODY, GUMBO_TAG_TFOOT, GUMBO_TAG_THEAD, GUMBO_TAG_TR})) {
    if (!in_scope(token.tag, Scope::Table)) return;
    close_cell();
    m_reprocess = true;
    return;
  }
  in_body(token);
}

// ---------------------------------------------------------------------------
// Drop-down lists and templates

void HtmlTreeModel::in_select(const Token& token) {
  if (is_text(token) || token.kind == TokenKind::Comment || token.kind == TokenKind::Doctype) {
    return;
  }
  if (start_tag(token, GUMBO_TAG_HTML)) return in_body(token);
  if (start_tag(token, GUMBO_TAG_OPTION)) {
    if (current_is(GUMBO_TAG_OPTION)) stack_pop();
    insert(token);
    return;
  }
  if (start_tag(token, GUMBO_TAG_OPTGROUP)) {
    if (current_is(GUMBO_TAG_OPTION)) stack_pop();
    if (current_is(GUMBO_TAG_OPTGROUP)) stack_pop();
    insert(token);
    return;
  }
  if (end_tag(token, GUMBO_TAG_OPTGROUP)) {
    if (current_is(GUMBO_TAG_OPTION) && m_stack.size() >= 2 &&
        html_in(at(m_stack[m_stack.size() - 2]), {GUMBO_TAG_OPTGROUP})) {
      stack_pop();
    }
    if (current_is(GUMBO_TAG_OPTGROUP)) stack_pop();
    return;
  }
  if (end_tag(token, GUMBO_TAG_OPTION)) {
    if (current_is(GUMBO_TAG_OPTION)) stack_pop();
    return;
  }
  if (end_tag(token, GUMBO_TAG_SELECT) || start_tag(token, GUMBO_TAG_SELECT)) {
    if (in_scope(GUMBO_TAG_SELECT, Scope::Select)) close_select();
    return;
  }
  if (start_in(token, {GUMBO_TAG_INPUT, GUMBO_TAG_KEYGEN, GUMBO_TAG_TEXTAREA})) {
    if (!in_scope(GUMBO_TAG_SELECT, Scope::Select)) return;
    close_select();
    m_reprocess = true;
    return;
  }
  if (start_in(token, {GUMBO_TAG_SCRIPT, GUMBO_TAG_TEMPLATE}) ||
      end_tag(token, GUMBO_TAG_TEMPLATE)) {
    return in_head(token);
  }
}

void HtmlTreeModel::in_select_in_table(const Token& token) {
  static constexpr std::initializer_list<GumboTag> kTableTags = {
      GUMBO_TAG_CAPTION, GUMBO_TAG_TABLE, GUMBO_TAG_TBODY, GUMBO_TAG_TFOOT,
      GUMBO_TAG_THEAD,   GUMBO_TAG_TR,    GUMBO_TAG_TD,    GUMBO_TAG_TH};
  if (start_in(token, kTableTags)) {
    close_select();
    m_reprocess = true;
    return;
  }
  if (end_in(token, kTableTags)) {
    if (!in_scope(token.tag, Scope::Table)) return;
    close_select();
    m_reprocess = true;
    return;
  }
  in_select(token);
}

void HtmlTreeModel::in_template(const Token& token) {
  if (is_text(token) || token.kind == TokenKind::Comment || token.kind == TokenKind::Doctype) {
    return in_body(token);
  }
  if ((token.kind == TokenKind::StartTag && is(token.tag, kHeadRules) &&
       token.tag != GUMBO_TAG_MENUITEM) ||
      end_tag(token, GUMBO_TAG_TEMPLATE)) {
    return in_head(token);
  }
  if (token.kind == TokenKind::EndTag) return;
  Mode next = Mode::InBody;
  if (one_of(token.tag, {GUMBO_TAG_CAPTION, GUMBO_TAG_COLGROUP, GUMBO_TAG_TBODY, GUMBO_TAG_TFOOT,
                         GUMBO_TAG_THEAD})) {
    next = Mode::InTable;
  } else if (token.tag == GUMBO_TAG_COL) {
    next = Mode::InColumnGroup;
  } else if (token.tag == GUMBO_TAG_TR) {
    next = Mode::InTableBody;
  } else if (token.tag == GUMBO_TAG_TD || token.tag == GUMBO_TAG_TH) {
    next = Mode::InRow;
  }
  if (!m_template_modes.empty()) template_pop();
  template_push(next);
  m_flags.mode = next;
  m_reprocess = true;
}

// ---------------------------------------------------------------------------
// After the body, framesets

void HtmlTreeModel::after_body(const Token& token) {
  if (token.kind == TokenKind::Whitespace || start_tag(token, GUMBO_TAG_HTML)) {
    return in_body(token);
  }
  if (token.kind == TokenKind::Comment || token.kind == TokenKind::Doctype) return;
  if (end_tag(token, GUMBO_TAG_HTML)) {
    if (m_context == GUMBO_TAG_LAST) m_flags.mode = Mode::AfterAfterBody;
    return;
  }
  m_flags.mode = Mode::InBody;
  m_reprocess = true;
}

void HtmlTreeModel::in_frameset(const Token& token) {
  if (start_tag(token, GUMBO_TAG_HTML)) return in_body(token);
  if (start_tag(token, GUMBO_TAG_FRAMESET)) {
    insert(token);
    return;
  }
  if (end_tag(token, GUMBO_TAG_FRAMESET)) {
    if (current_is(GUMBO_TAG_HTML)) return;
    stack_pop();
    if (m_context == GUMBO_TAG_LAST && !current_is(GUMBO_TAG_FRAMESET)) {
      m_flags.mode = Mode::AfterFrameset;
    }
    return;
  }
  if (start_tag(token, GUMBO_TAG_FRAME)) return insert_void(token);
  if (start_tag(token, GUMBO_TAG_NOFRAMES)) return in_head(token);
}

void HtmlTreeModel::after_frameset(const Token& token) {
  if (start_tag(token, GUMBO_TAG_HTML)) return in_body(token);
  if (end_tag(token, GUMBO_TAG_HTML)) {
    m_flags.mode = Mode::AfterAfterFrameset;
    return;
  }
  if (start_tag(token, GUMBO_TAG_NOFRAMES)) return in_head(token);
}

void HtmlTreeModel::after_after_body(const Token& token) {
  if (token.kind == TokenKind::Comment) return;
  if (token.kind == TokenKind::Doctype || token.kind == TokenKind::Whitespace ||
      start_tag(token, GUMBO_TAG_HTML)) {
    return in_body(token);
  }
  m_flags.mode = Mode::InBody;
  m_reprocess = true;
}

void HtmlTreeModel::after_after_frameset(const Token& token) {
  if (token.kind == TokenKind::Comment) return;
  if (token.kind == TokenKind::Doctype || token.kind == TokenKind::Whitespace ||
      start_tag(token, GUMBO_TAG_HTML)) {
    return in_body(token);
  }
  if (start_tag(token, GUMBO_TAG_NOFRAMES)) return in_head(token);
}

// ---------------------------------------------------------------------------
// Foreign content

void HtmlTreeModel::in_foreign_content(const Token& token) {
  switch (token.kind) {
    case TokenKind::Characters:
    case TokenKind::Null:
      m_flags.frameset_ok = false;
      return;
    case TokenKind::Whitespace:
    case TokenKind::Comment:
    case TokenKind::Doctype:
      return;
    case TokenKind::StartTag:
      break;
    case TokenKind::EndTag: {
      // The nearest open foreign element of the same name closes; an HTML
      // element on the way hands the tag to the insertion mode's rules.
      for (size_t i = m_stack.size(); i-- > 1;) {
        const uint32_t element = m_stack[i];
        if (i + 1 < m_stack.size() && at(element).ns == GUMBO_NAMESPACE_HTML) break;
        if (same_name(at(element).name, token.name)) {
          while (stack_pop() != element) {
          }
          return;
        }
      }
      return handle_mode(m_flags.mode, token);
    }
  }
  // HTML tags leave foreign content, except in a fragment, where the parser
  // keeps them foreign.
  const bool breakout =
      is(token.tag, kBreakout) || (token.tag == GUMBO_TAG_FONT && token.font_with_presentation);
  if (breakout && m_context == GUMBO_TAG_LAST) {
    while (m_stack.size() > 1) {
      stack_pop();
      const Element& node = current();
      const bool html_point =
          (node.ns == GUMBO_NAMESPACE_SVG &&
           one_of(node.tag, {GUMBO_TAG_FOREIGNOBJECT, GUMBO_TAG_DESC, GUMBO_TAG_TITLE})) ||
          (node.ns == GUMBO_NAMESPACE_MATHML && node.tag == GUMBO_TAG_ANNOTATION_XML &&
           node.html_encoding);
      if (node.ns == GUMBO_NAMESPACE_HTML || mathml_text_point(node.tag, node.ns) || html_point) {
        break;
      }
    }
    m_reprocess = true;
    return;
  }
  insert(token, current().ns);
  if (token.self_closing) stack_pop();
}

}  // namespace prevod

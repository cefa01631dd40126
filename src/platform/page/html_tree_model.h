#pragma once

// A shadow of the HTML parser's tree construction: it follows the tokens the
// parser will see and keeps what decides the shape of the tree (the stack of
// open elements, the list of active formatting elements, the insertion mode,
// the form pointer, the template modes) without building the tree itself.
// HtmlPrepass consults it to know, before the parser does, how deep the
// parser's tree is about to grow, and feeds it exactly the tokens it writes
// out, so that the two stay in step.
//
// It follows the parser the engine uses (gumbo 0.10), quirks included: all
// tags the parser does not know compare equal to each other, as they do
// there. Tokens are processed whole; a change can be tried and taken back
// (try_token/undo) so that the prepass can see how far a token would deepen
// the tree before letting it through.

#include <gumbo.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace prevod {

class HtmlTreeModel {
 public:
  // Null: a run of text of NUL characters only, which most modes drop.
  enum class TokenKind { StartTag, EndTag, Whitespace, Characters, Null, Comment, Doctype };

  // What the tokenizer reads after the last start tag.
  enum class TextState { Data, Rcdata, Rawtext, ScriptData, Plaintext };

  struct Token {
    TokenKind kind = TokenKind::Characters;
    GumboTag tag = GUMBO_TAG_UNKNOWN;
    // The tag name as written (any case); foreign elements match end tags by it.
    std::string_view name;
    bool self_closing = false;
    // Formatting elements: 0 without attributes, otherwise a number that is
    // the same for the same attributes and values.
    uint32_t signature = 0;
    // An input of type hidden.
    bool hidden_input = false;
    // A font with a color, face or size attribute (it leaves foreign content).
    bool font_with_presentation = false;
    // An annotation-xml whose encoding makes it hold HTML.
    bool html_encoding = false;
    // A doctype's quirks mode, as the parser works it out.
    GumboQuirksModeEnum quirks = GUMBO_DOCTYPE_NO_QUIRKS;
  };

  // A whole document, or a fragment parsed with `context` as its parent.
  explicit HtmlTreeModel(GumboTag context = GUMBO_TAG_LAST);

  // False when the parser would fail on the token: it stops the program on
  // a few misnestings of foreign elements named like table parts. Such a
  // token must not reach the parser, and what it changed here must be
  // undone (it can only happen while risky(), so try such tokens).
  bool process(const Token& token);

  // Trying a token: begin_try() marks the state, process() the token, then
  // peak_depth() tells how deep the tree grew on the way (counting open
  // elements, and the depth of every element placed) and undo() returns to
  // the mark (commit() keeps the change).
  void begin_try();
  size_t peak_depth() const { return m_peak; }
  void undo();
  void commit();

  // How deep the tree is where the next element would go: the open
  // elements (the html element included), or the depth of the current node
  // when that is more (a form taken off the stack leaves its content a level
  // deeper than the stack shows).
  size_t depth() const {
    return m_stack.empty() ? 0 : std::max<size_t>(m_stack.size(), current().depth);
  }
  // Whether a foreign element named like a table part, a drop-down list or
  // a template is open: a token may then set the parser on the path to
  // failing, which only a try can tell.
  bool risky() const { return m_risky_open > 0; }
  // Formatting elements the next text or inline tag will open again.
  size_t pending_formatting() const;
  // The name of the current node and of the last formatting element waiting
  // to be opened again (its end tag drops it from the list).
  std::string_view current_name() const;
  std::string_view last_pending_name() const;
  bool current_is_foreign() const;
  TextState text_state() const { return m_flags.text_state; }

 private:
  enum class Mode {
    Initial,
    BeforeHtml,
    BeforeHead,
    InHead,
    AfterHead,
    InBody,
    Text,
    InTable,
    InTableText,
    InCaption,
    InColumnGroup,
    InTableBody,
    InRow,
    InCell,
    InSelect,
    InSelectInTable,
    InTemplate,
    AfterBody,
    InFrameset,
    AfterFrameset,
    AfterAfterBody,
    AfterAfterFrameset,
  };

  static constexpr uint32_t kMarker = UINT32_MAX;
  // A peak depth no cap admits.
  static constexpr size_t kDeepened = SIZE_MAX;
  static constexpr uint32_t kNone = UINT32_MAX;

  struct Element {
    GumboTag tag;
    GumboNamespaceEnum ns;
    std::string_view name;
    uint32_t signature;
    bool html_encoding;
    // Its depth in the tree, html at 1, or more: an element placed before a
    // table, or moved up by misnested formatting, stands shallower.
    uint32_t depth;
    uint32_t on_stack = 0;  // how many times it stands on the stack
  };

  // The scalar part of the state, kept whole for undo.
  struct Flags {
    Mode mode = Mode::Initial;
    Mode original_mode = Mode::Initial;
    uint32_t form = kNone;
    uint32_t head = kNone;
    bool frameset_ok = true;
    bool quirks = false;
    bool pending_table_text = false;    // in table text: characters seen
    bool table_text_has_chars = false;  // ... and some are not whitespace
    TextState text_state = TextState::Data;
  };

  enum class Op : uint8_t {
    StackPush,
    StackPop,
    StackInsert,
    StackErase,
    StackSet,
    ListPush,
    ListPop,
    ListInsert,
    ListErase,
    ListSet,
    TemplatePush,
    TemplatePop,
    Depth,
  };
  struct Change {
    Op op;
    uint32_t index;
    uint32_t value;  // the element (or mode) concerned, or the old one for Set
  };

  // The token handlers, one per insertion mode, and foreign content.
  void dispatch(const Token& token);
  bool in_html_content(const Token& token) const;
  void handle_mode(Mode mode, const Token& token);
  void initial(const Token& token);
  void before_html(const Token& token);
  void before_head(const Token& token);
  void in_head(const Token& token);
  void after_head(const Token& token);
  void in_body(const Token& token);
  void in_body_start_tag(const Token& token);
  void in_body_end_tag(const Token& token);
  void text(const Token& token);
  void in_table(const Token& token);
  void in_table_text(const Token& token);
  void in_caption(const Token& token);
  void in_column_group(const Token& token);
  void in_table_body(const Token& token);
  void in_row(const Token& token);
  void in_cell(const Token& token);
  void in_select(const Token& token);
  void in_select_in_table(const Token& token);
  void in_template(const Token& token);
  void after_body(const Token& token);
  void in_frameset(const Token& token);
  void after_frameset(const Token& token);
  void after_after_body(const Token& token);
  void after_after_frameset(const Token& token);
  void in_foreign_content(const Token& token);

  // The parser's building blocks.
  uint32_t create(GumboTag tag, GumboNamespaceEnum ns, std::string_view name,
                  uint32_t signature = 0, bool html_encoding = false);
  uint32_t clone(uint32_t element, uint32_t depth);
  uint32_t child_depth() const;
  uint32_t insert(const Token& token, GumboNamespaceEnum ns = GUMBO_NAMESPACE_HTML);
  uint32_t insert_implied(GumboTag tag);
  void insert_void(const Token& token);
  void raw_text_element(const Token& token, TextState state);
  void reconstruct_formatting();
  void add_formatting(uint32_t element);
  void clear_formatting_to_marker();
  void adoption_agency(GumboTag subject);
  void relocate(uint32_t common, const std::vector<uint32_t>& chain, uint32_t furthest,
                uint32_t fresh);
  void any_other_end_tag(const Token& token);
  void generate_implied_end_tags(GumboTag except = GUMBO_TAG_LAST);
  void close_elements_until(GumboTag tag);
  void close_p_in_button_scope();
  void close_list_item(bool li);
  bool close_table();
  void close_cell();
  void close_select();
  void clear_stack_to(bool (*stop)(const Element&));
  void reset_insertion_mode();
  void end_template();
  void stop_parsing_table_text();

  enum class Scope { Default, ListItem, Button, Table, Select };
  bool in_scope(GumboTag tag, Scope scope = Scope::Default) const;
  bool element_in_scope(uint32_t element) const;
  bool has_template() const;
  bool has_on_stack(GumboTag tag) const;

  const Element& at(uint32_t element) const { return m_elements[element]; }
  bool risky(uint32_t element) const;
  void count_open(uint32_t element, int change);
  const Element& current() const { return at(m_stack.back()); }
  bool current_is(GumboTag tag) const;
  uint32_t stack_index_of(uint32_t element) const;
  uint32_t list_index_of(uint32_t element) const;

  // Primitive changes, logged while trying.
  void stack_push(uint32_t element);
  uint32_t stack_pop();
  void stack_insert(uint32_t index, uint32_t element);
  void stack_erase(uint32_t index);
  void stack_set(uint32_t index, uint32_t element);
  void list_push(uint32_t entry);
  uint32_t list_pop();
  void list_insert(uint32_t index, uint32_t entry);
  void list_erase(uint32_t index);
  void list_set(uint32_t index, uint32_t entry);
  void template_push(Mode mode);
  void template_pop();
  void set_depth(uint32_t element, uint32_t depth);
  void log(Op op, uint32_t index, uint32_t value);

  GumboTag m_context;
  std::vector<Element> m_elements;
  std::vector<uint32_t> m_stack;
  std::vector<uint32_t> m_formatting;
  std::vector<Mode> m_template_modes;
  Flags m_flags;
  bool m_reprocess = false;
  bool m_unsafe = false;
  size_t m_risky_open = 0;
  // How many HTML elements of each tag are open: most scope questions ask
  // after a tag that is not open at all.
  std::vector<uint32_t> m_open_html;

  bool m_trying = false;
  size_t m_peak = 0;
  Flags m_saved_flags;
  size_t m_saved_elements = 0;
  std::vector<Change> m_changes;
};

}  // namespace prevod

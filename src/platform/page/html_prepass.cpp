#include "platform/page/html_prepass.h"

#include <algorithm>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/page/html_tree_model.h"

namespace prevod {

namespace {

using Kind = HtmlTreeModel::TokenKind;
using Token = HtmlTreeModel::Token;
using TextState = HtmlTreeModel::TextState;

constexpr std::string_view kNoscript = "noscript";

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool is_alpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowered(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = lower(c);
  return result;
}

bool iequals_at(std::string_view text, size_t at, std::string_view word) {
  if (at > text.size() || text.size() - at < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (lower(text[at + i]) != word[i]) return false;
  }
  return true;
}

GumboTag tag_of(std::string_view lower_name) {
  return gumbo_tagn_enum(lower_name.data(), static_cast<unsigned>(lower_name.size()));
}

// Whether a character reference at `at` (just past the "&") stands for a
// blank: the numeric ones for tab, line feed, form feed, carriage return and
// space, and the named "&Tab;" and "&NewLine;". `end` is set past it.
bool blank_reference(std::string_view text, size_t at, size_t& end) {
  for (std::string_view name : {"Tab;", "NewLine;"}) {
    if (text.substr(at, name.size()) == name) {
      end = at + name.size();
      return true;
    }
  }
  if (at >= text.size() || text[at] != '#') return false;
  size_t i = at + 1;
  const bool hex = i < text.size() && (text[i] == 'x' || text[i] == 'X');
  if (hex) ++i;
  uint32_t value = 0;
  size_t digits = 0;
  for (; i < text.size(); ++i, ++digits) {
    const char c = text[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (hex && lower(c) >= 'a' && lower(c) <= 'f') digit = lower(c) - 'a' + 10;
    if (digit < 0) break;
    value = std::min<uint32_t>(value * (hex ? 16 : 10) + static_cast<uint32_t>(digit), 0x110000);
  }
  if (digits == 0) return false;
  if (i < text.size() && text[i] == ';') ++i;
  end = i;
  return value == 9 || value == 10 || value == 12 || value == 13 || value == 32;
}

// How a run of text reads to the tree builder; nothing for an empty run.
std::optional<Kind> text_kind(std::string_view text) {
  bool blank = false;
  bool nul = false;
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (is_space(c)) {
      blank = true;
      ++i;
    } else if (c == '\0') {
      nul = true;
      ++i;
    } else if (c == '&') {
      size_t end = i + 1;
      if (!blank_reference(text, i + 1, end)) return Kind::Characters;
      blank = true;
      i = end;
    } else {
      return Kind::Characters;
    }
  }
  if (blank) return Kind::Whitespace;
  if (nul) return Kind::Null;
  return std::nullopt;
}

struct Attribute {
  std::string_view raw;  // as written, name to end of value
  std::string name;      // lower case
  std::string_view value;
};

struct StartTag {
  size_t begin = 0;  // the "<"
  size_t end = 0;    // past the ">"
  std::string_view name;
  std::string lower_name;
  std::vector<Attribute> attributes;
  bool self_closing = false;
  bool dropped_attributes = false;
};

class Scanner {
 public:
  Scanner(std::string_view html, GumboTag context, size_t max_depth)
      : m_in(html), m_model(context), m_max_depth(max_depth) {
    m_out.reserve(html.size() + html.size() / 8 + 64);
    m_document = context == GUMBO_TAG_LAST;
  }

  std::string run() {
    while (m_pos < m_in.size()) {
      switch (m_model.text_state()) {
        case TextState::Data:
          scan_data();
          break;
        case TextState::Rcdata:
        case TextState::Rawtext:
          raw_text(raw_text_end(m_pos, m_raw_name));
          break;
        case TextState::ScriptData:
          raw_text(script_end(m_pos));
          break;
        case TextState::Plaintext:
          raw_text(m_in.size());
          break;
      }
    }
    return std::move(m_out);
  }

 private:
  char at(size_t i) const { return i < m_in.size() ? m_in[i] : '\0'; }

  void copy_to(size_t end) {
    m_out.append(m_in.substr(m_pos, end - m_pos));
    m_pos = end;
  }

  // ---- Text and markup in the data state

  void scan_data() {
    size_t text_end = m_pos;
    for (;;) {
      text_end = m_in.find('<', text_end);
      if (text_end == std::string_view::npos) {
        text_end = m_in.size();
        break;
      }
      if (opens_markup(text_end)) break;
      ++text_end;
    }
    if (text_end > m_pos) text(text_end);
    if (m_pos < m_in.size()) markup();
  }

  // Whether the "<" at `lt` starts a tag, comment or declaration rather
  // than standing for itself.
  bool opens_markup(size_t lt) const {
    const char next = at(lt + 1);
    if (lt + 1 >= m_in.size()) return false;
    if (next == '!' || next == '?' || is_alpha(next)) return true;
    if (next == '/') return lt + 2 < m_in.size();
    return false;
  }

  // Tells the model of a run of text (an empty one is no token).
  void admit_text(std::string_view text) {
    const std::optional<Kind> kind = text_kind(text);
    if (!kind) return;
    Token token;
    token.kind = *kind;
    admit(token);
  }

  // A "<" in text is written as "&lt;": with a tag after it left out it
  // would otherwise start a tag of its own.
  void text(size_t end) {
    const std::string_view run = m_in.substr(m_pos, end - m_pos);
    admit_text(run);
    for (size_t lt; (lt = m_in.find('<', m_pos)) < end;) {
      copy_to(lt);
      m_out += "&lt;";
      m_pos = lt + 1;
    }
    copy_to(end);
  }

  // Raw text is text whatever it holds: nothing can be written into it, so
  // what it does to the tree was settled when its element was let in.
  void raw_text(size_t end) {
    const std::optional<Kind> kind = text_kind(m_in.substr(m_pos, end - m_pos));
    if (kind) {
      Token token;
      token.kind = *kind;
      m_model.process(token);
    }
    copy_to(end);
    if (m_pos < m_in.size()) end_tag();
  }

  // m_pos is at a "<" that opens markup.
  void markup() {
    const size_t lt = m_pos;
    if (m_in.substr(lt, 4) == "<!--") return comment(comment_end(lt + 4));
    if (at(lt + 1) == '!' && iequals_at(m_in, lt + 2, "doctype")) return doctype();
    if (at(lt + 1) == '!' && m_in.substr(lt + 2, 7) == "[CDATA[" && m_model.current_is_foreign()) {
      return cdata();
    }
    if (at(lt + 1) == '!' || at(lt + 1) == '?') return comment(bogus_comment_end(lt + 2));
    if (at(lt + 1) == '/') {
      if (is_alpha(at(lt + 2))) return end_tag();
      if (at(lt + 2) == '>') {
        m_pos = lt + 3;  // "</>" is nothing at all
        return;
      }
      return comment(bogus_comment_end(lt + 2));
    }
    start_tag();
  }

  // A CDATA section (in foreign content) is handed over as the text it
  // holds: the parser fails on a section inside an HTML element of SVG or
  // MathML in a table, and the text is the same either way.
  void cdata() {
    const size_t begin = m_pos + 9;
    const size_t close = m_in.find("]]>", begin);
    const size_t content_end = close == std::string_view::npos ? m_in.size() : close;
    const std::string_view content = m_in.substr(begin, content_end - begin);
    admit_text(content);
    write_escaped(content);
    m_pos = close == std::string_view::npos ? m_in.size() : close + 3;
  }

  void write_escaped(std::string_view text) {
    for (char c : text) {
      if (c == '&') {
        m_out += "&amp;";
      } else if (c == '<') {
        m_out += "&lt;";
      } else {
        m_out += c;
      }
    }
  }

  size_t comment_end(size_t from) const {
    if (at(from) == '>') return from + 1;
    if (at(from) == '-' && at(from + 1) == '>') return from + 2;
    for (size_t i = from; i < m_in.size(); ++i) {
      if (m_in[i] != '-' || at(i + 1) != '-') continue;
      if (at(i + 2) == '>') return i + 3;
      if (at(i + 2) == '!' && at(i + 3) == '>') return i + 4;
    }
    return m_in.size();
  }

  size_t bogus_comment_end(size_t from) const {
    const size_t gt = m_in.find('>', from);
    return gt == std::string_view::npos ? m_in.size() : gt + 1;
  }

  void comment(size_t end) {
    Token token;
    token.kind = Kind::Comment;
    m_model.process(token);
    copy_to(end);
  }

  void doctype() {
    const size_t end = bogus_comment_end(m_pos);
    Token token;
    token.kind = Kind::Doctype;
    if (m_document) token.quirks = quirks_of(m_in.substr(m_pos, end - m_pos));
    m_model.process(token);
    copy_to(end);
  }

  // The parser's own verdict on a doctype.
  static GumboQuirksModeEnum quirks_of(std::string_view doctype) {
    GumboOptions options = kGumboDefaultOptions;
    options.max_errors = 0;
    GumboOutput* output = gumbo_parse_with_options(&options, doctype.data(), doctype.size());
    const GumboQuirksModeEnum quirks = output->document->v.document.doc_type_quirks_mode;
    gumbo_destroy_output(&options, output);
    return quirks;
  }

  // ---- Tags

  size_t name_end(size_t from) const {
    size_t i = from;
    while (i < m_in.size() && !is_space(m_in[i]) && m_in[i] != '/' && m_in[i] != '>') ++i;
    return i;
  }

  // Reads the attributes of a tag from `from`; false when the input ends
  // inside the tag (the parser then drops it).
  bool read_tag(size_t from, StartTag& tag) const {
    size_t i = from;
    while (i < m_in.size()) {
      const char c = m_in[i];
      if (c == '>') {
        tag.end = i + 1;
        return true;
      }
      if (c == '/') {
        tag.self_closing = at(i + 1) == '>';
        ++i;
        continue;
      }
      tag.self_closing = false;
      if (is_space(c)) {
        ++i;
        continue;
      }
      // An attribute name (its first character may be anything), then an
      // optional value.
      const size_t name_begin = i++;
      while (i < m_in.size() && !is_space(m_in[i]) && m_in[i] != '/' && m_in[i] != '>' &&
             m_in[i] != '=') {
        ++i;
      }
      Attribute attribute;
      attribute.name = lowered(m_in.substr(name_begin, i - name_begin));
      size_t value_end = i;
      size_t j = i;
      while (j < m_in.size() && is_space(m_in[j])) ++j;
      if (at(j) == '=') {
        ++j;
        while (j < m_in.size() && is_space(m_in[j])) ++j;
        if (j >= m_in.size()) return false;
        if (m_in[j] == '"' || m_in[j] == '\'') {
          const size_t close = m_in.find(m_in[j], j + 1);
          if (close == std::string_view::npos) return false;
          attribute.value = m_in.substr(j + 1, close - j - 1);
          value_end = close + 1;
        } else {
          size_t k = j;
          while (k < m_in.size() && !is_space(m_in[k]) && m_in[k] != '>') ++k;
          attribute.value = m_in.substr(j, k - j);
          value_end = k;
        }
        i = value_end;
      }
      attribute.raw = m_in.substr(name_begin, value_end - name_begin);
      tag.attributes.push_back(std::move(attribute));
    }
    return false;
  }

  // Keeps the first of each name and at most kMaxAttributes of them.
  static void limit_attributes(StartTag& tag) {
    if (tag.attributes.size() <= 1) return;
    std::unordered_set<std::string> seen;
    std::vector<Attribute> kept;
    for (Attribute& attribute : tag.attributes) {
      if (!seen.insert(attribute.name).second || kept.size() == HtmlPrepass::kMaxAttributes) {
        tag.dropped_attributes = true;
        continue;
      }
      kept.push_back(std::move(attribute));
    }
    if (tag.dropped_attributes) tag.attributes = std::move(kept);
  }

  static bool has_attribute(const StartTag& tag, std::string_view name) {
    return std::any_of(tag.attributes.begin(), tag.attributes.end(),
                       [&](const Attribute& attribute) { return attribute.name == name; });
  }

  static bool attribute_is(const StartTag& tag, std::string_view name, std::string_view value) {
    for (const Attribute& attribute : tag.attributes) {
      if (attribute.name != name) continue;
      return lowered(attribute.value) == value;
    }
    return false;
  }

  // The number of a formatting element's set of attributes: equal sets,
  // in any order, get the same number.
  uint32_t signature(const StartTag& tag) {
    if (tag.attributes.empty()) return 0;
    std::vector<std::pair<std::string_view, std::string_view>> pairs;
    for (const Attribute& attribute : tag.attributes) {
      pairs.emplace_back(attribute.name, attribute.value);
    }
    std::sort(pairs.begin(), pairs.end());
    std::string key;
    for (const auto& [name, value] : pairs) {
      key.append(name);
      key += '\0';
      key.append(value);
      key += '\0';
    }
    auto [it, added] =
        m_signatures.try_emplace(std::move(key), static_cast<uint32_t>(m_signatures.size() + 1));
    return it->second;
  }

  void start_tag() {
    StartTag tag;
    tag.begin = m_pos;
    const size_t name_stop = name_end(m_pos + 1);
    tag.name = m_in.substr(m_pos + 1, name_stop - m_pos - 1);
    tag.lower_name = lowered(tag.name);
    if (!read_tag(name_stop, tag)) {
      copy_to(m_in.size());
      return;
    }
    if (++m_start_tags > HtmlPrepass::kMaxElements) {
      m_pos = tag.end;  // past the bound: the element is left out, its content stays
      return;
    }
    limit_attributes(tag);
    if (tag.lower_name == kNoscript) return noscript(tag);

    Token token;
    token.kind = Kind::StartTag;
    token.tag = tag_of(tag.lower_name);
    token.name = tag.name;
    token.self_closing = tag.self_closing;
    token.hidden_input = token.tag == GUMBO_TAG_INPUT && attribute_is(tag, "type", "hidden");
    token.font_with_presentation =
        token.tag == GUMBO_TAG_FONT &&
        (has_attribute(tag, "color") || has_attribute(tag, "face") || has_attribute(tag, "size"));
    token.html_encoding = token.tag == GUMBO_TAG_ANNOTATION_XML &&
                          (attribute_is(tag, "encoding", "text/html") ||
                           attribute_is(tag, "encoding", "application/xhtml+xml"));
    const bool formatting = is_formatting(token.tag);
    if (formatting) token.signature = signature(tag);

    if (!admit(token)) {
      m_pos = tag.end;  // too deep, and nothing can be closed: the element is left out
      return;
    }
    if (formatting && token.signature != 0) {
      write_tag(tag, std::string(HtmlPrepass::kFormattingMarker) + "=\"" +
                         std::to_string(token.signature) + "\"");
    } else if (tag.dropped_attributes) {
      write_tag(tag, {});
    } else {
      copy_to(tag.end);
    }
    m_pos = tag.end;
    m_raw_name = tag.lower_name;
  }

  static bool is_formatting(GumboTag tag) {
    switch (tag) {
      case GUMBO_TAG_A:
      case GUMBO_TAG_B:
      case GUMBO_TAG_BIG:
      case GUMBO_TAG_CODE:
      case GUMBO_TAG_EM:
      case GUMBO_TAG_FONT:
      case GUMBO_TAG_I:
      case GUMBO_TAG_NOBR:
      case GUMBO_TAG_S:
      case GUMBO_TAG_SMALL:
      case GUMBO_TAG_STRIKE:
      case GUMBO_TAG_STRONG:
      case GUMBO_TAG_TT:
      case GUMBO_TAG_U:
        return true;
      default:
        return false;
    }
  }

  // Writes a start tag anew: `first` (an attribute) ahead of the kept ones.
  void write_tag(const StartTag& tag, const std::string& first, std::string_view name = {}) {
    m_out += '<';
    m_out.append(name.empty() ? tag.name : name);
    if (!first.empty()) {
      m_out += ' ';
      m_out += first;
    }
    for (const Attribute& attribute : tag.attributes) {
      m_out += ' ';
      m_out.append(attribute.raw);
    }
    if (tag.self_closing) m_out += '/';
    m_out += '>';
  }

  // A NOSCRIPT becomes a marked TITLE holding its content as text.
  void noscript(const StartTag& tag) {
    const size_t content_end = raw_text_end(tag.end, kNoscript);
    size_t after = content_end;
    if (content_end < m_in.size()) {
      StartTag closing;
      after = read_tag(content_end + 2 + kNoscript.size(), closing) ? closing.end : m_in.size();
    }
    Token token;
    token.kind = Kind::StartTag;
    token.tag = GUMBO_TAG_TITLE;
    token.name = "title";
    const bool admitted = admit(token);
    if (admitted) write_tag(tag, std::string(HtmlPrepass::kNoscriptMarker), "title");
    const std::string_view content = m_in.substr(tag.end, content_end - tag.end);
    admit_text(content);
    write_escaped(content);
    if (admitted) {
      m_out += "</title>";
      Token closing;
      closing.kind = Kind::EndTag;
      closing.tag = GUMBO_TAG_TITLE;
      closing.name = "title";
      m_model.process(closing);
    }
    m_pos = after;
  }

  void end_tag() {
    const size_t lt = m_pos;
    const size_t name_stop = name_end(lt + 2);
    StartTag tag;
    if (!read_tag(name_stop, tag)) {
      copy_to(m_in.size());
      return;
    }
    Token token;
    token.kind = Kind::EndTag;
    token.name = m_in.substr(lt + 2, name_stop - lt - 2);
    token.tag = tag_of(lowered(token.name));
    if (admit(token)) {
      copy_to(tag.end);
    } else {
      m_pos = tag.end;
    }
  }

  // Where the raw text of an element ends: at "</name" followed by a blank,
  // "/" or ">", or at the end of the input.
  size_t raw_text_end(size_t from, std::string_view name) const {
    if (name.empty()) return m_in.size();
    size_t i = from;
    while ((i = m_in.find("</", i)) != std::string_view::npos) {
      const size_t after = i + 2 + name.size();
      if (iequals_at(m_in, i + 2, name) && (after >= m_in.size() || is_space(m_in[after]) ||
                                            m_in[after] == '/' || m_in[after] == '>')) {
        return i;
      }
      i += 2;
    }
    return m_in.size();
  }

  bool script_tag_at(size_t at_name) const {
    if (!iequals_at(m_in, at_name, "script")) return false;
    const char next = at(at_name + 6);
    return at_name + 6 < m_in.size() && (is_space(next) || next == '/' || next == '>');
  }

  // Where a script ends, following the escapes "<!--" and "<script" that
  // let a script hold "</script>" as text.
  size_t script_end(size_t from) const {
    if (m_raw_name.empty()) return m_in.size();
    enum class State { Normal, Escaped, DoubleEscaped };
    State state = State::Normal;
    int dashes = 0;
    size_t i = from;
    while (i < m_in.size()) {
      const char c = m_in[i];
      if (state != State::Normal) {
        if (c == '-') {
          ++dashes;
          ++i;
          continue;
        }
        if (c == '>' && dashes >= 2) {
          state = State::Normal;
          dashes = 0;
          ++i;
          continue;
        }
        dashes = 0;
      }
      if (c == '<') {
        const bool closing = at(i + 1) == '/' && script_tag_at(i + 2);
        if (closing && state != State::DoubleEscaped) return i;
        if (closing) {
          state = State::Escaped;
          i += 8;
          continue;
        }
        if (state == State::Normal && m_in.substr(i, 4) == "<!--") {
          state = State::Escaped;
          dashes = 2;
          i += 4;
          continue;
        }
        if (state == State::Escaped && script_tag_at(i + 1)) {
          state = State::DoubleEscaped;
          i += 7;
          continue;
        }
      }
      ++i;
    }
    return m_in.size();
  }

  // ---- The depth cap

  // The most elements one token opens besides the formatting elements it
  // opens again: "<isindex>" at the start of a page opens html, body, form,
  // label and input.
  static constexpr size_t kMostImplied = 6;

  // Lets a token through when the tree it leads to stays within the cap,
  // first closing what must close to make room. False when the token is to
  // be left out.
  bool admit(const Token& token) {
    for (;;) {
      // Far from the cap: nothing a single token does can reach it.
      if (m_model.depth() + m_model.pending_formatting() + kMostImplied <= m_max_depth &&
          !m_model.risky() && !may_adopt(token)) {
        process(token);
        return true;
      }
      m_model.begin_try();
      if (!process(token)) {
        m_model.undo();
        return false;  // the parser cannot take it
      }
      if (m_model.peak_depth() <= m_max_depth) {
        m_model.commit();
        return true;
      }
      m_model.undo();
      if (make_room()) continue;
      if (token.kind == Kind::StartTag || token.kind == Kind::EndTag) return false;
      process(token);  // text cannot be left out
      return true;
    }
  }

  // Whether the token may make the parser move misnested formatting, which
  // can take content deeper than where it was placed.
  static bool may_adopt(const Token& token) {
    if (token.kind == Kind::EndTag) return is_formatting(token.tag);
    return token.kind == Kind::StartTag &&
           (token.tag == GUMBO_TAG_A || token.tag == GUMBO_TAG_NOBR);
  }

  // Tells the model of a token and of what it settles at once: text in a
  // table is placed (opening formatting elements again) only when the next
  // token comes, and everything after a PLAINTEXT is text.
  bool process(const Token& token) {
    if (!m_model.process(token)) return false;
    const bool text = token.kind == Kind::Characters || token.kind == Kind::Whitespace ||
                      token.kind == Kind::Null;
    Token next;
    next.kind = Kind::Comment;
    if (text) m_model.process(next);
    if (token.kind == Kind::StartTag && m_model.text_state() == TextState::Plaintext) {
      Token rest;
      rest.kind = Kind::Characters;
      m_model.process(rest);
      m_model.process(next);
    }
    return true;
  }

  // Closes the deepest open element, or drops the last formatting element
  // waiting to be opened again, by writing its end tag. False when neither
  // brings the tree any shallower.
  bool make_room() {
    // Progress: fewer open elements, or as many and fewer waiting (closing
    // a cell may leave more formatting elements waiting), so that the
    // attempts come to an end.
    const size_t depth = m_model.depth();
    const size_t pending = m_model.pending_formatting();
    auto progressed = [&] {
      return m_model.depth() < depth ||
             (m_model.depth() == depth && m_model.pending_formatting() < pending);
    };
    const bool deep = m_model.depth() + 3 >= m_max_depth;
    std::string_view choices[2] = {m_model.current_name(), m_model.last_pending_name()};
    if (!deep) std::swap(choices[0], choices[1]);
    for (std::string_view name : choices) {
      if (name.empty() || m_model.depth() <= 1) continue;
      Token token;
      token.kind = Kind::EndTag;
      token.name = name;
      token.tag = tag_of(lowered(name));
      m_model.begin_try();
      const bool safe = m_model.process(token);
      if (safe && progressed() && m_model.peak_depth() <= m_max_depth) {
        m_model.commit();
        m_out += "</";
        m_out.append(name);
        m_out += '>';
        return true;
      }
      m_model.undo();
    }
    return false;
  }

  std::string_view m_in;
  size_t m_pos = 0;
  // Start tags met so far, against HtmlPrepass::kMaxElements.
  size_t m_start_tags = 0;
  std::string m_out;
  HtmlTreeModel m_model;
  size_t m_max_depth;
  bool m_document = true;
  std::string m_raw_name;
  std::unordered_map<std::string, uint32_t> m_signatures;
};

}  // namespace

std::string HtmlPrepass::prepare(std::string_view html, GumboTag context, size_t max_depth) {
  return Scanner(html, context, std::max<size_t>(max_depth, 4)).run();
}

}  // namespace prevod

#include "platform/page/html_prepass.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace prevod {

namespace {

// How far from the top of the open elements the scanner looks for the
// element an end tag or an implied end closes. Ordinary pages close what
// they opened within a few levels; the bound keeps the scan linear.
constexpr size_t kSearchWindow = 64;

template <size_t N>
bool one_of(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

constexpr std::array<std::string_view, 17> kVoid{
    "area",  "base", "basefont", "bgsound", "br",   "col",  "embed", "frame", "hr",
    "image", "img",  "input",    "keygen",  "link", "meta", "param", "source"};
constexpr std::array<std::string_view, 2> kVoidMore{"track", "wbr"};

constexpr std::array<std::string_view, 8> kRawText{"script",  "style",    "xmp",      "iframe",
                                                   "noembed", "noframes", "textarea", "title"};

constexpr std::array<std::string_view, 38> kClosesParagraph{
    "address", "article", "aside",    "blockquote", "center", "details", "dialog",  "dir",
    "div",     "dl",      "fieldset", "figcaption", "figure", "footer",  "form",    "h1",
    "h2",      "h3",      "h4",       "h5",         "h6",     "header",  "hgroup",  "hr",
    "main",    "menu",    "nav",      "ol",         "p",      "pre",     "listing", "section",
    "summary", "table",   "ul",       "li",         "dd",     "dt"};

// Elements that bound the search for an element to close implicitly.
constexpr std::array<std::string_view, 13> kScopeBoundary{
    "applet", "caption",  "html",   "table", "td",   "th",    "marquee",
    "object", "template", "button", "svg",   "math", "select"};

bool is_void(std::string_view name) {
  return one_of(name, kVoid) || one_of(name, kVoidMore);
}

bool is_space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool is_alpha(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

bool iequals_at(std::string_view text, size_t at, std::string_view word) {
  if (at + word.size() > text.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) return false;
  }
  return true;
}

struct OpenElement {
  std::string name;
  bool closed;    // closed early at the depth limit; its end tag is dropped
  bool boundary;  // bounds the search for an implied end
};

// What stops the search for an open element.
enum class Stop { Nothing, Scope, Table, Row };

class Scanner {
 public:
  explicit Scanner(std::string_view html) : m_in(html) { m_out.reserve(html.size() + 64); }

  std::string run() {
    while (m_pos < m_in.size()) {
      size_t lt = m_in.find('<', m_pos);
      if (lt == std::string_view::npos) {
        copy_to(m_in.size());
        break;
      }
      copy_to(lt);
      scan_markup();
    }
    return std::move(m_out);
  }

 private:
  void copy_to(size_t end) {
    m_out.append(m_in.substr(m_pos, end - m_pos));
    m_pos = end;
  }

  char at(size_t i) const { return i < m_in.size() ? m_in[i] : '\0'; }

  // m_pos is at a "<".
  void scan_markup() {
    size_t lt = m_pos;
    if (m_in.substr(lt, 4) == "<!--") {
      copy_to(comment_end(lt + 4));
    } else if (at(lt + 1) == '!' || at(lt + 1) == '?') {
      size_t gt = m_in.find('>', lt);
      copy_to(gt == std::string_view::npos ? m_in.size() : gt + 1);
    } else if (at(lt + 1) == '/' && is_alpha(at(lt + 2))) {
      end_tag();
    } else if (is_alpha(at(lt + 1))) {
      start_tag();
    } else {
      copy_to(lt + 1);
    }
  }

  size_t comment_end(size_t from) const {
    if (at(from) == '>') return from + 1;
    if (at(from) == '-' && at(from + 1) == '>') return from + 2;
    size_t end = m_in.find("-->", from);
    return end == std::string_view::npos ? m_in.size() : end + 3;
  }

  size_t name_end(size_t from) const {
    size_t i = from;
    while (i < m_in.size() && !is_space(m_in[i]) && m_in[i] != '/' && m_in[i] != '>') ++i;
    return i;
  }

  // The position just past the ">" closing a tag whose attributes start at
  // `from`, or npos when the input ends inside the tag. `self_closing` tells
  // whether it ended with "/>".
  size_t tag_end(size_t from, bool& self_closing) const {
    size_t i = from;
    self_closing = false;
    while (i < m_in.size()) {
      char c = m_in[i];
      if (c == '>') return i + 1;
      if (c == '/') {
        self_closing = at(i + 1) == '>';
        ++i;
        continue;
      }
      if (is_space(c)) {
        ++i;
        continue;
      }
      // An attribute name, then an optional value.
      ++i;
      while (i < m_in.size() && !is_space(m_in[i]) && m_in[i] != '/' && m_in[i] != '>' &&
             m_in[i] != '=') {
        ++i;
      }
      while (i < m_in.size() && is_space(m_in[i])) ++i;
      if (at(i) != '=') continue;
      ++i;
      while (i < m_in.size() && is_space(m_in[i])) ++i;
      if (at(i) == '"' || at(i) == '\'') {
        size_t close = m_in.find(m_in[i], i + 1);
        if (close == std::string_view::npos) return std::string_view::npos;
        i = close + 1;
      } else {
        while (i < m_in.size() && !is_space(m_in[i]) && m_in[i] != '>') ++i;
      }
    }
    return std::string_view::npos;
  }

  // Where the raw text of an element ends: at "</name" followed by a blank,
  // "/" or ">", or at the end of the input.
  size_t raw_text_end(size_t from, std::string_view name) const {
    size_t i = from;
    while ((i = m_in.find("</", i)) != std::string_view::npos) {
      size_t after = i + 2 + name.size();
      if (iequals_at(m_in, i + 2, name) && (after >= m_in.size() || is_space(m_in[after]) ||
                                            m_in[after] == '/' || m_in[after] == '>')) {
        return i;
      }
      i += 2;
    }
    return m_in.size();
  }

  void start_tag() {
    size_t lt = m_pos;
    size_t name_stop = name_end(lt + 1);
    std::string name = lower(m_in.substr(lt + 1, name_stop - lt - 1));
    bool self_closing = false;
    size_t end = tag_end(name_stop, self_closing);
    if (end == std::string_view::npos) {
      // The input ends inside the tag; the parser drops such a tag.
      copy_to(m_in.size());
      return;
    }
    close_implied(name);
    if (name == "noscript") {
      noscript(name_stop, end);
      return;
    }
    if (one_of(name, kRawText)) {
      copy_to(end);
      copy_to(raw_text_end(end, name));
      return;
    }
    if (name == "plaintext") {
      copy_to(m_in.size());
      return;
    }
    if (is_void(name) || name == "html" || name == "head" || name == "body" ||
        (self_closing && m_foreign > 0)) {
      copy_to(end);
      return;
    }
    if (m_depth >= HtmlPrepass::kMaxDepth) close_deepest();
    copy_to(end);
    ++m_depth;
    if (name == "svg" || name == "math") ++m_foreign;
    bool boundary = one_of(name, kScopeBoundary);
    m_open.push_back(OpenElement{std::move(name), false, boundary});
  }

  // At the depth limit the deepest open element is closed early, so that
  // the new element becomes its sibling. It stays on the stack as closed,
  // and its own end tag, when it comes, is swallowed.
  void close_deepest() {
    for (auto it = m_open.rbegin(); it != m_open.rend(); ++it) {
      if (it->closed) continue;
      m_out += "</";
      m_out += it->name;
      m_out += '>';
      it->closed = true;
      --m_depth;
      if (it->name == "svg" || it->name == "math") --m_foreign;
      return;
    }
  }

  // A NOSCRIPT becomes a marked TITLE holding its content as text.
  void noscript(size_t attributes_begin, size_t end) {
    size_t attributes_end = end - 1;
    if (attributes_end > attributes_begin && m_in[attributes_end - 1] == '/') --attributes_end;
    m_out += "<title ";
    m_out += HtmlPrepass::kNoscriptMarker;
    m_out.append(m_in.substr(attributes_begin, attributes_end - attributes_begin));
    m_out += '>';
    size_t content_end = raw_text_end(end, "noscript");
    for (size_t i = end; i < content_end; ++i) {
      char c = m_in[i];
      if (c == '&') {
        m_out += "&amp;";
      } else if (c == '<') {
        m_out += "&lt;";
      } else {
        m_out += c;
      }
    }
    m_out += "</title>";
    m_pos = content_end;
    if (content_end < m_in.size()) {
      bool ignored = false;
      size_t close = tag_end(content_end + 2 + std::string_view("noscript").size(), ignored);
      m_pos = close == std::string_view::npos ? m_in.size() : close;
    }
  }

  void end_tag() {
    size_t lt = m_pos;
    size_t name_stop = name_end(lt + 2);
    std::string name = lower(m_in.substr(lt + 2, name_stop - lt - 2));
    bool ignored = false;
    size_t end = tag_end(name_stop, ignored);
    if (end == std::string_view::npos) {
      copy_to(m_in.size());
      return;
    }
    size_t found = find_open(name, Stop::Nothing, Closed::Match);
    if (found == kNone) {
      copy_to(end);
      return;
    }
    bool closed = m_open[found].closed;
    pop_to(found);
    if (closed) {
      m_pos = end;
    } else {
      copy_to(end);
    }
  }

  static constexpr size_t kNone = static_cast<size_t>(-1);
  enum class Closed { Skip, Match };

  // The index of the nearest open element named `name` within the search
  // window, not looking past an element that `stop` names. Elements closed
  // early match only an end tag, never an implied end.
  size_t find_open(std::string_view name, Stop stop, Closed closed = Closed::Skip) const {
    size_t limit = std::min(m_open.size(), kSearchWindow);
    for (size_t k = 0; k < limit; ++k) {
      size_t index = m_open.size() - 1 - k;
      const OpenElement& open = m_open[index];
      if (open.closed && closed == Closed::Skip) continue;
      if (open.name == name) return index;
      if (stops(open, stop)) return kNone;
    }
    return kNone;
  }

  static bool stops(const OpenElement& open, Stop stop) {
    switch (stop) {
      case Stop::Nothing:
        return false;
      case Stop::Scope:
        return open.boundary;
      case Stop::Table:
        return open.name == "table";
      case Stop::Row:
        return open.name == "tr" || open.name == "table";
    }
    return false;
  }

  // Closes open elements down to and including the one at `index`.
  void pop_to(size_t index) {
    while (m_open.size() > index) {
      const OpenElement& open = m_open.back();
      if (!open.closed) {
        --m_depth;
        if (open.name == "svg" || open.name == "math") --m_foreign;
      }
      m_open.pop_back();
    }
  }

  void close_nearest(std::string_view name, std::string_view also = {}) {
    size_t found = find_open(name, Stop::Scope);
    if (!also.empty()) {
      size_t other = find_open(also, Stop::Scope);
      if (other != kNone && (found == kNone || other > found)) found = other;
    }
    if (found != kNone) pop_to(found);
  }

  // The end tags a start tag implies, as far as they keep the depth
  // estimate honest.
  void close_implied(std::string_view name) {
    if (m_foreign > 0) return;
    if (one_of(name, kClosesParagraph)) close_nearest("p");
    if (name == "li") close_nearest("li");
    if (name == "dd" || name == "dt") close_nearest("dd", "dt");
    if (name == "a") close_nearest("a");
    if (name == "button") close_nearest("button");
    if (name == "option" || name == "optgroup") {
      if (!m_open.empty() && m_open.back().name == "option" && !m_open.back().closed) {
        pop_to(m_open.size() - 1);
      }
    }
    if (name == "tr" || name == "tbody" || name == "thead" || name == "tfoot") {
      size_t found = find_open("tr", Stop::Table);
      if (found != kNone) pop_to(found);
    }
    if (name == "td" || name == "th") {
      size_t td = find_open("td", Stop::Row);
      size_t th = find_open("th", Stop::Row);
      size_t cell = td == kNone ? th : th == kNone ? td : std::max(td, th);
      if (cell != kNone) pop_to(cell);
    }
  }

  std::string_view m_in;
  size_t m_pos = 0;
  std::string m_out;
  std::vector<OpenElement> m_open;
  size_t m_depth = 0;
  int m_foreign = 0;
};

}  // namespace

std::string HtmlPrepass::prepare(std::string_view html) {
  return Scanner(html).run();
}

}  // namespace prevod

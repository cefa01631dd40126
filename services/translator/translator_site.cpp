#include "services/translator/translator_site.h"

#include <algorithm>
#include <vector>

#include "base/runtime_error.h"
#include "services/translator/dictionary_error.h"
#include "services/translator/translator.h"

namespace prevod {

namespace {

// The navigation bar of both pages. Its third link is the translator: the
// host program focuses and clicks the bar, then presses Tab three times and
// Enter, and so arrives at the translation page.
constexpr std::string_view kNavigationBar = R"(<div id="gbar"><nobr>
<a class="gb1" href="/?hl=bg&amp;tab=ww">Търсене</a>
<a class="gb1" href="/?hl=bg&amp;tab=wi">Изображения</a>
<a class="gb1" href="/?hl=bg&amp;tab=wT">Преводач</a>
<a class="gb1" href="/?hl=bg&amp;tab=wv">Видеоклипове</a>
<a class="gb1" href="/?hl=bg&amp;tab=wn">Новини</a>
<a class="gb1" href="/?hl=bg&amp;tab=wm">Gmail</a>
<a class="gb1" href="/?hl=bg&amp;tab=wo">Още &raquo;</a>
</nobr></div>
<div id="guser"><nobr><a href="/?hl=bg&amp;tab=wp">Настройки</a> | <a href="/?hl=bg&amp;tab=wa">Вход</a></nobr></div>
)";

constexpr std::string_view kHomeHead = R"(<!DOCTYPE html>
<html lang="bg">
<head>
<meta charset="utf-8">
<title>Търсене</title>
</head>
<body>
)";

constexpr std::string_view kHomeBody = R"(<div id="main">
<h1>Търсене</h1>
<form action="/" method="get">
<input type="hidden" name="hl" value="bg">
<input type="text" name="q" size="55" title="Търсене">
<input type="submit" value="Търсене">
</form>
<p><a href="/?hl=bg&amp;tab=wT">Преводач</a>: английски, български и руски</p>
</div>
</body>
</html>
)";

constexpr std::string_view kTranslationHead = R"(<!DOCTYPE html>
<html lang="bg">
<head>
<meta charset="utf-8">
<title>Преводач</title>
</head>
<body>
)";

constexpr std::string_view kTranslationBody = R"(<div id="gt-appbar"><h1>Преводач</h1></div>
<form id="gt-form" action="/" method="get">
<input type="hidden" name="hl" value="bg">
<input type="hidden" name="tab" value="wT">
<div id="gt-langs">
<label for="gt-sl">От:</label>
<select id="gt-sl" name="sl">
<option value="en">английски</option>
<option value="bg">български</option>
<option value="ru">руски</option>
</select>
<label for="gt-tl">На:</label>
<select id="gt-tl" name="tl">
<option value="bg">български</option>
<option value="en">английски</option>
<option value="ru">руски</option>
</select>
<input type="submit" value="Превод">
</div>
<div id="gt-src-wrap"><textarea id="source" name="text" rows="5" cols="50"></textarea></div>
</form>
<div id="gt-res-wrap"><div id="gt-res-content"><span id="result_box" class="short_text"></span></div></div>
<div id="gt-ft"><p>Речници: FreeDict</p></div>
</body>
</html>
)";

std::string escape_html(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// The elements of a tag with an id, in document order.
std::vector<std::shared_ptr<Element>> elements_with_id(HtmlDocument& document,
                                                       const std::string& tag,
                                                       const std::string& id) {
  std::vector<std::shared_ptr<Element>> found;
  const auto list = document.getElementsByTagName(tag);
  if (!list) return found;
  for (int32_t i = 0; i < list->length(); ++i) {
    auto element = list->Item(i);
    if (element && element->Id() == id) found.push_back(std::move(element));
  }
  return found;
}

// Writes escaped text into each element of a tag with an id. A page that
// changes under the write (RuntimeError) is left as it is.
void write_text(HtmlDocument& document, const std::string& tag, const std::string& id,
                const std::string& text) {
  try {
    for (const auto& element : elements_with_id(document, tag, id)) {
      element->set_innerhtml(escape_html(text));
    }
  } catch (const RuntimeError&) {
  }
}

}  // namespace

TranslatorSite::TranslatorSite(EventLoop& loop, std::string dictionary_directory,
                               int64_t result_delay_ms)
    : m_translator(std::make_unique<Translator>(std::move(dictionary_directory))),
      m_result_delay_ms(std::max<int64_t>(result_delay_ms, 0)),
      m_pending(loop) {}

TranslatorSite::~TranslatorSite() = default;

void TranslatorSite::set_result_delay(int64_t ms) {
  m_result_delay_ms = std::max<int64_t>(ms, 0);
}

bool TranslatorSite::is_translation_page(std::string_view path_and_query) {
  const size_t question = path_and_query.find('?');
  if (question == std::string_view::npos) return false;
  const std::string_view path = path_and_query.substr(0, question);
  if (path != "/" && !path.empty()) return false;
  std::string_view query = path_and_query.substr(question + 1);
  while (!query.empty()) {
    const size_t amp = query.find('&');
    const std::string_view parameter = query.substr(0, amp);
    if (parameter == "tab=wT") return true;
    if (amp == std::string_view::npos) break;
    query.remove_prefix(amp + 1);
  }
  return false;
}

std::string TranslatorSite::home_page_html() {
  return std::string(kHomeHead) + std::string(kNavigationBar) + std::string(kHomeBody);
}

std::string TranslatorSite::translation_page_html() {
  return std::string(kTranslationHead) + std::string(kNavigationBar) +
         std::string(kTranslationBody);
}

PageLoad TranslatorSite::load(const std::string& path_and_query) {
  PageLoad page;
  const std::string_view path =
      std::string_view(path_and_query).substr(0, path_and_query.find('?'));
  if (is_translation_page(path_and_query)) {
    page.html = translation_page_html();
  } else if (path == "/" || path.empty()) {
    page.html = home_page_html();
  } else {
    page.status = 404;
    page.html = "<html><body><h1>404 Not Found</h1></body></html>";
  }
  return page;
}

void TranslatorSite::on_fragment(const std::shared_ptr<HtmlDocument>& document,
                                 const std::string& path_and_query, const std::string& fragment) {
  // Whatever arrives now is the page's current address: a request still
  // waiting is out of date, even when the new fragment asks for nothing.
  m_pending.cancel_all();
  if (!is_translation_page(path_and_query)) return;
  auto request = TranslationFragment::parse(fragment);
  if (!request) return;
  std::weak_ptr<HtmlDocument> target = document;
  m_pending.call_later(m_result_delay_ms, [this, target, request = std::move(*request)] {
    show_result(target, request);
  });
}

std::string TranslatorSite::result_text(const TranslationFragment& request) {
  try {
    return m_translator->translate(request.source, request.target, request.text);
  } catch (const DictionaryError& error) {
    const std::string name = error.dictionary().empty() ? "?" : error.dictionary();
    if (error.kind() == DictionaryError::Kind::Damaged) return "Речникът е повреден: " + name;
    return "Речникът не е наличен: " + name;
  }
}

void TranslatorSite::show_result(const std::weak_ptr<HtmlDocument>& document,
                                 const TranslationFragment& request) {
  const std::shared_ptr<HtmlDocument> page = document.lock();
  if (!page) return;
  const std::string result = result_text(request);
  // The source area shows the request as the page received it.
  write_text(*page, "textarea", "source", request.text);
  write_text(*page, "span", "result_box", result);
}

}  // namespace prevod

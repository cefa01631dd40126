#include "platform/page/page_tags.h"

#include <algorithm>
#include <array>

namespace prevod::page_tags {

namespace {

template <size_t N>
bool one_of(std::string_view name, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

constexpr std::array<std::string_view, 14> kNotRendered{
    "head", "title", "script", "style",    "noscript", "template", "meta",
    "link", "base",  "param",  "datalist", "noembed",  "noframes", "area"};

constexpr std::array<std::string_view, 37> kBlock{
    "address", "article", "aside", "blockquote", "body", "center",   "dd",         "details",
    "dialog",  "dir",     "div",   "dl",         "dt",   "fieldset", "figcaption", "figure",
    "footer",  "form",    "h1",    "h2",         "h3",   "h4",       "h5",         "h6",
    "header",  "hgroup",  "hr",    "li",         "main", "menu",     "nav",        "ol",
    "pre",     "section", "table", "tr",         "ul"};

constexpr std::array<std::string_view, 4> kPreformatted{"pre", "textarea", "listing", "plaintext"};

}  // namespace

bool not_rendered(std::string_view tag) {
  return one_of(tag, kNotRendered);
}

bool block(std::string_view tag) {
  return one_of(tag, kBlock);
}

bool preformatted(std::string_view tag) {
  return one_of(tag, kPreformatted);
}

bool blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

}  // namespace prevod::page_tags

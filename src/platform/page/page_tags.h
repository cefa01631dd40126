#pragma once

// What an element's tag asks of the layout, as a browser reads it: the
// page's text (TextExtractor) and the view a desktop draws
// (PageViewBuilder) read the tags alike.

#include <string_view>

namespace prevod::page_tags {

// Not rendered at all: head, title, script, style and their like.
bool not_rendered(std::string_view tag);
// Begins and ends a block of text (div, li, h1, table, ...). A paragraph
// is one too, but callers treat it on its own: it is set off by a blank
// line.
bool block(std::string_view tag);
// Keeps its blanks and line breaks as written.
bool preformatted(std::string_view tag);
// A blank of the page's text: space, tab, line feed, carriage return,
// form feed.
bool blank(char c);

}  // namespace prevod::page_tags

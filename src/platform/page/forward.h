#pragma once

namespace prevod {

// Forward declarations of the page engine's classes.

class FocusOrder;
class HtmlParser;
class HtmlPrepass;
class HtmlSerializer;
class InlineStyle;
class LiveElementList;
class PageBrowser;
class PageDocument;
class PageElement;
class PageEngine;
class PageHost;
class PageNode;
class Plugin;
class PluginRegistry;
class Site;
class SiteRegistry;
class TextExtractor;
struct PageLoad;
struct PluginParams;
struct Url;

}  // namespace prevod

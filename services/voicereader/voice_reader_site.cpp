#include "services/voicereader/voice_reader_site.h"

#include "resources/player_markup.h"

namespace prevod {

namespace {

// The page's text before and after the player. The player's embedding goes
// into the second div; the other blocks hold what the host hides or
// empties: navigation links, drop-down lists and layout tables.
constexpr std::string_view kPageHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Voice Reader Web - text-to-speech online demo</title>
<script type="text/javascript" src="/onlineservices/voice_reader/AC_RunActiveContent.js"></script>
</head>
<body>
<div id="site_header">
<a href="/">Home</a> |
<a href="/onlineservices">Online services</a> |
<a href="/onlineservices/voice_reader">Voice Reader Web</a> |
<a href="/contact">Contact</a>
<select id="site_language" name="site_language">
<option value="en" selected>English</option>
<option value="de">Deutsch</option>
<option value="fr">Fran&ccedil;ais</option>
</select>
</div>
<div id="vr_player">
)";

constexpr std::string_view kPageTail = R"(</div>
<div id="vr_intro">
<h1>Voice Reader Web: hear your text spoken</h1>
<p>Type or paste a text of up to 250 characters into the player, pick one of
eighteen voices and press Speak. The player reads the text aloud at once;
press Stop to end the reading.</p>
<table id="vr_steps">
<tr><td>1.</td><td>Enter your text</td></tr>
<tr><td>2.</td><td>Choose a voice</td></tr>
<tr><td>3.</td><td>Press Speak</td></tr>
</table>
</div>
<table id="vr_voices">
<tr><th>Language</th><th>Voice</th></tr>
<tr><td>English US</td><td><a href="/onlineservices/voice_reader/voices/en-us">Listen</a></td></tr>
<tr><td>English UK</td><td><a href="/onlineservices/voice_reader/voices/en-gb">Listen</a></td></tr>
<tr><td>Russian</td><td><a href="/onlineservices/voice_reader/voices/ru">Listen</a></td></tr>
<tr><td>More voices</td><td><select id="vr_more_voices" name="vr_more_voices">
<option>French</option>
<option>German</option>
<option>Spanish</option>
</select></td></tr>
</table>
<div id="vr_order">
<p>Voice Reader Web for your own site:</p>
<select id="vr_licence" name="vr_licence">
<option>Personal</option>
<option>Business</option>
<option>Education</option>
</select>
<a href="/onlineservices/voice_reader/order">Order now</a>
<table id="vr_prices">
<tr><td>Personal</td><td>free demo</td></tr>
<tr><td>Business</td><td>on request</td></tr>
</table>
</div>
<table id="vr_news">
<tr><td>New: Ukrainian and Turkish voices</td></tr>
<tr><td>Now with eighteen voices</td></tr>
</table>
<div id="site_footer">
<table id="site_links">
<tr><td><a href="/imprint">Imprint</a></td><td><a href="/privacy">Privacy</a></td></tr>
</table>
<p>Voice Reader Web demo. All voices are synthetic.</p>
</div>
</body>
</html>
)";

// The path part of an address's path and query.
std::string_view path_of(std::string_view path_and_query) {
  return path_and_query.substr(0, path_and_query.find('?'));
}

}  // namespace

PageLoad VoiceReaderSite::load(const std::string& path_and_query) {
  std::string_view path = path_of(path_and_query);
  if (path.size() == kPath.size() + 1 && path.back() == '/') path.remove_suffix(1);
  PageLoad page;
  if (path != kPath) {
    page.status = 404;
    page.html = "<html><body><h1>404 Not Found</h1></body></html>";
    return page;
  }
  page.html = page_html();
  page.downloads = 2;
  return page;
}

std::string VoiceReaderSite::page_html() {
  std::string html(kPageHead);
  html += PlayerMarkup();
  html += kPageTail;
  return html;
}

}  // namespace prevod

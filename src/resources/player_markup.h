#pragma once

// PlayerMarkup: the voice reader page's own embedding of its player, which
// the host writes into the page's second div to make a fresh player. Three
// parts: a script that embeds the player through AC_FL_RunContent (and
// raises an alert when that routine is missing), the OBJECT element "vr_demo"
// with its PARAM list, and a NOSCRIPT fallback with an object/embed pair.
// The movie paths are relative to the page. The text is player_markup.html,
// built into the program when it is compiled.

#include <string>

namespace prevod {

const std::string& PlayerMarkup();

}  // namespace prevod

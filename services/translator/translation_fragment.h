#pragma once

// A translation request as the translation page's address fragment carries
// it: source code, "|", target code, "|", the text. The text is everything
// after the second "|", taken whole: a "|" or "#" inside it is part of it.
// Nothing is unescaped; the requesting program sends the text as typed.

#include <optional>
#include <string>
#include <string_view>

#include "services/translator/language.h"

namespace prevod {

struct TranslationFragment {
  Language source = Language::English;
  Language target = Language::Bulgarian;
  std::string text;

  // The request, or nothing for an empty fragment, a missing "|" or a code
  // other than "en", "bg" and "ru".
  static std::optional<TranslationFragment> parse(std::string_view fragment);
};

}  // namespace prevod

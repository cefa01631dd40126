#pragma once

// A translated text and the dictionary forms that words not in the
// dictionary as written were translated through ("cats" through "cat"), in
// the order of the words, each form once.

#include <string>
#include <vector>

namespace prevod {

struct Translation {
  std::string text;
  std::vector<std::string> headwords;
};

}  // namespace prevod

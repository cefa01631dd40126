#pragma once

// The texts of the grammar word lists built into the program, embedded at
// build time from grammar_words_bg.txt and grammar_words_en.txt beside this
// header (see GrammarWords for their format).

#include <string>

namespace prevod {

const std::string& bulgarian_grammar_words_text();
const std::string& english_grammar_words_text();

}  // namespace prevod

#include "services/translator/grammar_words.h"

#include <algorithm>

#include "services/translator/grammar_word_lists.h"
#include "services/translator/lookup_text.h"

namespace prevod {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

GrammarWords GrammarWords::parse(std::string_view text) {
  GrammarWords words;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == '#') continue;
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    const std::string key = lookup_text::key(line.substr(0, tab));
    const std::string gloss = lookup_text::display_form(trimmed(line.substr(tab + 1)));
    if (key.empty() || gloss.empty()) continue;
    if (!words.m_glosses.try_emplace(key, gloss).second) continue;
    words.m_max_words = std::max(words.m_max_words, lookup_text::word_count(key));
  }
  return words;
}

const GrammarWords& GrammarWords::built_in(Language source, Language target) {
  static const GrammarWords none;
  if (target == Language::English && source == Language::Bulgarian) {
    static const GrammarWords bulgarian = parse(bulgarian_grammar_words_text());
    return bulgarian;
  }
  if (source == Language::English && target == Language::Bulgarian) {
    static const GrammarWords english = parse(english_grammar_words_text());
    return english;
  }
  return none;
}

std::optional<std::string> GrammarWords::find(const std::string& key) const {
  const auto found = m_glosses.find(key);
  if (found == m_glosses.end()) return std::nullopt;
  return found->second;
}

}  // namespace prevod

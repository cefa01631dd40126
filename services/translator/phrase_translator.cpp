#include "services/translator/phrase_translator.h"

#include <algorithm>
#include <vector>

#include "base/utf8.h"
#include "services/translator/lookup_text.h"

namespace prevod {

namespace {

// Runs of words tried at one place are bounded whatever the book holds, so
// a long text costs a bounded number of lookups per word.
constexpr int kLongestRun = 12;

// A word as written: the punctuation before it, the word, the punctuation
// after it ("(hello," is "(", "hello", ","). A token of punctuation alone
// has an empty core. Punctuation inside a run of non-space characters
// parts words ("cat|dog" is "cat" with "|" after it and "dog", joined to
// it without a space), except the apostrophes and hyphens of words such as
// "don't" and "кто-то".
struct Token {
  std::u32string lead;
  std::u32string core;
  std::u32string trail;
  bool joined = false;
};

bool is_joiner(char32_t c) {
  return c == U'\'' || c == 0x2019 || c == 0x02BC || c == U'-' || c == 0x2010 || c == 0x2011;
}

// Splits one run of non-space characters into tokens.
void tokenize_chunk(std::u32string_view chunk, std::vector<Token>& tokens) {
  size_t at = 0;
  Token token;
  while (at < chunk.size() && !lookup_text::is_word_char(chunk[at])) token.lead += chunk[at++];
  if (at == chunk.size()) {
    tokens.push_back(std::move(token));
    return;
  }
  while (at < chunk.size()) {
    while (at < chunk.size()) {
      const char32_t c = chunk[at];
      const bool inside = is_joiner(c) && !token.core.empty() && at + 1 < chunk.size() &&
                          lookup_text::is_word_char(chunk[at + 1]);
      if (!lookup_text::is_word_char(c) && !inside) break;
      token.core += c;
      ++at;
    }
    while (at < chunk.size() && !lookup_text::is_word_char(chunk[at])) token.trail += chunk[at++];
    tokens.push_back(std::move(token));
    token = Token{};
    token.joined = true;
  }
}

std::vector<Token> tokenize(std::u32string_view text) {
  std::vector<Token> tokens;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && lookup_text::is_space(text[at])) ++at;
    size_t end = at;
    while (end < text.size() && !lookup_text::is_space(text[end])) ++end;
    if (end == at) break;
    tokenize_chunk(text.substr(at, end - at), tokens);
    at = end;
  }
  return tokens;
}

bool ends_sentence(const Token& token) {
  const std::u32string& tail = token.trail.empty() ? token.lead : token.trail;
  if (tail.empty()) return false;
  const char32_t last = tail.back();
  return last == U'.' || last == U'!' || last == U'?' || last == 0x2026;
}

// The translation, with a capital when it starts a sentence whose source
// word had one.
std::string cased(const std::string& translation, std::u32string_view source, bool sentence_start) {
  if (!sentence_start || source.empty()) return translation;
  if (lookup_text::to_lower(source.front()) == source.front()) return translation;
  return lookup_text::capitalize(translation);
}

// The punctuation after a translation, without the mark the translation
// already ends with ("как си?" and "?" make "как си?", not "как си??").
std::string closing(const std::string& translation, const std::u32string& trail) {
  if (trail.empty() || translation.empty()) return utf8::encode(trail);
  const std::u32string end = utf8::decode(translation);
  if (lookup_text::is_word_char(end.back()) || end.back() != trail.front()) {
    return utf8::encode(trail);
  }
  return utf8::encode(std::u32string_view(trail).substr(1));
}

std::string spelled(const Token& token) {
  return utf8::encode(token.lead + token.core + token.trail);
}

// The words of the text as one phrase, when nothing but spaces separates
// them; punctuation before the first word and after the last stays.
std::optional<std::string> whole(const std::vector<Token>& tokens,
                                 const PhraseTranslator::Lookup& lookup) {
  size_t first = 0;
  while (first < tokens.size() && tokens[first].core.empty()) ++first;
  size_t last = tokens.size();
  while (last > first && tokens[last - 1].core.empty()) --last;
  if (first == last) return std::nullopt;
  std::u32string words;
  for (size_t at = first; at < last; ++at) {
    const Token& token = tokens[at];
    if (token.core.empty() || (at > first && (!token.lead.empty() || token.joined))) {
      return std::nullopt;
    }
    if (at + 1 < last && !token.trail.empty()) return std::nullopt;
    if (at > first) words += U' ';
    words += token.core;
  }
  const std::string key = lookup_text::key(utf8::encode(words));
  if (key.empty()) return std::nullopt;
  const auto translation = lookup(key);
  if (!translation) return std::nullopt;
  std::string out;
  for (size_t at = 0; at < first; ++at) {
    out += spelled(tokens[at]);
    out += ' ';
  }
  out += utf8::encode(tokens[first].lead);
  out += cased(*translation, tokens[first].core, true);
  out += closing(*translation, tokens[last - 1].trail);
  for (size_t at = last; at < tokens.size(); ++at) {
    out += ' ';
    out += spelled(tokens[at]);
  }
  return out;
}

void add_headword(std::vector<std::string>& headwords, std::string headword) {
  if (std::find(headwords.begin(), headwords.end(), headword) != headwords.end()) return;
  headwords.push_back(std::move(headword));
}

}  // namespace

PhraseTranslator::PhraseTranslator(Lookup lookup, int max_words, Reducer reducer)
    : m_lookup(std::move(lookup)),
      m_max_words(std::clamp(max_words, 1, kLongestRun)),
      m_reducer(std::move(reducer)) {}

Translation PhraseTranslator::translation(std::string_view text) const {
  const std::vector<Token> tokens = tokenize(utf8::decode(text));
  if (auto phrase = whole(tokens, m_lookup)) return Translation{*phrase, {}};
  std::vector<std::string> headwords;
  std::string out;
  bool sentence_start = true;
  for (size_t at = 0; at < tokens.size();) {
    if (!out.empty() && !tokens[at].joined) out += ' ';
    const Token& first = tokens[at];
    if (first.core.empty()) {
      out += utf8::encode(first.lead);
      sentence_start = sentence_start || ends_sentence(first);
      ++at;
      continue;
    }
    // The longest run of plain words from here that the book knows; only
    // the run's first word may have punctuation before it and only its last
    // one after it.
    size_t run = 0;
    std::optional<std::string> translation;
    std::u32string words;
    std::vector<std::string> keys;
    for (size_t n = 1; n <= static_cast<size_t>(m_max_words) && at + n <= tokens.size(); ++n) {
      const Token& token = tokens[at + n - 1];
      if (token.core.empty() || (n > 1 && (!token.lead.empty() || token.joined))) break;
      if (n > 1) words += U' ';
      words += token.core;
      keys.push_back(lookup_text::key(utf8::encode(words)));
      if (!token.trail.empty()) break;
    }
    for (size_t n = keys.size(); n >= 1 && !translation; --n) {
      if (keys[n - 1].empty()) continue;
      translation = m_lookup(keys[n - 1]);
      if (translation) run = n;
    }
    if (!translation && m_reducer) {
      if (auto reduced = m_reducer(utf8::encode(first.core))) {
        translation = std::move(reduced->translation);
        run = 1;
        add_headword(headwords, std::move(reduced->headword));
      }
    }
    const Token& last = tokens[at + std::max<size_t>(run, 1) - 1];
    out += utf8::encode(first.lead);
    if (translation) {
      out += cased(*translation, first.core, sentence_start);
      out += closing(*translation, last.trail);
    } else {
      out += utf8::encode(first.core + last.trail);
    }
    sentence_start = ends_sentence(last);
    at += std::max<size_t>(run, 1);
  }
  return Translation{std::move(out), std::move(headwords)};
}

}  // namespace prevod

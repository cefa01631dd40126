#include "services/translator/synonym_index.h"

#include <malloc.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "services/translator/dictd_data.h"
#include "services/translator/dictd_index.h"
#include "services/translator/lookup_text.h"

namespace prevod {

namespace {

using Sense = SynonymIndex::Sense;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

// A synonym as WordNet writes it, without the syntactic note some carry
// ("rush(a)", "first-come-first-serve(p)").
std::string without_note(std::string_view synonym) {
  if (synonym.ends_with(')')) {
    const size_t open = synonym.rfind('(');
    if (open != std::string_view::npos && open > 0) synonym = synonym.substr(0, open);
  }
  return lookup_text::display_form(synonym);
}

// The part of speech a WordNet entry names before a first sense, as a bit.
unsigned part_of_speech(std::string_view name) {
  if (name == "n") return 1;
  if (name == "v") return 2;
  if (name == "adj") return 4;
  if (name == "adv") return 8;
  return 0;
}

// The number of the sense a line opens (0 when it opens none), and the
// part of speech it names, if any. A sense starts on a line of its own
// with its number and a colon, after the part of speech for the first
// sense of each ("    n 1: ...", "    2: ...").
int sense_number(std::string_view line, unsigned& part) {
  if (line.empty() || line.front() != ' ') return 0;
  const size_t colon = line.find(": ");
  if (colon == std::string_view::npos || colon == 0 || !is_digit(line[colon - 1])) return 0;
  size_t start = colon;
  while (start > 0 && is_digit(line[start - 1])) --start;
  if (start > 0 && line[start - 1] != ' ') return 0;
  int number = 0;
  for (size_t at = start; at < colon && number < 1000; ++at)
    number = number * 10 + (line[at] - '0');
  std::string_view before = line.substr(0, start);
  while (!before.empty() && before.front() == ' ') before.remove_prefix(1);
  while (!before.empty() && before.back() == ' ') before.remove_suffix(1);
  if (const unsigned named = part_of_speech(before)) part = named;
  return number;
}

// How many senses an entry has and of which parts of speech, without
// reading their synonyms.
SynonymIndex::Senses count_senses(std::string_view entry) {
  SynonymIndex::Senses counted;
  unsigned part = 0;
  for (size_t at = 0; at < entry.size();) {
    size_t end = entry.find('\n', at);
    if (end == std::string_view::npos) end = entry.size();
    if (sense_number(entry.substr(at, end - at), part) != 0) {
      ++counted.count;
      counted.parts |= part;
    }
    at = end + 1;
  }
  return counted;
}

// The senses of an entry, each with the "{word}" items of the "[syn: ...]"
// group inside it.
std::vector<Sense> senses_of(std::string_view entry) {
  std::vector<Sense> senses;
  // Where each sense starts in the entry.
  std::vector<size_t> starts;
  unsigned part = 0;
  for (size_t at = 0; at < entry.size();) {
    size_t end = entry.find('\n', at);
    if (end == std::string_view::npos) end = entry.size();
    if (const int number = sense_number(entry.substr(at, end - at), part)) {
      senses.push_back(Sense{number, part, {}});
      starts.push_back(at);
    }
    at = end + 1;
  }
  constexpr std::string_view kGroup = "[syn:";
  size_t sense = 0;
  for (size_t group = entry.find(kGroup); group != std::string_view::npos && !senses.empty();
       group = entry.find(kGroup, group)) {
    while (sense + 1 < starts.size() && starts[sense + 1] < group) ++sense;
    if (group < starts[sense]) break;
    const size_t close = entry.find(']', group);
    if (close == std::string_view::npos) break;
    const std::string_view items = entry.substr(group + kGroup.size(), close - group);
    group = close;
    for (size_t open = items.find('{'); open != std::string_view::npos;
         open = items.find('{', open)) {
      const size_t end = items.find('}', open);
      if (end == std::string_view::npos) break;
      senses[sense].synonyms.push_back(without_note(items.substr(open + 1, end - open - 1)));
      open = end;
    }
  }
  return senses;
}

// An abbreviation is no synonym to translate through: "OR" for "Oregon".
// Short synonyms and ones all in capitals are taken for abbreviations;
// "Beaver State" is not one.
bool is_abbreviation(const std::string& synonym) {
  size_t letters = 0;
  size_t capitals = 0;
  for (char c : synonym) {
    letters += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ? 1 : 0;
    capitals += c >= 'A' && c <= 'Z' ? 1 : 0;
  }
  return letters < SynonymIndex::kShortestSynonym || capitals == letters;
}

std::string base_path(const std::string& directory) {
  std::string base = directory;
  if (!base.empty() && base.back() != '/') base += '/';
  base += SynonymIndex::kWordNet;
  return base;
}

}  // namespace

bool SynonymIndex::installed(const std::string& directory) {
  std::error_code error;
  return std::filesystem::exists(base_path(directory) + ".index", error);
}

SynonymIndex SynonymIndex::read(const std::string& directory, const Known& known) {
  const std::string base = base_path(directory);
  SynonymIndex synonyms;
  {
    const DictdIndex index = DictdIndex::read(base + ".index");
    const std::unique_ptr<DictdData> data = DictdData::open(base);
    const std::string& text = data->read_all();
    auto entry_text = [&text](const DictdIndexEntry& entry) -> std::optional<std::string_view> {
      if (entry.offset > text.size() || entry.length > text.size() - entry.offset) {
        return std::nullopt;
      }
      return std::string_view(text).substr(entry.offset, entry.length);
    };
    // Two passes, so that only the counts and the pairs are ever held
    // rather than every sense of every word.
    std::unordered_map<std::string, Senses> sense_counts;
    sense_counts.reserve(index.entries().size());
    for (const DictdIndexEntry& entry : index.entries()) {
      const auto body = entry_text(entry);
      if (!body) continue;
      sense_counts.try_emplace(lookup_text::key(entry.headword), count_senses(*body));
    }
    for (const DictdIndexEntry& entry : index.entries()) {
      const std::string key = lookup_text::key(entry.headword);
      if (key.empty() || known(key) || synonyms.m_synonyms.contains(key)) continue;
      const auto body = entry_text(entry);
      if (body && body->find("[syn:") != std::string_view::npos) {
        synonyms.add(key, senses_of(*body), known, sense_counts);
      }
    }
  }
  // The text and the counts were tens of megabytes in many small pieces;
  // give the freed memory back rather than keep it for nothing.
  malloc_trim(0);
  return synonyms;
}

void SynonymIndex::add(const std::string& key, std::vector<Sense> senses, const Known& known,
                       const std::unordered_map<std::string, Senses>& sense_counts) {
  // A word the dictionary holds needs no synonym; the first entry of a
  // headword listed twice stands.
  if (key.empty() || known(key) || m_synonyms.contains(key)) return;
  // The first senses of each part of speech come before the second ones,
  // and so on: within a part of speech WordNet lists the commoner first.
  std::stable_sort(senses.begin(), senses.end(),
                   [](const Sense& a, const Sense& b) { return a.number < b.number; });
  for (const Sense& sense : senses) {
    const std::string* best = nullptr;
    size_t fewest = kMostSenses + 1;
    for (const std::string& synonym : sense.synonyms) {
      const std::string synonym_key = lookup_text::key(synonym);
      if (synonym_key.empty() || synonym_key == key || is_abbreviation(synonym)) continue;
      if (!known(synonym_key)) continue;
      // A synonym of few senses, all of the sense's part of speech, is
      // translated in the sense it shares with the word; "rush" (reeds,
      // haste, a flow) and "shrine" (a noun and a verb) are not.
      const auto found = sense_counts.find(synonym_key);
      if (found == sense_counts.end() || found->second.parts != sense.part) continue;
      if (found->second.count < fewest) {
        fewest = found->second.count;
        best = &synonym;
      }
    }
    if (best != nullptr) {
      m_synonyms.emplace(key, *best);
      return;
    }
  }
}

std::optional<std::string> SynonymIndex::find(const std::string& key) const {
  const auto found = m_synonyms.find(key);
  if (found == m_synonyms.end()) return std::nullopt;
  return found->second;
}

}  // namespace prevod

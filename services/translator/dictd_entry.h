#pragma once

// One entry of a FreeDict dictd dictionary, as the English-Bulgarian and
// English-Russian ones write them:
//
//   cat //kæt// <n>                     headword, pronunciations, part of speech
//   1. ко́те, ко́тка, котка             a sense: its translations
//   domestic species                    an English gloss
//   2. ко́тка                           the next sense
//
// An entry with one sense has no number: the line after the headword holds
// the translations and the rest are glosses. A translation line may end in
// " 2." and be followed by lines " 3.", " 4." with glosses of their own: one
// translation shared by several senses. Translations come cleaned of that
// numbering, of wiki links ("[[надморски|надмо́рска]]" reads "надмо́рска")
// and of parentheticals; stress marks stay until shown.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace prevod {

class DictdEntry {
 public:
  using Sense = std::vector<std::string>;

  static DictdEntry parse(std::string_view text);

  // The headword as the entry's first line writes it ("Adam's apple"),
  // "" when the entry has none.
  const std::string& headword() const { return m_headword; }
  // The senses in order, each with its translations in order.
  const std::vector<Sense>& senses() const { return m_senses; }
  // The lookup key of each translation, sense by sense.
  const std::vector<Sense>& keys() const { return m_keys; }
  // How many senses the entry describes, counting the ones that share a
  // translation line: a measure of how central the entry is.
  int sense_count() const { return m_sense_count; }
  int translation_count() const;

  // The one translation to show for a headword that has these entries (a
  // noun and a verb, say), in its display form. Candidates are the
  // translations of each entry's first sense, and the one that recurs
  // most across all the entries wins ("ко́тка" for "cat", whose first
  // sense begins with "ко́те"); ties go to the entry with more senses, then
  // to the earlier candidate. Nothing when no entry has a translation.
  static std::optional<std::string> best_translation(const std::vector<DictdEntry>& entries);

 private:
  std::string m_headword;
  std::vector<Sense> m_senses;
  std::vector<Sense> m_keys;
  int m_sense_count = 0;
};

}  // namespace prevod

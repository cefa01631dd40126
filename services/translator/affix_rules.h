#pragma once

// The suffix rules of a hunspell affix file (".aff"), read backwards: the
// roots a word may be made from, whichever flags the dictionary gives its
// words. A rule "SFX K а ите а" makes "котките" from "котка" by taking off
// "а" and adding "ите" where the root ends in "а"; backwards, "котките"
// may come from "котка". The roots are guesses: hunspell's dictionary lists
// many forms as words of their own, without the flags that would link them
// to their dictionary form, and a guess confirmed by the dictionary finds
// that form all the same.
//
// Only suffix entries are read ("SFX flag strip add condition"); prefix
// rules change the meaning of a word too often ("un-", "in-") to be
// undone. Conditions are hunspell's: letters, "." for any letter, and
// bracketed sets, "[^...]" for any letter but those.

#include <string>
#include <string_view>
#include <vector>

namespace prevod {

class AffixRules {
 public:
  // Reads the suffix entries of an affix file's text; lines of other kinds
  // and malformed entries are skipped.
  static AffixRules parse(std::string_view aff);

  // The roots a word may come from by one rule, longest first, each once.
  // The word itself is never among them.
  std::vector<std::u32string> roots(std::u32string_view word) const;

  size_t size() const { return m_rules.size(); }

 private:
  // One unit of a condition: a set of letters, or all letters but a set.
  struct Unit {
    std::u32string letters;
    bool negated = false;
    bool any = false;
    bool matches(char32_t c) const;
  };
  struct Rule {
    std::u32string strip;
    std::u32string add;
    std::vector<Unit> condition;
  };

  static bool parse_condition(std::u32string_view text, std::vector<Unit>& units);
  static bool ends_with_condition(const std::u32string& root, const std::vector<Unit>& units);

  std::vector<Rule> m_rules;
};

}  // namespace prevod

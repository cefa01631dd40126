#pragma once

// How a translation names the dictionary forms it went through. A word
// that is not in the dictionary as written is translated through its
// dictionary form ("котките" through "котка", "cats" through "cat"); the
// result then ends with those forms in angle brackets, after a space:
//
//   cat ⟨котка⟩
//   котка ⟨cat⟩
//   the котка седя ⟨cat, sit⟩
//
// The marker is for the eye only. Whatever speaks the result, copies it
// or judges its script takes the translation part alone (split). The
// format lives here, on both sides: the translation service composes it
// and the translation window splits it.
//
// A name that no dictionary holds is spelled in the other alphabet
// ("Вазов" as "Vazov", "Aaron" as "Аарон"); the marker then names it as
// written, followed by " (име)":
//
//   Vazov ⟨Вазов (име)⟩
//   grandfather Yotso look ⟨гледам, Йоцо (име)⟩
//
// An English word that the dictionary lacks in every form may be
// translated through a synonym it holds; the marker names the synonym
// after "≈ ":
//
//   пума ⟨≈ cougar⟩
//
// A result with no marker that nevertheless ends in " ⟨...⟩" (a user's own
// text carried through untranslated) is given an empty marker " ⟨⟩", so
// that splitting it never cuts the user's text.

#include <string>
#include <string_view>
#include <vector>

namespace prevod {

namespace headword_marker {

struct Parts {
  std::string_view translation;
  // The forms as written in the marker, separated by ", "; empty when
  // the text has no marker or an empty one.
  std::string_view headwords;
};

// The result text of a translation and the dictionary forms it used. The
// angle brackets themselves are left out of the forms.
std::string compose(std::string_view translation, const std::vector<std::string>& headwords);

// The entry of the marker for a name spelled in the other alphabet.
std::string name(std::string_view written);

// The entry of the marker for a synonym a word was translated through.
std::string synonym(std::string_view word);

// The translation and the marker of a result text. Spaces and line breaks
// after the marker are ignored; a text without a marker is all
// translation.
Parts split(std::string_view text);

// The part of a result text that is spoken, copied and checked for
// Cyrillic.
inline std::string translation_part(std::string_view text) {
  return std::string(split(text).translation);
}

}  // namespace headword_marker

}  // namespace prevod

#include "base/headword_marker.h"

namespace prevod {

namespace headword_marker {
namespace {

constexpr std::string_view kOpenBracket = "\u27E8";
constexpr std::string_view kClose = "\u27E9";
// The marker opens after one space.
constexpr std::string_view kOpen = " \u27E8";
constexpr std::string_view kSeparator = ", ";
// After a name spelled in the other alphabet: "(name)".
constexpr std::string_view kNameNote = " (име)";
// Before a synonym: "approximately".
constexpr std::string_view kSynonymSign = "\u2248 ";

bool is_trailing_space(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A form without the brackets that would end the marker early.
std::string without_brackets(std::string_view form) {
  std::string out;
  out.reserve(form.size());
  for (size_t at = 0; at < form.size();) {
    const std::string_view rest = form.substr(at);
    if (rest.starts_with(kOpenBracket)) {
      at += kOpenBracket.size();
      continue;
    }
    if (rest.starts_with(kClose)) {
      at += kClose.size();
      continue;
    }
    out += form[at++];
  }
  return out;
}

}  // namespace

std::string compose(std::string_view translation, const std::vector<std::string>& headwords) {
  std::string marker;
  for (const std::string& headword : headwords) {
    const std::string form = without_brackets(headword);
    if (form.empty()) continue;
    if (!marker.empty()) marker += kSeparator;
    marker += form;
  }
  std::string out(translation);
  if (marker.empty() && split(translation).translation.size() == translation.size()) return out;
  out += kOpen;
  out += marker;
  out += kClose;
  return out;
}

std::string name(std::string_view written) {
  std::string out(written);
  out += kNameNote;
  return out;
}

std::string synonym(std::string_view word) {
  std::string out(kSynonymSign);
  out += word;
  return out;
}

Parts split(std::string_view text) {
  std::string_view body = text;
  while (!body.empty() && is_trailing_space(body.back())) body.remove_suffix(1);
  if (!body.ends_with(kClose)) return Parts{text, {}};
  body.remove_suffix(kClose.size());
  const size_t open = body.rfind(kOpen);
  if (open == std::string_view::npos) return Parts{text, {}};
  const std::string_view headwords = body.substr(open + kOpen.size());
  if (headwords.find(kClose) != std::string_view::npos ||
      headwords.find(kOpenBracket) != std::string_view::npos) {
    return Parts{text, {}};
  }
  return Parts{text.substr(0, open), headwords};
}

}  // namespace headword_marker

}  // namespace prevod

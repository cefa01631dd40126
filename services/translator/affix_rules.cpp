#include "services//translator/affix_rules.h"

#include <algorithm>
#include <unordered_set>

#include "base/utf8.h"
#include "services/translator/lookup_text.h"

namespace prevod {

namespace {

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    size_t end = at;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    if (end > at) out.push_back(line.substr(at, end - at));
    at = end;
  }
  return out;
}

// An affix field: "0" is nothing, and flags after a "/" belong to the
// rules that may follow this one.
std::u32string affix(std::string_view field) {
  field = field.substr(0, field.find('/'));
  if (field == "0") return {};
  return utf8::decode(field);
}

}  // namespace

bool AffixRules::Unit::matches(char32_t c) const {
  if (any) return true;
  const bool listed = letters.find(c) != std::u32string::npos;
  return negated ? !listed : listed;
}

bool AffixRules::parse_condition(std::u32string_view text, std::vector<Unit>& units) {
  for (size_t at = 0; at < text.size();) {
    Unit unit;
    if (text[at] == U'.') {
      unit.any = true;
      ++at;
    } else if (text[at] == U'[') {
      const size_t close = text.find(U']', at);
      if (close == std::u32string_view::npos) return false;
      std::u32string_view set = text.substr(at + 1, close - at - 1);
      if (!set.empty() && set.front() == U'^') {
        unit.negated = true;
        set.remove_prefix(1);
      }
      unit.letters = set;
      at = close + 1;
    } else {
      unit.letters = text[at++];
    }
    units.push_back(std::move(unit));
  }
  return true;
}

bool AffixRules::ends_with_condition(const std::u32string& root, const std::vector<Unit>& units) {
  if (units.size() > root.size()) return false;
  const size_t start = root.size() - units.size();
  for (size_t i = 0; i < units.size(); ++i) {
    if (!units[i].matches(root[start + i])) return false;
  }
  return true;
}

AffixRules AffixRules::parse(std::string_view aff) {
  AffixRules rules;
  std::unordered_set<std::string> seen;
  while (!aff.empty()) {
    const size_t end = aff.find('\n');
    std::string_view line = aff.substr(0, end);
    aff.remove_prefix(end == std::string_view::npos ? aff.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> parts = fields(line);
    // "SFX flag Y count" is a header; "SFX flag strip add condition ..." an
    // entry.
    if (parts.size() < 5 || parts[0] != "SFX") continue;
    Rule rule{affix(parts[2]), affix(parts[3]), {}};
    if (rule.add.empty()) continue;
    if (parts[4] != "." && !parse_condition(utf8::decode(parts[4]), rule.condition)) {
      continue;
    }
    // Many flags share a rule; each is kept once.
    std::string text = utf8::encode(rule.strip) + ' ' + utf8::encode(rule.add) + ' ';
    text += parts[4];
    if (seen.insert(std::move(text)).second) rules.m_rules.push_back(std::move(rule));
  }
  return rules;
}

std::vector<std::u32string> AffixRules::roots(std::u32string_view word) const {
  std::vector<std::u32string> out;
  for (const Rule& rule : m_rules) {
    if (rule.add.size() >= word.size() || !word.ends_with(rule.add)) continue;
    std::u32string root(word.substr(0, word.size() - rule.add.size()));
    root += rule.strip;
    if (root == word || !ends_with_condition(root, rule.condition)) continue;
    if (std::find(out.begin(), out.end(), root) == out.end()) out.push_back(std::move(root));
  }
  std::stable_sort(out.begin(), out.end(), [](const std::u32string& a, const std::u32string& b) {
    return a.size() > b.size();
  });
  return out;
}

}  // namespace prevod

#include "services/translator/dictd_entry.h"

#include <algorithm>
#include <tuple>

#include "services/translator/lookup_text.h"

namespace prevod {

namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && (is_blank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

// Length of a leading sense number "12." (digits and a dot), 0 when none.
size_t number_length(std::string_view text) {
  size_t digits = 0;
  while (digits < text.size() && digits < 4 && is_digit(text[digits])) ++digits;
  if (digits == 0 || digits >= text.size() || text[digits] != '.') return 0;
  return digits + 1;
}

// "1. ко́те, ко́тка": a numbered sense line; `rest` receives the text after
// the number.
bool numbered_line(std::string_view line, std::string_view& rest) {
  const size_t length = number_length(line);
  if (length == 0) return false;
  if (length < line.size() && !is_blank(line[length])) return false;
  rest = trim(line.substr(length));
  return true;
}

// " 3.": a sense that shares the translation line above it.
bool marker_line(std::string_view line) {
  if (line.empty() || !is_blank(line.front())) return false;
  line = trim(line);
  return !line.empty() && number_length(line) == line.size();
}

// Removes trailing " 2." markers from a translation line; returns how many.
int strip_trailing_markers(std::string_view& line) {
  int markers = 0;
  for (;;) {
    line = trim(line);
    if (line.empty() || line.back() != '.') return markers;
    size_t start = line.size() - 1;
    while (start > 0 && is_digit(line[start - 1])) --start;
    if (start == line.size() - 1 || start == 0 || !is_blank(line[start - 1])) return markers;
    line = line.substr(0, start);
    ++markers;
  }
}

// "[[target|shown]]" and "[[shown]]" as their shown text.
std::string unlink(std::string_view line) {
  if (line.find("[[") == std::string_view::npos) return std::string(line);
  std::string out;
  out.reserve(line.size());
  size_t at = 0;
  while (at < line.size()) {
    const size_t open = line.find("[[", at);
    if (open == std::string_view::npos) break;
    out.append(line.substr(at, open - at));
    const size_t close = line.find("]]", open + 2);
    if (close == std::string_view::npos) {
      at = open + 2;  // an unclosed link: drop its brackets, keep its text
      continue;
    }
    std::string_view inner = line.substr(open + 2, close - open - 2);
    const size_t bar = inner.rfind('|');
    if (bar != std::string_view::npos) inner = inner.substr(bar + 1);
    out.append(inner);
    at = close + 2;
  }
  out.append(line.substr(std::min(at, line.size())));
  return out;
}

// Removes "(...)" and "[...]", nested ones included. A bracket without its
// partner is dropped alone.
std::string drop_parentheticals(std::string_view line) {
  if (line.find_first_of("()[]") == std::string_view::npos) return std::string(line);
  std::string out;
  out.reserve(line.size());
  for (size_t at = 0; at < line.size(); ++at) {
    const char c = line[at];
    if (c == ')' || c == ']') continue;
    if (c != '(' && c != '[') {
      out += c;
      continue;
    }
    int depth = 0;
    size_t end = at;
    for (; end < line.size(); ++end) {
      if (line[end] == '(' || line[end] == '[') ++depth;
      if (line[end] == ')' || line[end] == ']') --depth;
      if (depth == 0) break;
    }
    if (end < line.size()) at = end;
  }
  return out;
}

std::vector<std::string> split_translations(std::string_view line) {
  const std::string plain = drop_parentheticals(unlink(line));
  std::vector<std::string> translations;
  size_t start = 0;
  while (start <= plain.size()) {
    size_t end = plain.find_first_of(",;", start);
    if (end == std::string::npos) end = plain.size();
    const std::string_view part = trim(std::string_view(plain).substr(start, end - start));
    if (!part.empty()) {
      std::string collapsed;
      for (char c : part) {
        if (is_blank(c) && !collapsed.empty() && collapsed.back() == ' ') continue;
        collapsed += is_blank(c) ? ' ' : c;
      }
      translations.push_back(std::move(collapsed));
    }
    start = end + 1;
  }
  return translations;
}

std::string headword_of(std::string_view first_line) {
  size_t end = first_line.size();
  for (std::string_view marker : {" /", " <", "\t"}) {
    end = std::min(end, first_line.find(marker));
  }
  return std::string(trim(first_line.substr(0, end)));
}

// Calls `visit` with each line of the text after the first, without its
// line end.
template <typename Visit>
void for_each_body_line(std::string_view text, Visit&& visit) {
  size_t start = text.find('\n');
  if (start == std::string_view::npos) return;
  ++start;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    visit(line);
    start = end + 1;
  }
}

}  // namespace

DictdEntry DictdEntry::parse(std::string_view text) {
  DictdEntry entry;
  entry.m_headword = headword_of(text.substr(0, text.find('\n')));

  std::string_view rest;
  bool numbered = false;
  for_each_body_line(
      text, [&](std::string_view line) { numbered = numbered || numbered_line(line, rest); });

  bool plain_taken = false;
  for_each_body_line(text, [&](std::string_view line) {
    if (marker_line(line)) {
      ++entry.m_sense_count;
      return;
    }
    if (numbered ? !numbered_line(line, rest) : (plain_taken || trim(line).empty())) return;
    if (!numbered) {
      rest = trim(line);
      plain_taken = true;
    }
    entry.m_sense_count += 1 + strip_trailing_markers(rest);
    // Parts without a letter or digit ("…") cannot be looked up: left out.
    Sense sense;
    Sense keys;
    for (std::string& translation : split_translations(rest)) {
      std::string key = lookup_text::key(translation);
      if (key.empty()) continue;
      sense.push_back(std::move(translation));
      keys.push_back(std::move(key));
    }
    if (sense.empty()) return;
    entry.m_senses.push_back(std::move(sense));
    entry.m_keys.push_back(std::move(keys));
  });
  return entry;
}

int DictdEntry::translation_count() const {
  int count = 0;
  for (const Sense& sense : m_senses) count += static_cast<int>(sense.size());
  return count;
}

std::optional<std::string> DictdEntry::best_translation(const std::vector<DictdEntry>& entries) {
  // How often a key recurs across all the entries; few enough to count by
  // scanning.
  auto recurrence = [&entries](const std::string& key) {
    int count = 0;
    for (const DictdEntry& entry : entries) {
      for (const Sense& keys : entry.keys())
        count += static_cast<int>(std::count(keys.begin(), keys.end(), key));
    }
    return count;
  };
  const std::string* best = nullptr;
  std::tuple<int, int, int> best_rank{};
  for (const DictdEntry& entry : entries) {
    if (entry.senses().empty()) continue;
    const Sense& first = entry.senses().front();
    for (size_t i = 0; i < first.size(); ++i) {
      const std::tuple<int, int, int> rank{recurrence(entry.keys().front()[i]), entry.sense_count(),
                                           entry.translation_count()};
      // Strictly better only: ties keep the earlier entry and candidate.
      if (best == nullptr || rank > best_rank) {
        best = &first[i];
        best_rank = rank;
      }
    }
  }
  if (best == nullptr) return std::nullopt;
  return lookup_text::display_form(*best);
}

}  // namespace prevod

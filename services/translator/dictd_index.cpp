#include "services/translator/dictd_index.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>

#include "services/translator/dictd_base64.h"
#include "services/translator/dictionary_error.h"

namespace prevod {

namespace {

bool is_meta_headword(std::string_view headword) {
  return headword.starts_with("00database") || headword.starts_with("00-database-");
}

std::optional<DictdIndexEntry> parse_line(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const size_t first_tab = line.find('\t');
  if (first_tab == std::string_view::npos || first_tab == 0) return std::nullopt;
  const size_t second_tab = line.find('\t', first_tab + 1);
  if (second_tab == std::string_view::npos) return std::nullopt;
  // Some dictionaries carry a fourth column (the original headword); the
  // first three are what a reader needs.
  size_t end = line.find('\t', second_tab + 1);
  if (end == std::string_view::npos) end = line.size();
  const auto offset = dictd_base64::decode(line.substr(first_tab + 1, second_tab - first_tab - 1));
  const auto length = dictd_base64::decode(line.substr(second_tab + 1, end - second_tab - 1));
  if (!offset || !length) return std::nullopt;
  return DictdIndexEntry{std::string(line.substr(0, first_tab)), *offset, *length};
}

}  // namespace

DictdIndex DictdIndex::read(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) throw DictionaryError("cannot open " + path);
  const std::streamoff size = file.tellg();
  // An index is a line per headword: hundreds of megabytes is not one.
  if (size < 0 || size > (std::streamoff{256} << 20)) throw DictionaryError("cannot read " + path);
  std::string text(static_cast<size_t>(size), '\0');
  file.seekg(0);
  if (!file.read(text.data(), size)) throw DictionaryError("cannot read " + path);
  return parse(text);
}

DictdIndex DictdIndex::parse(std::string_view text) {
  DictdIndex index;
  bool saw_meta = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line == "\r") continue;
    auto entry = parse_line(line);
    if (!entry) {
      ++index.m_skipped_lines;
      continue;
    }
    if (is_meta_headword(entry->headword)) {
      saw_meta = true;
      continue;
    }
    index.m_entries.push_back(std::move(*entry));
  }
  if (index.m_entries.empty()) {
    throw DictionaryError(saw_meta ? "the index has no entries" : "not a dictd index");
  }
  index.measure();
  return index;
}

void DictdIndex::measure() {
  std::vector<std::pair<uint64_t, uint64_t>> ranges;
  ranges.reserve(m_entries.size());
  for (const DictdIndexEntry& entry : m_entries) {
    const uint64_t end = entry.offset + entry.length;
    m_extent = std::max(m_extent, end < entry.offset ? UINT64_MAX : end);
    ranges.emplace_back(entry.offset, entry.length);
  }
  std::sort(ranges.begin(), ranges.end());
  ranges.erase(std::unique(ranges.begin(), ranges.end()), ranges.end());
  for (const auto& [offset, length] : ranges) {
    m_covered = length > UINT64_MAX - m_covered ? UINT64_MAX : m_covered + length;
  }
}

void DictdIndex::check_fits(uint64_t text_length) const {
  size_t beyond = 0;
  for (const DictdIndexEntry& entry : m_entries) {
    if (entry.offset > text_length || entry.length > text_length - entry.offset) ++beyond;
  }
  if (beyond * 2 > m_entries.size()) {
    throw DictionaryError(std::to_string(beyond) + " of the " + std::to_string(m_entries.size()) +
                              " entries of the index lie beyond the end of its text (" +
                              std::to_string(text_length) + " bytes)",
                          DictionaryError::Kind::Damaged);
  }
  // Entries may share stretches of text; far more than the text is damage.
  constexpr uint64_t kSlack = uint64_t{64} << 10;
  if (m_covered > 2 * text_length + kSlack) {
    throw DictionaryError("the entries of the index cover " + std::to_string(m_covered) +
                              " bytes of a text of " + std::to_string(text_length),
                          DictionaryError::Kind::Damaged);
  }
}

}  // namespace prevod

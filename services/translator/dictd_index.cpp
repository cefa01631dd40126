#include "services/translator/dictd_index.h"

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
  return index;
}

}  // namespace prevod

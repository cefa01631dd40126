#include "services/translator/reverse_index.h"

#include <algorithm>
#include <cassert>
#include <tuple>

#include "services/translator/dictd_entry.h"
#include "services/translator/lookup_text.h"

namespace prevod {

void ReverseIndex::reserve(size_t translations) {
  m_slots.reserve(translations);
  m_slot_values.reserve(translations);
  m_pool.reserve(translations);
}

void ReverseIndex::add(const std::vector<DictdEntry>& entries, const std::string& fallback_headword,
                       const std::string& chosen_key) {
  assert(!m_finished);
  // Headwords of this group only: the same text under another index
  // headword is a separate headword with its own standing.
  const size_t group_start = m_headwords.size();
  for (const DictdEntry& entry : entries) {
    const std::string& text = entry.headword().empty() ? fallback_headword : entry.headword();
    auto known = std::find(m_headwords.begin() + static_cast<std::ptrdiff_t>(group_start),
                           m_headwords.end(), text);
    const auto id = static_cast<uint32_t>(known - m_headwords.begin());
    if (known == m_headwords.end()) m_headwords.push_back(text);
    for (size_t s = 0; s < entry.keys().size(); ++s) {
      const DictdEntry::Sense& keys = entry.keys()[s];
      for (size_t t = 0; t < keys.size(); ++t) {
        auto [slot, added] =
            m_slots.try_emplace(keys[t], static_cast<uint32_t>(m_slot_values.size()));
        if (added) m_slot_values.push_back(kNone);
        uint32_t& head = m_slot_values[slot->second];
        uint32_t at = head;
        while (at != kNone && m_pool[at].headword != id) at = m_pool[at].next;
        if (at == kNone) {
          at = static_cast<uint32_t>(m_pool.size());
          m_pool.push_back(Candidate{id, head, 0, keys[t] == chosen_key, false, false});
          head = at;
        }
        Candidate& candidate = m_pool[at];
        candidate.first_in_sense = candidate.first_in_sense || t == 0;
        candidate.in_first_sense = candidate.in_first_sense || s == 0;
        ++candidate.places;
      }
    }
  }
}

bool ReverseIndex::better(const Candidate& a, const Candidate& b) const {
  const std::string& x = m_headwords[a.headword];
  const std::string& y = m_headwords[b.headword];
  auto rank = [](const Candidate& c, const std::string& headword) {
    return std::make_tuple(!c.round_trip, !c.first_in_sense, lookup_text::word_count(headword),
                           -static_cast<int64_t>(c.places), !c.in_first_sense,
                           lookup_text::starts_with_upper(headword), headword.size());
  };
  const auto ra = rank(a, x);
  const auto rb = rank(b, y);
  if (ra != rb) return ra < rb;
  if (x != y) return x < y;
  return a.headword < b.headword;
}

void ReverseIndex::finish() {
  for (const auto& [key, slot] : m_slots) {
    uint32_t best = m_slot_values[slot];
    for (uint32_t at = m_pool[best].next; at != kNone; at = m_pool[at].next) {
      if (better(m_pool[at], m_pool[best])) best = at;
    }
    m_slot_values[slot] = m_pool[best].headword;
    m_max_words = std::max(m_max_words, lookup_text::word_count(key));
  }
  m_pool.clear();
  m_pool.shrink_to_fit();
  m_finished = true;
}

std::optional<std::string> ReverseIndex::find(const std::string& key) const {
  assert(m_finished);
  auto found = m_slots.find(key);
  if (found == m_slots.end()) return std::nullopt;
  return m_headwords[m_slot_values[found->second]];
}

}  // namespace prevod

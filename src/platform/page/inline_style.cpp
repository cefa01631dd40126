#include "platform/page/inline_style.h"

#include <algorithm>
#include <cctype>

namespace prevod {

namespace {

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
    text.remove_suffix(1);
  }
  return text;
}

}  // namespace

void InlineStyle::set(std::string_view member, const std::string& value) {
  std::string name = lower(trim(member));
  if (name.empty()) return;
  auto it = std::find_if(m_declarations.begin(), m_declarations.end(),
                         [&](const auto& declaration) { return declaration.first == name; });
  if (value.empty()) {
    if (it != m_declarations.end()) m_declarations.erase(it);
  } else if (it != m_declarations.end()) {
    it->second = value;
  } else {
    m_declarations.emplace_back(std::move(name), value);
  }
  if (m_on_change) m_on_change();
}

std::string InlineStyle::get(std::string_view member) const {
  std::string name = lower(trim(member));
  for (const auto& [key, value] : m_declarations) {
    if (key == name) return value;
  }
  return "";
}

void InlineStyle::parse(std::string_view text) {
  m_declarations.clear();
  while (!text.empty()) {
    size_t semicolon = text.find(';');
    std::string_view declaration = text.substr(0, semicolon);
    text = semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);
    size_t colon = declaration.find(':');
    if (colon == std::string_view::npos) continue;
    std::string name = lower(trim(declaration.substr(0, colon)));
    std::string value(trim(declaration.substr(colon + 1)));
    if (name.empty() || value.empty()) continue;
    auto it = std::find_if(m_declarations.begin(), m_declarations.end(),
                           [&](const auto& existing) { return existing.first == name; });
    if (it != m_declarations.end()) {
      it->second = std::move(value);
    } else {
      m_declarations.emplace_back(std::move(name), std::move(value));
    }
  }
}

std::string InlineStyle::text() const {
  std::string result;
  for (const auto& [name, value] : m_declarations) {
    if (!result.empty()) result += "; ";
    result += name + ": " + value;
  }
  return result;
}

bool InlineStyle::hides() const {
  std::string display = lower(trim(get("display")));
  return display == "none" || display.starts_with("none ") || display.starts_with("none!");
}

}  // namespace prevod

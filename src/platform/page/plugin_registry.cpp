#include <cctype>

#include "platform/page/plugin.h"

namespace prevod {

namespace {

// Class ids are compared without regard to case or surrounding blanks.
std::string classid_key(const std::string& classid) {
  size_t begin = classid.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return "";
  size_t end = classid.find_last_not_of(" \t\r\n");
  std::string key = classid.substr(begin, end - begin + 1);
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

}  // namespace

void PluginRegistry::add(const std::string& classid, Factory factory) {
  m_factories[classid_key(classid)] = std::move(factory);
}

std::unique_ptr<Plugin> PluginRegistry::create(const PluginParams& params) const {
  auto it = m_factories.find(classid_key(params.classid));
  if (it == m_factories.end() || !it->second) return nullptr;
  return it->second(params);
}

}  // namespace prevod

#include <cctype>

#include "platform/page/site.h"

namespace prevod {

namespace {

std::string host_key(const std::string& host) {
  std::string key = host;
  for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

}  // namespace

void SiteRegistry::add(const std::string& host, std::shared_ptr<Site> site) {
  m_sites[host_key(host)] = std::move(site);
}

Site* SiteRegistry::find(const std::string& host) const {
  auto it = m_sites.find(host_key(host));
  return it == m_sites.end() ? nullptr : it->second.get();
}

}  // namespace prevod

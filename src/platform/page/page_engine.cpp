#include "platform/page/page_engine.h"

#include "platform/page/page_browser.h"

namespace prevod {

std::unique_ptr<Browser> PageEngine::create_browser() {
  return std::make_unique<PageBrowser>(m_loop, m_sites, m_plugins, m_trace);
}

}  // namespace prevod

#include "model/web_browser.h"

#include "base/runtime_error.h"
#include "base/trace.h"
#include "model/runtime.h"
#include "model/window.h"

namespace prevod {

WebBrowser::WebBrowser(Window& window, const ControlSpec& design)
    : Control(window, design), m_browser(runtime().browsers.create_browser()) {
  m_browser->on_download_complete = [this] {
    if (on_download_complete) raise("DownloadComplete", on_download_complete);
  };
  // An element of the page took the focus: the keyboard now goes to the page.
  m_browser->on_focus_request = [this] { this->window().focus_control(this); };
  // What the page shows changed: the desktop draws it again.
  m_browser->on_view_changed = [this] { changed(); };
}

WebBrowser::~WebBrowser() {
  if (m_browser) {
    m_browser->on_download_complete = nullptr;
    m_browser->on_focus_request = nullptr;
    m_browser->on_view_changed = nullptr;
  }
}

void WebBrowser::Navigate(const std::string& address) {
  m_browser->Navigate(address);
}

bool WebBrowser::Busy() const {
  return m_browser->Busy();
}

std::shared_ptr<HtmlDocument> WebBrowser::Document() const {
  return m_browser->Document();
}

std::string WebBrowser::LocationURL() const {
  return m_browser->LocationURL();
}

std::string WebBrowser::page_text() const {
  return m_browser->page_text();
}

void WebBrowser::focus_gained() {
  m_browser->focus_gained();
}

void WebBrowser::key_event(const KeyEvent& event) {
  m_browser->key_event(event);
}

std::optional<std::string> WebBrowser::property(std::string_view name) const {
  if (name == "LocationURL") return m_browser->LocationURL();
  if (name == "Busy") return m_browser->Busy() ? "True" : "False";
  return Control::property(name);
}

}  // namespace prevod

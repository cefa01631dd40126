#pragma once

// The embedded web browser control. It keeps its own geometry like any
// control and hands navigation, the document and the keyboard to the page
// engine behind it. DownloadComplete runs as a top-level event.

#include <functional>
#include <memory>

#include "model/control.h"
#include "platform/browser.h"

namespace prevod {

class WebBrowser : public Control {
 public:
  WebBrowser(Window& window, const ControlSpec& design);
  ~WebBrowser() override;

  // Starts loading and returns at once.
  void Navigate(const std::string& address);
  bool Busy() const;
  // The document loaded last; RuntimeError before the first one.
  std::shared_ptr<HtmlDocument> Document() const;
  std::string LocationURL() const;
  std::string page_text() const;
  Browser& browser() { return *m_browser; }

  bool can_take_focus() const override { return true; }
  void focus_gained() override;
  void key_event(const KeyEvent& event) override;
  std::optional<std::string> property(std::string_view name) const override;

  std::function<void()> on_download_complete;

 private:
  std::unique_ptr<Browser> m_browser;
};

}  // namespace prevod

#pragma once

// The embedded browser as a web browser control drives it. Navigate returns
// at once; the page loads in the background on the event loop, and each
// finished download raises on_download_complete (a page may raise it several
// times). A fragment-only navigation stays in the same document.

#include <functional>
#include <memory>
#include <string>

#include "platform/keys.h"
#include "platform/page_model.h"
#include "platform/page_view.h"

namespace prevod {

class Browser {
 public:
  virtual ~Browser() = default;
  virtual void Navigate(const std::string& address) = 0;
  // True while a navigation is in progress.
  virtual bool Busy() const = 0;
  // The document loaded last; RuntimeError before the first one.
  virtual std::shared_ptr<HtmlDocument> Document() const = 0;
  // The address of the current page ("" before the first navigation).
  virtual std::string LocationURL() const = 0;
  // The page's text as a person would read it, for the console and traces.
  virtual std::string page_text() const = 0;
  // The browser control took its window's keyboard focus.
  virtual void focus_gained() = 0;
  // A key event reaching the browser while it has the keyboard focus; the
  // page hands it to its focused element (a plug-in takes its own keys).
  virtual void key_event(const KeyEvent& event) = 0;

  // What a desktop draws of the page shown now; no flows before the first
  // page. Reading it re-arms on_view_changed.
  virtual PageView view() const { return {}; }
  // Moves on with every change to what view() would return.
  virtual uint64_t view_revision() const { return 0; }
  // A person's click or wheel on a plug-in that view() showed: the plug-in
  // takes the page focus and acts. Nothing happens when it is gone.
  virtual void plugin_action(uint64_t plugin, const PluginAction& action) {
    (void)plugin;
    (void)action;
  }

  // Raised, on the event loop, after each finished download.
  std::function<void()> on_download_complete;
  // Raised at once when an element of the page takes the focus through
  // focus() or Click(): the browser control then becomes its window's
  // focused control, so that the keyboard reaches the page.
  std::function<void()> on_focus_request;
  // Raised at once when what view() returns changes: once after each read
  // of view(), not for every change, since one read shows them all.
  std::function<void()> on_view_changed;
};

class BrowserFactory {
 public:
  virtual ~BrowserFactory() = default;
  virtual std::unique_ptr<Browser> create_browser() = 0;
};

}  // namespace prevod

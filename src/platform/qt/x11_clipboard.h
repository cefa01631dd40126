#pragma once

// The desktop clipboard on X11: the CLIPBOARD selection in text form,
// UTF-8. A worker thread with its own X connection owns our text and serves
// it to other programs (large texts in increments), and fetches the text
// that another program owns. The window thread only hands it requests and
// waits for the answer, for one deadline at most: an owner that does not
// answer in time (stopped, hung, or busy) means the clipboard is held by
// another program, a RuntimeError as on every desktop. Serving our own
// text goes on meanwhile, and reading what we own ourselves needs no
// conversation at all.
//
// The worker has its own thread so that serving never waits for a handler
// on the window thread to finish, a slow reader of a long text never holds
// up the window thread, and the window thread's wait is one bounded wait on
// a condition rather than a nested event loop.

#include <memory>
#include <string>

#include "base/trace.h"
#include "platform/clipboard.h"

namespace prevod {

class X11Clipboard : public Clipboard {
 public:
  // Throws RuntimeError when there is no X server.
  explicit X11Clipboard(Trace& trace, int deadline_ms = 500);
  ~X11Clipboard() override;

  // Takes the clipboard and leaves it without text.
  void Clear() override;
  // Takes the clipboard with `text` (UTF-8).
  void SetText(const std::string& text) override;
  // The text the clipboard holds, as UTF-8; "" when it holds none. A text
  // that is not valid UTF-8 is passed on as it is.
  std::string GetText() override;

  class Worker;

 private:
  Trace& m_trace;
  std::unique_ptr<Worker> m_worker;
};

}  // namespace prevod

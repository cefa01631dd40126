#pragma once

// A person's input on a widget of a window view, run as a top-level handler
// of the event loop. It also counts the widget event handlers that are in
// the middle of such a handler now: a view torn down from inside one of
// them (a click that unloads its own window) cannot delete the widget whose
// handler is still running, and leaves its widgets for Qt's loop to delete.

#include <functional>
#include <string_view>

namespace prevod {

class EventLoop;

class WidgetInput {
 public:
  static void dispatch(EventLoop& loop, std::string_view what,
                       const std::function<void()>& handler);
  // Whether a widget's event handler is running a model handler now.
  static bool handling() { return s_depth > 0; }

 private:
  static inline int s_depth = 0;
};

}  // namespace prevod

#include "platform/qt/widget_input.h"

#include "base/event_loop.h"

namespace prevod {

void WidgetInput::dispatch(EventLoop& loop, std::string_view what,
                           const std::function<void()>& handler) {
  struct Depth {
    Depth() { ++s_depth; }
    ~Depth() { --s_depth; }
  } depth;
  loop.dispatch(what, handler);
}

}  // namespace prevod

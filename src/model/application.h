#pragma once

// The running program as the run-time model sees it: a fixed set of named
// windows, each created the first time it is used (creation runs its
// Form_Load before the using statement continues), unloaded one by one, and
// the end of the program once every window it created has been unloaded.
// The program says which windows it has and makes them (make_window).

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/deferred_tasks.h"
#include "model/runtime.h"

namespace prevod {

class Window;

class Application {
 public:
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  Runtime& runtime() { return m_runtime; }

  // Starts the program by creating its start-up window.
  void start();

  // A window by name, created on first use; nullptr for other names.
  Window* window(const std::string& name);
  // The window of that name if it exists now, without creating it.
  Window* loaded_window(const std::string& name) const;
  Window* window_by_handle(uint32_t hWnd) const;
  // The windows that exist now, in the order the program names them.
  std::vector<Window*> windows() const;

  // Unloads a window; called by Window::Unload.
  void unload(Window& window);
  // True once every window has been unloaded.
  bool ended() const { return m_ended; }

 protected:
  // `window_names` in the program's order; the first is the start-up window.
  Application(Runtime& runtime, std::vector<std::string> window_names);
  // Makes the window of one of the names; it must not be loaded yet.
  virtual std::unique_ptr<Window> make_window(const std::string& name) = 0;
  // Destroys every window now, the last named first.
  void destroy_windows();

 private:
  struct Slot {
    std::string name;
    std::unique_ptr<Window> window;
  };
  Slot* slot_of(const std::string& name);
  void bury(Slot& slot);

  Runtime& m_runtime;
  std::vector<Slot> m_slots;
  std::vector<std::unique_ptr<Window>> m_graveyard;
  // Empties the graveyard once the handler that unloaded a window returns.
  DeferredTasks m_burials;
  bool m_started = false;
  bool m_ended = false;
};

}  // namespace prevod

#pragma once

// The running program: its shared state and its three windows, each created
// the first time it is used (creation runs its Form_Load before the using
// statement continues). The process ends when no window remains.

#include <cstdint>
#include <memory>
#include <vector>

#include "app/runtime.h"
#include "app/shared_state.h"

class Window;
class Form1;
class Form2;
class Form3;

class Application {
 public:
  explicit Application(Runtime& runtime);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  Runtime& runtime() { return m_runtime; }
  SharedState& shared() { return m_shared; }

  // Starts the program: the speech window is the start-up window.
  void start();

  // Each accessor creates its window on first use.
  class Form1& Form1();
  class Form2& Form2();
  class Form3& Form3();
  // The window if it exists now, without creating it.
  class Form1* Form1_if_loaded() const {
    return m_form1.get();
  }
  class Form2* Form2_if_loaded() const {
    return m_form2.get();
  }
  class Form3* Form3_if_loaded() const {
    return m_form3.get();
  }
  // A window by name ("Form1"), created on first use; nullptr for other names.
  Window* window(const std::string& name);
  Window* window_by_handle(uint32_t hWnd) const;
  std::vector<Window*> windows() const;

  // Unloads a window; called by Window::Unload.
  void unload(Window& window);
  // True once every window has been unloaded.
  bool ended() const { return m_ended; }

 private:
  template <typename T>
  T& ensure(std::unique_ptr<T>& slot);
  void bury(Window& window);

  Runtime& m_runtime;
  SharedState m_shared;
  std::unique_ptr<class Form1> m_form1;
  std::unique_ptr<class Form2> m_form2;
  std::unique_ptr<class Form3> m_form3;
  std::vector<std::unique_ptr<Window>> m_graveyard;
  bool m_started = false;
  bool m_ended = false;
};

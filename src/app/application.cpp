#include "app/application.h"

#include "app/event_loop.h"
#include "app/window.h"
#include "speech/form3.h"
#include "translation/form2.h"
#include "voicereader/form1.h"

Application::Application(Runtime& runtime) : m_runtime(runtime) {}

Application::~Application() {
  m_graveyard.clear();
  m_form3.reset();
  m_form2.reset();
  m_form1.reset();
}

void Application::start() {
  m_started = true;
  Form1();
}

template <typename T>
T& Application::ensure(std::unique_ptr<T>& slot) {
  if (!slot) {
    slot = std::make_unique<T>(*this);
    T& window = *slot;
    m_runtime.loop.raise(window.name() + ".Form_Load", [&window] { window.Form_Load(); });
  }
  return *slot;
}

Form1& Application::Form1() {
  return ensure(m_form1);
}
Form2& Application::Form2() {
  return ensure(m_form2);
}
Form3& Application::Form3() {
  return ensure(m_form3);
}

Window* Application::window(const std::string& name) {
  if (name == "Form1") return &Form1();
  if (name == "Form2") return &Form2();
  if (name == "Form3") return &Form3();
  return nullptr;
}

std::vector<Window*> Application::windows() const {
  std::vector<Window*> all;
  if (m_form1) all.push_back(m_form1.get());
  if (m_form2) all.push_back(m_form2.get());
  if (m_form3) all.push_back(m_form3.get());
  return all;
}

Window* Application::window_by_handle(uint32_t hWnd) const {
  for (Window* window : windows()) {
    if (window->hWnd() == hWnd) return window;
  }
  return nullptr;
}

void Application::bury(Window& window) {
  auto take = [&](auto& slot) {
    if (slot.get() == &window) m_graveyard.push_back(std::move(slot));
  };
  take(m_form1);
  take(m_form2);
  take(m_form3);
  // The window object lives on until the handler that unloaded it returns.
  m_runtime.loop.call_later(0, [this] { m_graveyard.clear(); });
}

void Application::unload(Window& window) {
  if (window.unloaded()) return;
  m_runtime.loop.raise(window.name() + ".Form_Unload", [&window] { window.Form_Unload(); });
  if (window.unloaded()) return;  // Form_Unload may not unload it twice
  window.mark_unloaded();
  bury(window);
  if (m_started && windows().empty()) {
    m_ended = true;
    m_runtime.loop.quit();
  }
}

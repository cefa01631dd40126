#include "model/application.h"

#include "base/event_loop.h"
#include "model/window.h"

namespace prevod {

Application::Application(Runtime& runtime, std::vector<std::string> window_names)
    : m_runtime(runtime), m_burials(runtime.loop) {
  for (std::string& name : window_names) m_slots.push_back(Slot{std::move(name), nullptr});
}

Application::~Application() {
  // The derived program destroys its windows while it still exists; this
  // only catches the ones buried by a last unload.
  m_graveyard.clear();
}

void Application::destroy_windows() {
  m_graveyard.clear();
  for (auto slot = m_slots.rbegin(); slot != m_slots.rend(); ++slot) slot->window.reset();
}

void Application::start() {
  m_started = true;
  if (!m_slots.empty()) window(m_slots.front().name);
}

Application::Slot* Application::slot_of(const std::string& name) {
  for (Slot& slot : m_slots) {
    if (slot.name == name) return &slot;
  }
  return nullptr;
}

Window* Application::window(const std::string& name) {
  Slot* slot = slot_of(name);
  if (slot == nullptr) return nullptr;
  if (!slot->window) {
    slot->window = make_window(name);
    Window& created = *slot->window;
    m_runtime.loop.raise(name + ".Form_Load", [&created] { created.Form_Load(); });
  }
  return slot->window.get();
}

Window* Application::loaded_window(const std::string& name) const {
  for (const Slot& slot : m_slots) {
    if (slot.name == name) return slot.window.get();
  }
  return nullptr;
}

std::vector<Window*> Application::windows() const {
  std::vector<Window*> all;
  for (const Slot& slot : m_slots) {
    if (slot.window) all.push_back(slot.window.get());
  }
  return all;
}

Window* Application::window_by_handle(uint32_t hWnd) const {
  for (Window* window : windows()) {
    if (window->hWnd() == hWnd) return window;
  }
  return nullptr;
}

void Application::bury(Slot& slot) {
  m_graveyard.push_back(std::move(slot.window));
  // The window object lives on until the handler that unloaded it returns.
  if (m_burials.size() == 0) m_burials.call_later(0, [this] { m_graveyard.clear(); });
}

void Application::unload(Window& window) {
  if (window.unloaded()) return;
  m_runtime.loop.raise(window.name() + ".Form_Unload", [&window] { window.Form_Unload(); });
  if (window.unloaded()) return;  // Form_Unload may not unload it twice
  window.mark_unloaded();
  for (Slot& slot : m_slots) {
    if (slot.window.get() == &window) bury(slot);
  }
  if (m_started && windows().empty()) {
    m_ended = true;
    m_runtime.loop.quit();
  }
}

}  // namespace prevod

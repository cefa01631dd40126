#include "program/console_on_input.h"

#include "base/event_loop.h"

namespace prevod {

ConsoleOnInput::ConsoleOnInput(int fd, EventLoop& loop, Execute execute, Print print, Quit quit)
    : m_handlers(std::make_shared<Handlers>(Handlers{std::move(execute), std::move(print)})),
      m_reader(
          fd,
          [&loop, handlers = std::weak_ptr<Handlers>(m_handlers), quit](const std::string& line) {
            if (line == "quit" || line == "exit") return quit();
            loop.post([handlers, line] {
              std::shared_ptr<Handlers> console = handlers.lock();
              if (!console) return;
              if (std::optional<std::string> answer = console->execute(line))
                console->print(*answer);
            });
          },
          quit) {}

}  // namespace prevod

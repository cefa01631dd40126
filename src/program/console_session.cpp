#include "program/console_session.h"

#include <optional>

#include "base/event_loop.h"
#include "program/console.h"
#include "program/line_reader.h"

namespace prevod {

void run_with_console(EventLoop& loop, Console& console, const ConsoleSession& session) {
  // The end goes to the loop behind the commands read before it, so that
  // each of them is answered first; nothing read after it is handed on.
  bool ended = false;
  auto end = [&loop, &ended, quit = session.quit_from_any_thread] {
    ended = true;
    loop.post(quit);
  };
  LineReader reader(
      session.fd,
      [&](const std::string& line) {
        if (ended) return;
        if (line == "quit" || line == "exit") return end();
        loop.post([&console, print = session.print, line] {
          if (std::optional<std::string> answer = console.execute(line)) print(*answer);
        });
      },
      [&] {
        if (!ended && session.at_end == AtEndOfInput::EndTheLoop) end();
      });
  session.run_loop();
  reader.stop();
}

}  // namespace prevod

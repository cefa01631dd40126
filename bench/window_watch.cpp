// window-watch: starts a program and reports when its top-level windows are
// mapped, for the desktop benchmark (bench/desktop.sh). It watches the X
// server's root window from before the program starts, so a window mapped
// at once is not missed, and follows each new top-level window through the
// window manager's reparenting by its own map events, not by polling.
//
//   window-watch [--timeout MS] [--min-size PX] [--watch NAME]... [--wait NAME]...
//                -- program [arguments...]
//
// A NAME matches a window whose title (_NET_WM_NAME or WM_NAME) is NAME, or
// whose class (either part of WM_CLASS) is NAME in any case, and that is at
// least PX pixels wide and high (50 unless told; a tray icon's window is
// smaller). --wait names are also waited for. Output, one line each, as it
// happens:
//
//   pid PID                 the program's process
//   mapped MS NAME          a window of NAME was mapped MS milliseconds after the start
//   done | timeout          every waited-for name was mapped, or the time ran out
//
// The program writes its own output to window-watch's standard error, and
// goes on running after window-watch ends; the caller ends it.
// Exit status: 0 done, 1 timeout, 2 bad use or no display.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <strings.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  int timeout_ms = 30000;
  int min_size = 50;
  std::vector<std::string> watched;
  std::set<std::string> waited;
  char** program = nullptr;
};

bool parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") {
      if (i + 1 >= argc) return false;
      options.program = argv + i + 1;
      return true;
    }
    if (i + 1 >= argc) return false;
    if (arg == "--timeout") {
      options.timeout_ms = std::atoi(argv[++i]);
    } else if (arg == "--min-size") {
      options.min_size = std::atoi(argv[++i]);
    } else if (arg == "--watch" || arg == "--wait") {
      options.watched.push_back(argv[++i]);
      if (arg == "--wait") options.waited.insert(argv[i]);
    } else {
      return false;
    }
  }
  return false;
}

// The window's title, "" when it has none yet.
std::string title_of(Display* display, Window window) {
  const Atom net_name = XInternAtom(display, "_NET_WM_NAME", False);
  const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, net_name, 0, 1024, False, utf8, &type, &format, &count,
                         &after, &data) == Success &&
      data != nullptr) {
    title.assign(reinterpret_cast<char*>(data), count);
  }
  if (data != nullptr) XFree(data);
  if (!title.empty()) return title;
  char* name = nullptr;
  if (XFetchName(display, window, &name) && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

// The first watched name the window answers to, or "".
std::string match(Display* display, Window window, const std::vector<std::string>& watched) {
  const std::string title = title_of(display, window);
  XClassHint hint{};
  std::string res_name;
  std::string res_class;
  if (XGetClassHint(display, window, &hint)) {
    if (hint.res_name) res_name = hint.res_name;
    if (hint.res_class) res_class = hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  for (const std::string& name : watched) {
    if (title == name || strcasecmp(res_name.c_str(), name.c_str()) == 0 ||
        strcasecmp(res_class.c_str(), name.c_str()) == 0) {
      return name;
    }
  }
  return "";
}

bool viewable(Display* display, Window window, int min_size) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable &&
         attributes.width >= min_size && attributes.height >= min_size;
}

int ignore_errors(Display*, XErrorEvent*) {
  return 0;  // windows come and go under our feet
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: window-watch [--timeout MS] [--min-size PX] [--watch NAME]... "
                 "[--wait NAME]... -- program [arguments...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "window-watch: cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(ignore_errors);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  const auto start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    close(ConnectionNumber(display));
    dup2(STDERR_FILENO, STDOUT_FILENO);
    execvp(options.program[0], options.program);
    std::fprintf(stderr, "window-watch: cannot start %s\n", options.program[0]);
    _exit(127);
  }
  std::printf("pid %d\n", static_cast<int>(pid));
  std::fflush(stdout);

  std::set<std::string> seen;
  std::set<Window> tracked;
  auto report = [&](Window window) {
    if (!viewable(display, window, options.min_size)) return;
    const std::string name = match(display, window, options.watched);
    if (name.empty() || !seen.insert(name).second) return;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    std::printf("mapped %lld %s\n", static_cast<long long>(ms), name.c_str());
    std::fflush(stdout);
  };
  auto all_waited_seen = [&] {
    for (const std::string& name : options.waited) {
      if (!seen.count(name)) return false;
    }
    return true;
  };

  const auto deadline = start + std::chrono::milliseconds(options.timeout_ms);
  while (!all_waited_seen()) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
        const Window window = event.xcreatewindow.window;
        tracked.insert(window);
        XSelectInput(display, window, StructureNotifyMask | PropertyChangeMask);
        report(window);  // mapped before it could be followed
      } else if (event.type == MapNotify && tracked.count(event.xmap.window)) {
        report(event.xmap.window);
      } else if (event.type == PropertyNotify && tracked.count(event.xproperty.window)) {
        report(event.xproperty.window);  // named after it was mapped
      } else if (event.type == ConfigureNotify && tracked.count(event.xconfigure.window)) {
        report(event.xconfigure.window);  // grown after it was mapped
      } else if (event.type == DestroyNotify) {
        tracked.erase(event.xdestroywindow.window);
      }
    }
    if (all_waited_seen()) break;
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      std::printf("timeout\n");
      return 1;
    }
    pollfd watched{ConnectionNumber(display), POLLIN, 0};
    poll(&watched, 1, static_cast<int>(left));
  }
  std::printf("done\n");
  XCloseDisplay(display);
  return 0;
}

#pragma once

// One prevod per user and display. The first start claims a name that
// stands for this user on this display and listens on it, on a thread of
// its own; each request it hears is posted to the loop through the
// callback it was given (the wiring makes that do what a left press on the
// tray icon does). A later start finds the name taken, asks its holder to
// show the translation window, learns that it was heard, and ends.
//
// The name is an abstract Unix socket: "prevod/<user id>/<display>". The
// kernel gives such a name to exactly one socket, so of two starts at the
// same moment exactly one wins; it lets go of the name when the socket
// closes, however its holder ended, so a crashed instance leaves nothing
// behind to block the next one; and it takes no file, no X connection and
// no window, so a second start learns its answer before it touches the
// display. (An X selection would give the first two, but only after
// connecting to the X server and making a window.) Abstract names have no
// permissions, so each side checks the other's credentials: a request from
// another user is not heard, and a name held by another user's socket
// makes this start run unguarded rather than obey it.
//
// Protocol, one request a connection: the asking side sends "show\n"; the
// holder posts the request and answers "shown\n". A connection that says
// anything else, or nothing within ConnectionLimitMs, is closed unanswered.

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace prevod {

class EventLoop;

class SingleInstance {
 public:
  enum class Outcome {
    First,      // the name is ours: run, and listen
    Shown,      // the running instance heard the request: end, status 0
    NoAnswer,   // the name is held, but nobody answered in time: end, status 1
    Unguarded,  // the name cannot be ours nor asked: run without it
  };
  struct Claim {
    Outcome outcome;
    std::unique_ptr<SingleInstance> instance;  // with First only
    std::string message;                       // one line for the user; "" with First
  };

  // How long a later start waits for the holder's answer, and how long the
  // holder gives one connection to say what it wants.
  static constexpr std::chrono::milliseconds DefaultAnswerLimit{5000};
  static constexpr int ConnectionLimitMs = 1000;

  // The name for a user on a display as DISPLAY gives it; the screen
  // number is dropped (":0.0" and ":0" are one display), and so is the
  // "unix" host (the local socket, as ":0").
  static std::string name_for(uid_t user, std::string_view display);
  // Claims `name`, or asks its holder to show the translation window.
  static Claim claim(const std::string& name,
                     std::chrono::milliseconds answer_limit = DefaultAnswerLimit);

  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // Starts answering requests, each posted to `loop` as `on_request`.
  // Requests made since the claim wait until then. Once.
  void listen(EventLoop& loop, std::function<void()> on_request);
  // Stops answering; the name stays ours until the instance goes.
  void stop();

 private:
  explicit SingleInstance(int socket);
  void run();
  void answer(int connection);

  int m_socket;
  int m_wake[2] = {-1, -1};
  EventLoop* m_loop = nullptr;
  std::function<void()> m_on_request;
  std::thread m_thread;
};

}  // namespace prevod

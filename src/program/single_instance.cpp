#include "program/single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "base/event_loop.h"

namespace prevod {

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kRequest = "show\n";
constexpr std::string_view kAnswer = "shown\n";
// How many starts may wait for the holder at once before the kernel refuses.
constexpr int kBacklog = 16;
// A name that was bound but does not take connections yet (its holder is
// between bind and listen, or going away) is tried again after this long.
constexpr int kRetryMs = 10;

// The abstract address of a name: a leading NUL, then the name's bytes.
sockaddr_un address_of(const std::string& name, socklen_t& length) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const size_t room = sizeof address.sun_path - 1;
  const size_t used = std::min(name.size(), room);
  std::memcpy(address.sun_path + 1, name.data(), used);
  length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + used);
  return address;
}

// The user on the other side of a connected socket, or -1.
long peer_user(int socket) {
  ucred credentials{};
  socklen_t length = sizeof credentials;
  if (getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0) return -1;
  return static_cast<long>(credentials.uid);
}

int remaining_ms(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<int64_t>(0, left.count()));
}

// Reads until `wanted` has come whole, something else has come, the peer
// has closed, the deadline has passed or `stop` (when given) is readable;
// whether `wanted` came.
bool receive(int socket, std::string_view wanted, Clock::time_point deadline, int stop = -1) {
  std::string got;
  while (got.size() < wanted.size()) {
    pollfd watched[2] = {{socket, POLLIN, 0}, {stop, POLLIN, 0}};
    const int ready = poll(watched, stop >= 0 ? 2 : 1, remaining_ms(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || watched[1].revents != 0) return false;
    char buffer[16];
    const ssize_t count =
        recv(socket, buffer, std::min(sizeof buffer, wanted.size() - got.size()), MSG_DONTWAIT);
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (count <= 0) return false;
    got.append(buffer, static_cast<size_t>(count));
    if (wanted.compare(0, got.size(), got) != 0) return false;
  }
  return true;
}

bool send_all(int socket, std::string_view text) {
  while (!text.empty()) {
    const ssize_t sent = send(socket, text.data(), text.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    text.remove_prefix(static_cast<size_t>(sent));
  }
  return true;
}

// 64-bit FNV-1a, to fit a long display into the address.
uint64_t fnv1a(std::string_view text) {
  uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

SingleInstance::Claim unguarded(const std::string& why) {
  return {SingleInstance::Outcome::Unguarded, nullptr,
          "prevod: " + why + "; running without the check for another prevod"};
}

std::string system_error(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

std::string SingleInstance::name_for(uid_t user, std::string_view display) {
  std::string shown(display);
  const size_t colon = shown.rfind(':');
  if (colon != std::string::npos) {
    const size_t dot = shown.find('.', colon);
    if (dot != std::string::npos) shown.erase(dot);
    if (shown.compare(0, colon, "unix") == 0) shown.erase(0, colon);
  }
  std::string name = "prevod/" + std::to_string(user) + "/";
  // The address holds 107 bytes after its NUL; a longer display is hashed.
  if (name.size() + shown.size() > sizeof(sockaddr_un::sun_path) - 1) {
    char hashed[17];
    std::snprintf(hashed, sizeof hashed, "%016llx", static_cast<unsigned long long>(fnv1a(shown)));
    return name + "#" + hashed;
  }
  return name + shown;
}

SingleInstance::Claim SingleInstance::claim(const std::string& name,
                                            std::chrono::milliseconds answer_limit) {
  socklen_t length = 0;
  const sockaddr_un address = address_of(name, length);
  const auto* raw = reinterpret_cast<const sockaddr*>(&address);
  const auto deadline = Clock::now() + answer_limit;
  while (true) {
    const int own = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (own < 0) return unguarded(system_error("cannot make a socket"));
    if (bind(own, raw, length) == 0) {
      if (::listen(own, kBacklog) != 0) {
        const std::string why = system_error("cannot listen");
        close(own);
        return unguarded(why);
      }
      return {Outcome::First, std::unique_ptr<SingleInstance>(new SingleInstance(own)), ""};
    }
    const int bind_error = errno;
    close(own);
    if (bind_error != EADDRINUSE) {
      errno = bind_error;
      return unguarded(system_error("cannot claim the name"));
    }

    // The name is held: ask its holder.
    const int asking = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (asking < 0) return unguarded(system_error("cannot make a socket"));
    if (connect(asking, raw, length) != 0) {
      const int connect_error = errno;
      close(asking);
      // Bound but not listening: its holder has just bound it or is going
      // away. Either way the next round knows more.
      if (connect_error == ECONNREFUSED && Clock::now() < deadline) {
        poll(nullptr, 0, kRetryMs);
        continue;
      }
      errno = connect_error;
      if (connect_error == ECONNREFUSED) {
        return {Outcome::NoAnswer, nullptr,
                "prevod: another prevod holds this display and does not answer"};
      }
      return unguarded(system_error("cannot reach the prevod that holds this display"));
    }
    if (peer_user(asking) != static_cast<long>(geteuid())) {
      close(asking);
      return unguarded("another user's program holds this display's name");
    }
    const bool heard = send_all(asking, kRequest) && receive(asking, kAnswer, deadline);
    close(asking);
    if (!heard) {
      return {Outcome::NoAnswer, nullptr,
              "prevod: another prevod holds this display and does not answer"};
    }
    return {Outcome::Shown, nullptr,
            "prevod: already running on this display; its translation window is shown"};
  }
}

SingleInstance::SingleInstance(int socket) : m_socket(socket) {
  if (pipe2(m_wake, O_CLOEXEC) != 0) throw std::system_error(errno, std::generic_category());
}

SingleInstance::~SingleInstance() {
  stop();
  close(m_wake[0]);
  close(m_wake[1]);
  close(m_socket);
}

void SingleInstance::listen(EventLoop& loop, std::function<void()> on_request) {
  if (m_thread.joinable()) return;
  m_loop = &loop;
  m_on_request = std::move(on_request);
  m_thread = std::thread([this] { run(); });
}

void SingleInstance::stop() {
  if (!m_thread.joinable()) return;
  char byte = 0;
  while (write(m_wake[1], &byte, 1) < 0 && errno == EINTR) {
  }
  m_thread.join();
}

void SingleInstance::run() {
  while (true) {
    pollfd watched[2] = {{m_socket, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    if (poll(watched, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    if (watched[1].revents != 0) return;
    const int connection = accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    answer(connection);
    close(connection);
  }
}

void SingleInstance::answer(int connection) {
  if (peer_user(connection) != static_cast<long>(geteuid())) return;
  const auto deadline = Clock::now() + std::chrono::milliseconds(ConnectionLimitMs);
  if (!receive(connection, kRequest, deadline, m_wake[0])) return;
  m_loop->post(m_on_request);
  send_all(connection, kAnswer);
}

}  // namespace prevod

// One prevod per user and display: the first claim wins and hears later
// starts on its own thread, posting their requests to the loop; a later
// start learns that it was heard; two starts at the same moment leave
// exactly one running; a crashed holder blocks nobody; a holder that does
// not answer, a client that says nothing or something else, and a name
// held by another user each get a clear outcome. Threads and processes are
// waited for on conditions with generous limits, never with sleeps.

#include "program/single_instance.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/event_loop.h"

namespace prevod {

namespace {

using namespace std::chrono_literals;
using Outcome = SingleInstance::Outcome;

constexpr auto kGenerous = 30s;

// A fresh name for each use, so that tests never meet each other.
std::string fresh_name() {
  static std::atomic<int> count = 0;
  return "prevod-test/" + std::to_string(getpid()) + "/" + std::to_string(count++);
}

// A loop that only collects what is posted to it, from any thread.
class PostedLoop : public EventLoop {
 public:
  int64_t now() const override { return 0; }
  void post(Callback callback) override {
    std::lock_guard lock(m_mutex);
    m_posted.push_back(std::move(callback));
    m_changed.notify_all();
  }
  size_t posted() {
    std::lock_guard lock(m_mutex);
    return m_posted.size();
  }
  bool wait_for_posts(size_t count) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, kGenerous, [&] { return m_posted.size() >= count; });
  }
  void run_posted() {
    std::vector<Callback> posted;
    {
      std::lock_guard lock(m_mutex);
      posted.swap(m_posted);
    }
    for (auto& callback : posted) callback();
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<Callback> m_posted;
};

// A raw socket on a name, as a stuck holder or another program has it.
class RawSocket {
 public:
  RawSocket() : m_fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
  ~RawSocket() { close(m_fd); }
  bool bind_and_listen(const std::string& name) {
    const sockaddr* at = address(name);
    return bind(m_fd, at, m_length) == 0 && listen(m_fd, 4) == 0;
  }
  bool connect_to(const std::string& name) {
    const sockaddr* at = address(name);
    return connect(m_fd, at, m_length) == 0;
  }
  bool say(const std::string& text) {
    return send(m_fd, text.data(), text.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(text.size());
  }
  // Says no more.
  void finish() { shutdown(m_fd, SHUT_WR); }
  // What the other side answered before it closed.
  std::string answer() {
    std::string out;
    char buffer[64];
    for (ssize_t got; (got = recv(m_fd, buffer, sizeof buffer, 0)) > 0;) out.append(buffer, got);
    return out;
  }

 private:
  const sockaddr* address(const std::string& name) {
    m_address.sun_family = AF_UNIX;
    std::memcpy(m_address.sun_path + 1, name.data(), name.size());
    m_length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return reinterpret_cast<const sockaddr*>(&m_address);
  }

  int m_fd;
  sockaddr_un m_address{};
  socklen_t m_length = 0;
};

TEST(SingleInstanceName, StandsForOneUserOnOneDisplay) {
  EXPECT_EQ(SingleInstance::name_for(1000, ":0"), "prevod/1000/:0");
  EXPECT_EQ(SingleInstance::name_for(1000, ":0.0"), "prevod/1000/:0");
  EXPECT_EQ(SingleInstance::name_for(1000, ":0.1"), "prevod/1000/:0");
  EXPECT_EQ(SingleInstance::name_for(1000, "unix:0.0"), "prevod/1000/:0");
  EXPECT_NE(SingleInstance::name_for(1000, ":1"), SingleInstance::name_for(1000, ":0"));
  EXPECT_NE(SingleInstance::name_for(1001, ":0"), SingleInstance::name_for(1000, ":0"));
  EXPECT_NE(SingleInstance::name_for(1000, "host.example:10.0"),
            SingleInstance::name_for(1000, ":10"));
  EXPECT_EQ(SingleInstance::name_for(1000, "host.example:10.0"), "prevod/1000/host.example:10");
}

TEST(SingleInstanceName, FitsALongDisplayIntoTheAddressWithoutMixingTwo) {
  const std::string a = std::string(200, 'a') + ":0";
  const std::string b = std::string(200, 'a') + ":1";
  EXPECT_LE(SingleInstance::name_for(4000000000u, a).size(), sizeof(sockaddr_un::sun_path) - 1);
  EXPECT_NE(SingleInstance::name_for(1000, a), SingleInstance::name_for(1000, b));
  EXPECT_EQ(SingleInstance::name_for(1000, a), SingleInstance::name_for(1000, a + ".0"));
}

TEST(SingleInstance, ALaterStartIsHeardAndItsRequestReachesTheLoop) {
  const std::string name = fresh_name();
  SingleInstance::Claim first = SingleInstance::claim(name);
  ASSERT_EQ(first.outcome, Outcome::First);
  ASSERT_NE(first.instance, nullptr);
  PostedLoop loop;
  int shown = 0;
  first.instance->listen(loop, [&shown] { ++shown; });

  for (int start = 1; start <= 3; ++start) {
    SingleInstance::Claim later = SingleInstance::claim(name);
    EXPECT_EQ(later.outcome, Outcome::Shown) << later.message;
    EXPECT_EQ(later.instance, nullptr);
    EXPECT_EQ(later.message,
              "prevod: already running on this display; its translation window is shown");
    // Heard means posted: the request is on the loop before the answer.
    EXPECT_EQ(loop.posted(), 1u) << "start " << start;
    loop.run_posted();
    EXPECT_EQ(shown, start);
  }
}

TEST(SingleInstance, ARequestMadeBeforeTheHolderListensIsAnsweredOnceItDoes) {
  const std::string name = fresh_name();
  SingleInstance::Claim first = SingleInstance::claim(name);
  ASSERT_EQ(first.outcome, Outcome::First);
  auto later = std::async(std::launch::async, [&] { return SingleInstance::claim(name).outcome; });
  PostedLoop loop;
  first.instance->listen(loop, [] {});
  ASSERT_EQ(later.wait_for(kGenerous), std::future_status::ready);
  EXPECT_EQ(later.get(), Outcome::Shown);
  EXPECT_EQ(loop.posted(), 1u);
}

TEST(SingleInstance, TheNameIsFreeAgainOnceTheHolderIsGone) {
  const std::string name = fresh_name();
  {
    SingleInstance::Claim first = SingleInstance::claim(name);
    ASSERT_EQ(first.outcome, Outcome::First);
    PostedLoop loop;
    first.instance->listen(loop, [] {});
  }
  EXPECT_EQ(SingleInstance::claim(name).outcome, Outcome::First);
}

TEST(SingleInstance, ACrashedHolderBlocksNobody) {
  const std::string name = fresh_name();
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    SingleInstance::Claim claim = SingleInstance::claim(name);
    const char outcome = claim.outcome == Outcome::First ? 'F' : 'x';
    if (write(ready[1], &outcome, 1) != 1) _exit(1);
    pause();
    _exit(0);
  }
  close(ready[1]);
  char outcome = 0;
  ASSERT_EQ(read(ready[0], &outcome, 1), 1);
  close(ready[0]);
  ASSERT_EQ(outcome, 'F');
  kill(holder, SIGKILL);
  ASSERT_EQ(waitpid(holder, nullptr, 0), holder);

  EXPECT_EQ(SingleInstance::claim(name).outcome, Outcome::First);
}

TEST(SingleInstance, AProgramItStartsDoesNotInheritTheName) {
  const std::string name = fresh_name();
  pid_t child = -1;
  {
    SingleInstance::Claim first = SingleInstance::claim(name);
    ASSERT_EQ(first.outcome, Outcome::First);
    // The pipe closes on the child's exec: from then on it holds only what
    // it inherited across the exec.
    int execed[2];
    ASSERT_EQ(pipe2(execed, O_CLOEXEC), 0);
    child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      execl("/bin/sh", "sh", "-c", "read line", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(execed[1]);
    char byte;
    ASSERT_EQ(read(execed[0], &byte, 1), 0);
    close(execed[0]);
  }
  const Outcome outcome = SingleInstance::claim(name, 200ms).outcome;
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  EXPECT_EQ(outcome, Outcome::First);
}

TEST(SingleInstance, AHolderThatDoesNotAnswerEndsTheWaitWithNoAnswer) {
  const std::string name = fresh_name();
  RawSocket stuck;
  ASSERT_TRUE(stuck.bind_and_listen(name));
  const SingleInstance::Claim later = SingleInstance::claim(name, 200ms);
  EXPECT_EQ(later.outcome, Outcome::NoAnswer);
  EXPECT_EQ(later.instance, nullptr);
  EXPECT_EQ(later.message, "prevod: another prevod holds this display and does not answer");
}

TEST(SingleInstance, OnlyTheRequestItKnowsIsHeard) {
  const std::string name = fresh_name();
  SingleInstance::Claim first = SingleInstance::claim(name);
  ASSERT_EQ(first.outcome, Outcome::First);
  PostedLoop loop;
  first.instance->listen(loop, [] {});
  for (const char* said : {"hello\n", "shows\n", "sho", "\n", "show"}) {
    RawSocket client;
    ASSERT_TRUE(client.connect_to(name));
    ASSERT_TRUE(client.say(said));
    client.finish();
    EXPECT_EQ(client.answer(), "") << said;
  }
  EXPECT_EQ(loop.posted(), 0u);
  EXPECT_EQ(SingleInstance::claim(name).outcome, Outcome::Shown);
  EXPECT_EQ(loop.posted(), 1u);
}

TEST(SingleInstance, AClientThatSaysNothingHoldsUpTheNextOneOnlyForAWhile) {
  const std::string name = fresh_name();
  SingleInstance::Claim first = SingleInstance::claim(name);
  ASSERT_EQ(first.outcome, Outcome::First);
  PostedLoop loop;
  first.instance->listen(loop, [] {});
  RawSocket silent;
  ASSERT_TRUE(silent.connect_to(name));
  const SingleInstance::Claim later =
      SingleInstance::claim(name, std::chrono::milliseconds(SingleInstance::ConnectionLimitMs * 5));
  EXPECT_EQ(later.outcome, Outcome::Shown) << later.message;
}

// Runs `action` in a child process as another user; its exit status.
int as_another_user(const std::function<int()>& action) {
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(99);
    _exit(action());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SingleInstance, AnotherUsersProgramIsNeitherHeardNorObeyed) {
  if (geteuid() != 0) GTEST_SKIP() << "takes the right to become another user";
  const std::string name = fresh_name();
  SingleInstance::Claim first = SingleInstance::claim(name);
  ASSERT_EQ(first.outcome, Outcome::First);
  PostedLoop loop;
  first.instance->listen(loop, [] {});
  // The other user's start finds our name and runs unguarded: it neither
  // obeys nor is heard.
  EXPECT_EQ(as_another_user(
                [&] { return static_cast<int>(SingleInstance::claim(name, 1000ms).outcome); }),
            static_cast<int>(Outcome::Unguarded));
  EXPECT_EQ(as_another_user([&] {
              RawSocket client;
              if (!client.connect_to(name)) return 2;
              // The holder may have closed already: sending can fail.
              client.say("show\n");
              client.finish();
              return client.answer().empty() ? 0 : 1;
            }),
            0)
      << "a request from another user is not answered";
  EXPECT_EQ(loop.posted(), 0u);

  // A name the other user's program holds is not obeyed either.
  const std::string theirs = fresh_name();
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t holder = fork();
  ASSERT_GE(holder, 0);
  if (holder == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(99);
    RawSocket squatter;
    const char bound = squatter.bind_and_listen(theirs) ? 'b' : 'x';
    if (write(ready[1], &bound, 1) != 1) _exit(1);
    pause();
    _exit(0);
  }
  close(ready[1]);
  char bound = 0;
  ASSERT_EQ(read(ready[0], &bound, 1), 1);
  close(ready[0]);
  const SingleInstance::Claim ours = SingleInstance::claim(theirs, 1000ms);
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  ASSERT_EQ(bound, 'b');
  EXPECT_EQ(ours.outcome, Outcome::Unguarded) << ours.message;
  EXPECT_EQ(ours.message,
            "prevod: another user's program holds this display's name; running without the check "
            "for another prevod");
}

TEST(SingleInstance, OfStartsAtTheSameMomentExactlyOneRuns) {
  constexpr int kStarts = 6;
  constexpr int kRounds = 100;
  for (int round = 0; round < kRounds; ++round) {
    const std::string name = fresh_name();
    PostedLoop loop;
    std::atomic<int> waiting = kStarts;
    std::vector<std::future<SingleInstance::Claim>> starts;
    for (int i = 0; i < kStarts; ++i) {
      starts.push_back(std::async(std::launch::async, [&] {
        // All go at once.
        --waiting;
        while (waiting.load() > 0) std::this_thread::yield();
        SingleInstance::Claim claim = SingleInstance::claim(name);
        if (claim.instance) claim.instance->listen(loop, [] {});
        return claim;
      }));
    }
    std::vector<SingleInstance::Claim> claims;
    for (auto& start : starts) {
      ASSERT_EQ(start.wait_for(kGenerous), std::future_status::ready);
      claims.push_back(start.get());
    }
    int first = 0;
    int shown = 0;
    for (const auto& claim : claims) {
      first += claim.outcome == Outcome::First;
      shown += claim.outcome == Outcome::Shown;
    }
    ASSERT_EQ(first, 1) << "round " << round;
    ASSERT_EQ(shown, kStarts - 1) << "round " << round;
    EXPECT_EQ(loop.posted(), static_cast<size_t>(kStarts - 1));
  }
}

}  // namespace

}  // namespace prevod

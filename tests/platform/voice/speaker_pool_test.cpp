// Speakers played by a pool of workers: how many threads they cost, that
// two of them still sound at once, that they take turns text by text, and
// what a speaker is told when no thread can be had.

#include "platform/voice/speaker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <system_error>

#include "base/runtime_error.h"
#include "platform/voice/null_sink.h"
#include "platform/voice/speaker.h"
#include "voice_test_support.h"

namespace prevod {

using voice_test::EventLog;
using voice_test::GatedSink;
using voice_test::GateState;
using voice_test::Heard;
using voice_test::kGenerous;
using Event = Speaker::Event;

namespace {

int thread_count() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Threads:", 0) == 0) return std::stoi(line.substr(8));
  }
  return -1;
}

// A thread starter that counts the threads it starts and, once `failing`
// is set, fails as a process out of threads does.
struct Starter {
  std::atomic<int> started = 0;
  std::atomic<bool> failing = false;

  SpeakerPool::ThreadStarter function() {
    return [this](std::function<void()> work) {
      if (failing)
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
      ++started;
      return std::thread(std::move(work));
    };
  }
};

std::unique_ptr<Speaker> null_speaker(const std::shared_ptr<SpeakerPool>& pool) {
  return std::make_unique<Speaker>(EspeakSynth::acquire(), std::make_unique<NullSink>(), "en",
                                   pool);
}

std::unique_ptr<Speaker> gated_speaker(const std::shared_ptr<GateState>& gate,
                                       const std::shared_ptr<SpeakerPool>& pool = nullptr) {
  return std::make_unique<Speaker>(EspeakSynth::acquire(), std::make_unique<GatedSink>(gate), "en",
                                   pool);
}

// A client whose turns hold the worker until let go, and that counts them.
class HeldClient : public SpeakerPool::Client {
 public:
  bool serve_turn() override {
    std::unique_lock lock(m_mutex);
    ++m_turns;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_open; });
    return false;
  }
  void open() {
    std::lock_guard lock(m_mutex);
    m_open = true;
    m_changed.notify_all();
  }
  bool wait_for_turns(int count) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, kGenerous, [&] { return m_turns >= count; });
  }
  int turns() const {
    std::lock_guard lock(m_mutex);
    return m_turns;
  }

 private:
  mutable std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_open = false;
  int m_turns = 0;
};

}  // namespace

TEST(SpeakerPoolThreads, IdleSpeakersCostNoThreadAndSpeakingOnesNoMoreThanTheLimit) {
  auto synth = EspeakSynth::acquire();
  const int before = thread_count();
  std::vector<std::unique_ptr<Speaker>> speakers;
  for (int i = 0; i < 300; ++i) {
    speakers.push_back(std::make_unique<Speaker>(synth, std::make_unique<NullSink>(), "en"));
  }
  EXPECT_EQ(thread_count(), before);
  for (auto& speaker : speakers) speaker->speak("Yes.");
  EXPECT_LE(thread_count(), before + static_cast<int>(SpeakerPool::kMaxWorkers));
  for (auto& speaker : speakers) ASSERT_TRUE(speaker->wait_until_idle(kGenerous));
  speakers.clear();
  EXPECT_EQ(thread_count(), before);
}

TEST(SpeakerPoolThreads, EverySpeakerIsHeardThroughTwoWorkers) {
  Starter starter;
  auto pool = std::make_shared<SpeakerPool>(2, starter.function());
  std::vector<std::unique_ptr<Speaker>> speakers;
  std::vector<std::unique_ptr<EventLog>> logs;
  for (int i = 0; i < 40; ++i) {
    speakers.push_back(null_speaker(pool));
    logs.push_back(std::make_unique<EventLog>());
    speakers.back()->set_observer(logs.back()->observer());
  }
  for (auto& speaker : speakers) speaker->speak("One.");
  for (auto& speaker : speakers) speaker->speak("Two.");
  for (size_t i = 0; i < speakers.size(); ++i) {
    ASSERT_TRUE(speakers[i]->wait_until_idle(kGenerous));
    EXPECT_EQ(logs[i]->events(), (std::vector<Heard>{{Event::Started, "One."},
                                                     {Event::Finished, "One."},
                                                     {Event::Started, "Two."},
                                                     {Event::Finished, "Two."}}));
  }
  EXPECT_EQ(starter.started, 2);
  EXPECT_EQ(pool->workers(), 2u);
}

TEST(SpeakerPoolTurns, TwoSpeakersSoundAtOnce) {
  // One speaker is held inside its sink; the other still speaks to its end.
  auto gate = std::make_shared<GateState>();
  auto held = gated_speaker(gate);
  held->speak("Held in the sink.");
  ASSERT_TRUE(gate->wait_for_writes(1));
  auto free = null_speaker(nullptr);
  EventLog log;
  free->set_observer(log.observer());
  free->speak("Spoken meanwhile.");
  ASSERT_TRUE(free->wait_until_idle(kGenerous));
  EXPECT_EQ(log.events().back(), (Heard{Event::Finished, "Spoken meanwhile."}));
  EXPECT_TRUE(held->busy());
  gate->release();
  ASSERT_TRUE(held->wait_until_idle(kGenerous));
}

TEST(SpeakerPoolTurns, SpeakersSharingOneWorkerTakeTurnsTextByText) {
  auto pool = std::make_shared<SpeakerPool>(1);
  auto gate = std::make_shared<GateState>();
  EventLog log;
  auto first = gated_speaker(gate, pool);
  auto second = null_speaker(pool);
  first->set_observer(log.observer());
  second->set_observer(log.observer());
  first->speak("First one.");
  first->speak("First two.");
  ASSERT_TRUE(gate->wait_for_writes(1));
  second->speak("Second one.");
  gate->release();
  ASSERT_TRUE(first->wait_until_idle(kGenerous));
  ASSERT_TRUE(second->wait_until_idle(kGenerous));
  EXPECT_EQ(log.events(), (std::vector<Heard>{{Event::Started, "First one."},
                                              {Event::Finished, "First one."},
                                              {Event::Started, "Second one."},
                                              {Event::Finished, "Second one."},
                                              {Event::Started, "First two."},
                                              {Event::Finished, "First two."}}));
}

TEST(SpeakerPoolTurns, ASpeakerDestroyedWhileWaitingInLineIsNeverServed) {
  auto pool = std::make_shared<SpeakerPool>(1);
  auto gate = std::make_shared<GateState>();
  auto held = gated_speaker(gate, pool);
  held->speak("Holding the only worker.");
  ASSERT_TRUE(gate->wait_for_writes(1));
  EventLog waiting_log;
  {
    auto waiting = null_speaker(pool);
    waiting->set_observer(waiting_log.observer());
    waiting->speak("Never heard.");
  }
  gate->release();
  ASSERT_TRUE(held->wait_until_idle(kGenerous));
  auto later = null_speaker(pool);
  later->speak("Heard.");
  ASSERT_TRUE(later->wait_until_idle(kGenerous));
  EXPECT_TRUE(waiting_log.events().empty());
}

TEST(SpeakerPoolFailure, ASpeakerWithoutAnyThreadIsToldAndKeepsNothing) {
  Starter starter;
  starter.failing = true;
  auto pool = std::make_shared<SpeakerPool>(4, starter.function());
  auto speaker = null_speaker(pool);
  EXPECT_THROW(speaker->speak("No thread for this."), RuntimeError);
  EXPECT_FALSE(speaker->busy());
  EXPECT_EQ(pool->workers(), 0u);
  // Threads to be had again: the speaker speaks.
  starter.failing = false;
  EventLog log;
  speaker->set_observer(log.observer());
  speaker->speak("Now it speaks.");
  ASSERT_TRUE(speaker->wait_until_idle(kGenerous));
  EXPECT_EQ(log.events(), (std::vector<Heard>{{Event::Started, "Now it speaks."},
                                              {Event::Finished, "Now it speaks."}}));
}

TEST(SpeakerPoolFailure, WithOneWorkerRunningASpeakerWaitsItsTurnInstead) {
  Starter starter;
  auto pool = std::make_shared<SpeakerPool>(4, starter.function());
  auto gate = std::make_shared<GateState>();
  auto held = gated_speaker(gate, pool);
  held->speak("Holding the one worker.");
  ASSERT_TRUE(gate->wait_for_writes(1));
  starter.failing = true;
  auto waiting = null_speaker(pool);
  EXPECT_NO_THROW(waiting->speak("Spoken after it."));
  EXPECT_TRUE(waiting->busy());
  gate->release();
  ASSERT_TRUE(waiting->wait_until_idle(kGenerous));
  EXPECT_EQ(starter.started, 1);
}

TEST(SpeakerPoolLine, AWithdrawnClientIsNotServedAndItsTurnIsWaitedFor) {
  SpeakerPool pool(1);
  HeldClient serving;
  HeldClient waiting;
  HeldClient later;
  later.open();
  pool.enlist(serving);
  ASSERT_TRUE(serving.wait_for_turns(1));
  pool.enlist(waiting);
  pool.withdraw(waiting);
  // Withdrawing the client being served lasts until its turn is over:
  // while the turn is held, the withdrawal is given a while to return
  // and must not.
  std::mutex mutex;
  std::condition_variable changed;
  bool withdrawn = false;
  std::thread withdrawer([&] {
    pool.withdraw(serving);
    std::lock_guard lock(mutex);
    withdrawn = true;
    changed.notify_all();
  });
  {
    std::unique_lock lock(mutex);
    EXPECT_FALSE(changed.wait_for(lock, std::chrono::milliseconds(100), [&] { return withdrawn; }));
  }
  serving.open();
  withdrawer.join();
  pool.enlist(later);
  ASSERT_TRUE(later.wait_for_turns(1));
  pool.withdraw(later);
  EXPECT_EQ(serving.turns(), 1);
  EXPECT_EQ(waiting.turns(), 0);
}

TEST(SpeakerPoolLine, ASpeakerPurgedWhileWaitingInLineLetsItsSinkGo) {
  auto pool = std::make_shared<SpeakerPool>(1);
  auto first_gate = std::make_shared<GateState>();
  auto other_gate = std::make_shared<GateState>();
  auto first = gated_speaker(first_gate, pool);
  auto other = gated_speaker(other_gate, pool);
  first->speak("Played.");
  first->speak("Purged while waiting.");
  ASSERT_TRUE(first_gate->wait_for_writes(1));
  other->speak("Holding the worker.");
  first_gate->release();
  // The first speaker waits in line behind the other, its sink still open.
  ASSERT_TRUE(other_gate->wait_for_writes(1));
  first->purge();
  other_gate->release();
  ASSERT_TRUE(first->wait_until_idle(kGenerous));
  std::lock_guard lock(first_gate->mutex);
  EXPECT_EQ(first_gate->opens, 1);
  EXPECT_EQ(first_gate->closes, 1);
}

TEST(SpeakerPoolLine, AClientEnlistedDuringItsTurnIsServedAgain) {
  // A text queued just as the turn finds the queue empty is not left behind.
  SpeakerPool pool(1);
  HeldClient client;
  pool.enlist(client);
  ASSERT_TRUE(client.wait_for_turns(1));
  pool.enlist(client);
  client.open();
  EXPECT_TRUE(client.wait_for_turns(2));
  pool.withdraw(client);
  EXPECT_EQ(client.turns(), 2);
}

}  // namespace prevod

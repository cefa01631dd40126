#include "platform/voice/espeak_synth.h"

#include <espeak-ng/espeak_ng.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <future>
#include <system_error>

#include "base/runtime_error.h"

namespace prevod {

namespace fs = std::filesystem;

namespace {

// Length of the pieces espeak-ng hands over, in milliseconds: short enough
// that an abandoned text stops synthesising at once.
constexpr int kPieceMilliseconds = 50;
constexpr int kSlowestWordsPerMinute = espeakRATE_MINIMUM;
constexpr int kFastestWordsPerMinute = espeakRATE_MAXIMUM;

struct InstalledVoice {
  std::string identifier;
  std::string name;
  // Languages with espeak-ng's priority for each; lower is preferred.
  std::vector<std::pair<int, std::string>> languages;
};

// What the process knows about espeak-ng once it has been initialised.
struct Library {
  std::mutex mutex;
  bool initialised = false;
  fs::path data_directory;
  int sample_rate = 0;
  std::vector<InstalledVoice> voices;
  std::weak_ptr<EspeakSynth> live;
};

Library& library() {
  // Never destroyed: a worker may still run while statics are torn down.
  static auto* instance = new Library;
  return *instance;
}

// Held around every espeak-ng call that touches its synthesis state.
std::mutex& espeak_calls() {
  static auto* mutex = new std::mutex;
  return *mutex;
}

// The job whose text espeak-ng is synthesising; touched only while
// espeak_calls() is held.
EspeakSynth::Job* g_current_job = nullptr;
bool g_abandoned = false;
std::string g_current_voice;

int on_synthesised(short* samples, int count, espeak_EVENT*) {
  if (!g_current_job || !samples || count <= 0) return 0;
  if (g_abandoned) return 1;
  bool go_on = true;
  try {
    if (g_current_job->on_samples) {
      go_on =
          g_current_job->on_samples(std::span<const int16_t>(samples, static_cast<size_t>(count)));
    }
  } catch (...) {
    // Nothing may unwind through espeak-ng; a failing consumer ends the text.
    go_on = false;
  }
  if (go_on) return 0;
  g_abandoned = true;
  return 1;
}

std::string lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return out;
}

std::string status_message(espeak_ng_STATUS status) {
  char buffer[256] = {};
  espeak_ng_GetStatusCodeMessage(status, buffer, sizeof buffer);
  return buffer;
}

bool holds_espeak_data(const fs::path& directory) {
  std::error_code error;
  return fs::is_regular_file(directory / "espeak-ng-data" / "phontab", error) ||
         fs::is_regular_file(directory / "phontab", error);
}

fs::path canonical_or_same(const fs::path& path) {
  std::error_code error;
  fs::path result = fs::weakly_canonical(path, error);
  return error ? path : result;
}

// The espeak-ng data directory that `requested` names, as espeak-ng reads it.
fs::path data_directory_of(const fs::path& requested) {
  std::error_code error;
  if (fs::is_directory(requested / "espeak-ng-data", error)) {
    return canonical_or_same(requested / "espeak-ng-data");
  }
  return canonical_or_same(requested);
}

std::vector<InstalledVoice> list_voices() {
  std::vector<InstalledVoice> voices;
  const espeak_VOICE** listed = espeak_ListVoices(nullptr);
  for (size_t i = 0; listed && listed[i]; ++i) {
    const espeak_VOICE& voice = *listed[i];
    InstalledVoice entry;
    entry.identifier = voice.identifier ? voice.identifier : "";
    entry.name = voice.name ? voice.name : "";
    // Languages come as a priority byte and a name, repeated, ended by a
    // zero priority byte.
    for (const char* at = voice.languages; at && *at; at += std::strlen(at + 1) + 2) {
      entry.languages.emplace_back(static_cast<unsigned char>(*at), lower(at + 1));
    }
    voices.push_back(std::move(entry));
  }
  return voices;
}

// Loads espeak-ng's data and sets it up to hand samples to us. Called once,
// with the library's mutex held.
void initialise(Library& lib, const std::optional<std::string>& data_path) {
  std::lock_guard calls(espeak_calls());
  espeak_ng_InitializePath(data_path ? data_path->c_str() : nullptr);
  espeak_ng_ERROR_CONTEXT context = nullptr;
  espeak_ng_STATUS status = espeak_ng_Initialize(&context);
  espeak_ng_ClearErrorContext(&context);
  if (status != ENS_OK) {
    throw RuntimeError("speech: cannot load the espeak-ng data: " + status_message(status));
  }
  status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, kPieceMilliseconds, nullptr);
  if (status != ENS_OK) {
    throw RuntimeError("speech: cannot start espeak-ng: " + status_message(status));
  }
  espeak_SetSynthCallback(on_synthesised);
  const char* loaded_from = nullptr;
  espeak_Info(&loaded_from);
  lib.data_directory = loaded_from ? canonical_or_same(loaded_from) : fs::path();
  lib.sample_rate = espeak_ng_GetSampleRate();
  lib.voices = list_voices();
  lib.initialised = true;
}

void check_data_path(const Library& lib, const std::optional<std::string>& data_path) {
  if (!data_path) return;
  // espeak-ng would quietly fall back to its default data when the given
  // directory does not exist, so the directory is checked first.
  if (!holds_espeak_data(*data_path)) {
    throw RuntimeError("speech: no espeak-ng data in " + *data_path);
  }
  if (lib.initialised && data_directory_of(*data_path) != lib.data_directory) {
    throw RuntimeError("speech: espeak-ng already runs with the data in " +
                       lib.data_directory.string());
  }
}

}  // namespace

std::shared_ptr<EspeakSynth> EspeakSynth::acquire(const std::optional<std::string>& data_path) {
  Library& lib = library();
  std::lock_guard lock(lib.mutex);
  check_data_path(lib, data_path);
  if (auto live = lib.live.lock()) return live;
  if (!lib.initialised) initialise(lib, data_path);
  std::shared_ptr<EspeakSynth> synth(new EspeakSynth);
  try {
    synth->m_worker = std::thread(&EspeakSynth::run, synth.get());
  } catch (const std::system_error& error) {
    throw RuntimeError(std::string("speech: cannot start the synthesiser's thread: ") +
                       error.what());
  }
  lib.live = synth;
  return synth;
}

EspeakSynth::~EspeakSynth() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_wake.notify_all();
  if (m_worker.joinable()) m_worker.join();
}

int EspeakSynth::sample_rate() const {
  return library().sample_rate;
}

std::optional<std::string> EspeakSynth::resolve_voice(std::string_view name) const {
  const auto& voices = library().voices;
  std::string wanted = lower(name);
  while (!wanted.empty()) {
    for (const auto& voice : voices) {
      const std::string identifier = lower(voice.identifier);
      const std::string file = identifier.substr(identifier.find_last_of('/') + 1);
      if (wanted == identifier || wanted == file || wanted == lower(voice.name)) {
        return voice.identifier;
      }
    }
    const InstalledVoice* best = nullptr;
    int best_priority = INT_MAX;
    for (const auto& voice : voices) {
      for (const auto& [priority, language] : voice.languages) {
        if (language == wanted && priority < best_priority) {
          best = &voice;
          best_priority = priority;
        }
      }
    }
    if (best) return best->identifier;
    const size_t dash = wanted.find_last_of('-');
    if (dash == std::string::npos) break;
    wanted.resize(dash);
  }
  return std::nullopt;
}

void EspeakSynth::submit(Job job) {
  {
    std::lock_guard lock(m_mutex);
    m_jobs.push_back(std::move(job));
  }
  m_wake.notify_all();
}

std::vector<int16_t> EspeakSynth::synthesize(const std::string& text, const std::string& voice,
                                             int words_per_minute) {
  std::vector<int16_t> samples;
  std::promise<void> finished;
  Job job;
  job.text = text;
  job.voice = voice;
  job.words_per_minute = words_per_minute;
  job.on_samples = [&samples](std::span<const int16_t> piece) {
    samples.insert(samples.end(), piece.begin(), piece.end());
    return true;
  };
  job.on_done = [&finished](Outcome) { finished.set_value(); };
  submit(std::move(job));
  finished.get_future().wait();
  return samples;
}

void EspeakSynth::run() {
  for (;;) {
    Job job;
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
      // Jobs already submitted are finished before the worker ends.
      if (m_jobs.empty()) return;
      job = std::move(m_jobs.front());
      m_jobs.pop_front();
    }
    Outcome outcome = Outcome::Failed;
    try {
      outcome = perform(job);
    } catch (const std::exception&) {
      outcome = Outcome::Failed;
    }
    if (job.on_done) job.on_done(outcome);
  }
}

EspeakSynth::Outcome EspeakSynth::perform(Job& job) {
  std::lock_guard calls(espeak_calls());
  if (job.wanted && !job.wanted()) return Outcome::Abandoned;
  if (job.voice != g_current_voice) {
    g_current_voice.clear();
    if (espeak_ng_SetVoiceByName(job.voice.c_str()) != ENS_OK) return Outcome::Failed;
    g_current_voice = job.voice;
  }
  const int rate = std::clamp(job.words_per_minute, kSlowestWordsPerMinute, kFastestWordsPerMinute);
  espeak_ng_SetParameter(espeakRATE, rate, 0);
  g_current_job = &job;
  g_abandoned = false;
  const espeak_ng_STATUS status =
      espeak_ng_Synthesize(job.text.c_str(), job.text.size() + 1, 0, POS_CHARACTER, 0,
                           espeakCHARS_UTF8 | espeakENDPAUSE, nullptr, nullptr);
  g_current_job = nullptr;
  // NOTE: nothing of an abandoned text comes out with the next one, but
  // espeak-ng ends later texts with a pause longer by some 15 ms until a
  // text is synthesised to its end.
  if (g_abandoned) return Outcome::Abandoned;
  return status == ENS_OK ? Outcome::Completed : Outcome::Failed;
}

}  // namespace prevod

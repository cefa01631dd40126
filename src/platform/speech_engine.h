#pragma once

// The local speech engine with the automation semantics of a voice object:
// Rate is a whole number from -10 to 10 (a fractional value arrives as the
// nearest whole number), Speak with flags 1 queues asynchronously behind
// speech in progress, and Speak("", 2) purges current and queued speech.

#include <cstdint>
#include <memory>
#include <string>

namespace prevod {

inline constexpr int32_t SVSFlagsAsync = 1;
inline constexpr int32_t SVSFPurgeBeforeSpeak = 2;

class SpeechEngine {
 public:
  virtual ~SpeechEngine() = default;
  // Throws RuntimeError when the nearest whole number lies outside -10..10.
  virtual void set_Rate(double rate) = 0;
  virtual int32_t Rate() const = 0;
  // Returns the stream number of the queued text.
  virtual int32_t Speak(const std::string& text, int32_t flags) = 0;
};

class SpeechEngineFactory {
 public:
  virtual ~SpeechEngineFactory() = default;
  // Creates the engine named by its programmatic identifier ("sapi.spvoice");
  // RuntimeError when no engine is available.
  virtual std::shared_ptr<SpeechEngine> CreateObject(const std::string& progid) = 0;
};

}  // namespace prevod

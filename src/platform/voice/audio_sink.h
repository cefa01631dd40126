#pragma once

// Where a speaker's sound goes: a stream of 16-bit mono PCM samples at one
// sample rate. A speaker opens the sink when a run of speech begins, writes
// the samples in small pieces, drains it after each text (so that "finished"
// means heard), stops it when speech is purged, and closes it when it has
// nothing more to say. Only the speaker's worker thread calls a sink once it
// is in use, so implementations need no locking of their own.

#include <cstdint>
#include <span>

namespace prevod {

class AudioSink {
 public:
  virtual ~AudioSink() = default;

  // Tries the output now and says whether it can sound. A sink that cannot
  // stays usable and discards what it is given.
  virtual bool probe() { return true; }
  // Begins a stream at `sample_rate` samples per second. Opening an open
  // sink at the same rate changes nothing.
  virtual void open(int sample_rate) = 0;
  // Plays or stores the samples; may block for about one device period.
  virtual void write(std::span<const int16_t> samples) = 0;
  // Returns once everything written has been played.
  virtual void drain() = 0;
  // Discards everything written but not yet played, at once.
  virtual void stop() = 0;
  // Ends the stream; a later open begins a new one.
  virtual void close() = 0;
};

}  // namespace prevod

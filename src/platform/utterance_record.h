#pragma once

// One Speak call as a speech engine remembers it: the text, the flags, the
// Rate it was spoken at, and the clock times at which it was queued, began
// to sound and ended (-1 until then). A purge marks the text it cut off and
// those it dropped from the queue; a failure marks a text the sound output
// gave up on. Every engine keeps a bounded record of these, so that tests
// and the console read what was said the same way on every desktop.

#include <cstdint>
#include <string>
#include <string_view>

namespace prevod {

struct UtteranceRecord {
  std::string text;
  int32_t flags = 0;
  int32_t rate = 0;
  int64_t queued_at = 0;
  int64_t started_at = -1;
  int64_t ended_at = -1;
  bool purged = false;
  bool failed = false;

  // Whether nothing more will happen to it.
  bool over() const { return purged || failed || ended_at >= 0; }
  // "purged", "failed", "spoken", "speaking" or "queued".
  std::string_view state() const {
    if (purged) return "purged";
    if (failed) return "failed";
    if (ended_at >= 0) return "spoken";
    if (started_at >= 0) return "speaking";
    return "queued";
  }
};

}  // namespace prevod

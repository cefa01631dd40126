#pragma once

// Points ALSA's "default" device, for this process and the programs it
// starts, where a test can see what reaches it: a WAV file, written by
// ALSA's `file` plug-in over its `null` device (which takes sound as fast as
// it comes, with no sound card), or a device that cannot be opened. It
// writes a configuration of its own and names it in ALSA_CONFIG_PATH, which
// ALSA then reads instead of the system's configuration; ALSA reads it
// again whenever that variable changes, so the device can be pointed
// elsewhere in a running process. The variable's old value comes back when
// the object goes. Programs started meanwhile inherit the variable; for an
// environment built by hand, environment_entry() gives it.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace prevod {

class AlsaDefaultDevice {
 public:
  // "default" writes a 16-bit WAV file at `wav`; the configuration goes
  // into `directory`.
  static AlsaDefaultDevice to_file(const std::filesystem::path& directory,
                                   const std::filesystem::path& wav) {
    return AlsaDefaultDevice(directory,
                             "pcm.!default {\n"
                             "  type file\n"
                             "  slave.pcm { type null }\n"
                             "  file " +
                                 quoted(wav.string()) +
                                 "\n"
                                 "  format \"wav\"\n"
                                 "}\n");
  }
  // "default" names a sound card that is not there.
  static AlsaDefaultDevice unopenable(const std::filesystem::path& directory) {
    return AlsaDefaultDevice(directory,
                             "pcm.!default {\n"
                             "  type hw\n"
                             "  card 97\n"
                             "}\n");
  }

  AlsaDefaultDevice(AlsaDefaultDevice&& other) noexcept
      : m_config(std::move(other.m_config)), m_previous(std::move(other.m_previous)) {
    other.m_owner = false;
  }
  AlsaDefaultDevice(const AlsaDefaultDevice&) = delete;
  AlsaDefaultDevice& operator=(const AlsaDefaultDevice&) = delete;
  AlsaDefaultDevice& operator=(AlsaDefaultDevice&&) = delete;
  ~AlsaDefaultDevice() {
    if (!m_owner) return;
    if (m_previous) {
      setenv("ALSA_CONFIG_PATH", m_previous->c_str(), 1);
    } else {
      unsetenv("ALSA_CONFIG_PATH");
    }
  }

  const std::filesystem::path& config() const { return m_config; }
  std::string environment_entry() const { return "ALSA_CONFIG_PATH=" + m_config.string(); }

 private:
  AlsaDefaultDevice(const std::filesystem::path& directory, const std::string& text)
      : m_config(directory / "asound.conf") {
    std::ofstream(m_config) << text;
    if (const char* previous = getenv("ALSA_CONFIG_PATH")) m_previous = previous;
    setenv("ALSA_CONFIG_PATH", m_config.c_str(), 1);
  }

  // A string as ALSA's configuration writes one.
  static std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
      if (c == '"' || c == '\\') out += '\\';
      out += c;
    }
    return out + "\"";
  }

  std::filesystem::path m_config;
  std::optional<std::string> m_previous;
  bool m_owner = true;
};

}  // namespace prevod

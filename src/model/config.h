#pragma once

// Configuration values of the build: the addresses of the two outside pages
// and where the offline services find their data. The program's own code
// navigates to these like any address; it does not know the pages are served
// in process.

#include <string>

namespace prevod {

struct Config {
  // Scheme and host of the translation service; requests append
  // "/?hl=bg&tab=wT#" and the fragment.
  std::string TranslationBase = "http://translate.localhost";
  // The translation service's home page, loaded at start.
  std::string TranslationHome = "http://translate.localhost/";
  // The voice reader page.
  std::string VoiceReaderAddress = "http://voicereader.localhost/onlineservices/voice_reader";
  // Where the dictd dictionaries of the translation service live.
  std::string DictionaryDirectory = "/usr/share/dictd";
  // Where the hunspell dictionaries (en_US, bg_BG, ru_RU) live, by which the
  // translation service reduces word forms to their dictionary forms.
  std::string HunspellDirectory = "/usr/share/hunspell";
  // How long the translation page takes to show a result after a request.
  int TranslationDelayMs = 300;
  // The local speech engine's voice.
  std::string SpeechVoice = "bg";
};

}  // namespace prevod

#pragma once

// Boots the whole program for tests of the translation window and keeps
// track of what it asks the translation service: every address handed to
// the browsers is written down from the trace. Helpers type into the input
// box as a person would, switch the speech options and tell what the
// translation page shows for a request.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/keys.h"
#include "services/translator/translation_fragment.h"
#include "services/translator/translator_site.h"
#include "support/system_fixture.h"
#include "translation/module_proverka.h"

namespace prevod {

class TranslationWindowFixture : public SystemFixture {
 protected:
  static constexpr float ScreenWidthTwips = 1920 * 15;
  static constexpr float ScreenHeightTwips = 1080 * 15;
  static constexpr float CompactHeight = 3425;

  // Each test boots the system it needs.
  void SetUp() override {}

  // Starts the program, writing down every address the browsers go to.
  void start(SimulatedSystem::Options options = {}) {
    boot(std::move(options), false);
    watch_navigations();
    system->start();
    system->loop.run_pending();
  }
  // Starts the program and runs it until the warm-up's speech is over.
  void start_ready(SimulatedSystem::Options options = {}) {
    start(std::move(options));
    boot_to_ready();
    settle();
  }
  void watch_navigations() {
    navigations.clear();
    system->trace.set_enabled(true);
    system->trace.set_sink([this](const std::string& line) {
      auto at = line.find(" navigate ");
      if (at != std::string::npos) navigations.push_back(line.substr(at + 10));
    });
  }
  // Lets pending reads and speech run out.
  void settle() { advance(8000); }

  // The requests sent to the translation service so far, as handed to
  // Navigate (the browser's LocationURL drops trailing spaces, as browsers
  // do when they parse an address).
  std::vector<std::string> requests() const {
    std::vector<std::string> out;
    for (const std::string& address : navigations) {
      if (address.find("/?hl=bg&tab=wT#") != std::string::npos) out.push_back(address);
    }
    return out;
  }
  std::string last_request() const {
    auto all = requests();
    return all.empty() ? "" : all.back();
  }
  static bool ends_with(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
  }

  // A person clicks into the input box, selects everything, types and
  // presses Enter.
  void submit(const std::string& typed) {
    click(form2().Text1);
    key(vk::A, false, true);
    type(typed);
    key(vk::RETURN);
  }

  // What the translation page shows for a fragment "source|target|text".
  std::string translation_of(const std::string& fragment) {
    std::optional<TranslationFragment> request = TranslationFragment::parse(fragment);
    return request ? system->translator->result_text(*request) : "";
  }
  static bool cyrillic(const std::string& text) {
    SharedState probe;
    CheckCyrillic(probe, text);
    return probe.CyrillicScore.number() > 0;
  }

  // Whether the voice reader's player has said a text containing `text` in
  // `voice` since the time `since`.
  bool player_said(const std::string& voice, const std::string& text, int64_t since) const {
    for (const auto& said : system->player_speech()) {
      if (said.at >= since && said.voice == voice && said.text.find(text) != std::string::npos)
        return true;
    }
    return false;
  }

  RecordingSpeechEngine& engine() { return *system->speech_engine(); }
  size_t utterance_count() { return engine().utterances().size(); }

  void set_english_option(bool on) {
    act([&] { on ? form2().Picture23_Click() : form2().Picture18_Click(); });
  }
  void set_bulgarian_option(bool on) {
    act([&] { on ? form2().Picture22_Click() : form2().Picture19_Click(); });
  }
  // Chooses Russian (the option buttons are hidden in the layout).
  void choose_russian() {
    act([&] { form2().Option2.set_Value(true); });
  }

  std::vector<std::string> navigations;
};

}  // namespace prevod

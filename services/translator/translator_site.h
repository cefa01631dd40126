#pragma once

// The translation web site served in process at translate.localhost. Its
// home page "/" carries a search portal's navigation bar, div#gbar, whose
// third link leads to the translation page "/?hl=bg&tab=wT" (any address
// "/" whose query has tab=wT is the translation page). The translation
// page shows its result in span#result_box: each address fragment
// "source|target|text" it receives is translated and written there a short
// while later (300 ms unless set otherwise); a newer fragment replaces a
// request still waiting. Every other path answers 404.
//
// The site holds the document it writes to only weakly: a navigation may
// replace it at any time, and a result then has nowhere to go. The event
// loop must outlive the site.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "base/deferred_tasks.h"
#include "base/event_loop.h"
#include "platform/page/site.h"
#include "services/translator/translation_fragment.h"

namespace prevod {

class Translator;

class TranslatorSite : public Site {
 public:
  static constexpr std::string_view kHost = "translate.localhost";
  static constexpr std::string_view kTranslationPath = "/?hl=bg&tab=wT";
  static constexpr int64_t kDefaultResultDelayMs = 300;

  TranslatorSite(EventLoop& loop, std::string dictionary_directory,
                 int64_t result_delay_ms = kDefaultResultDelayMs);
  ~TranslatorSite() override;
  TranslatorSite(const TranslatorSite&) = delete;
  TranslatorSite& operator=(const TranslatorSite&) = delete;

  PageLoad load(const std::string& path_and_query) override;
  void on_fragment(const std::shared_ptr<HtmlDocument>& document, const std::string& path_and_query,
                   const std::string& fragment) override;

  // How long after a fragment its result shows (0 or more milliseconds).
  void set_result_delay(int64_t ms);
  int64_t result_delay() const { return m_result_delay_ms; }
  Translator& translator() { return *m_translator; }

  // The text the result box shows for a request: the translation, or a
  // message naming the dictionary that cannot be used.
  std::string result_text(const TranslationFragment& request);

  static bool is_translation_page(std::string_view path_and_query);
  static std::string home_page_html();
  static std::string translation_page_html();

 private:
  void show_result(const std::weak_ptr<HtmlDocument>& document, const TranslationFragment& request);

  std::unique_ptr<Translator> m_translator;
  int64_t m_result_delay_ms;
  // The result of the latest request, shown after the page's delay.
  DeferredTasks m_pending;
};

}  // namespace prevod

#include "services/translator/translation_fragment.h"

namespace prevod {

std::optional<TranslationFragment> TranslationFragment::parse(std::string_view fragment) {
  const size_t first_bar = fragment.find('|');
  if (first_bar == std::string_view::npos) return std::nullopt;
  const size_t second_bar = fragment.find('|', first_bar + 1);
  if (second_bar == std::string_view::npos) return std::nullopt;
  const auto source = language_from_code(fragment.substr(0, first_bar));
  const auto target =
      language_from_code(fragment.substr(first_bar + 1, second_bar - first_bar - 1));
  if (!source || !target) return std::nullopt;
  return TranslationFragment{*source, *target, std::string(fragment.substr(second_bar + 1))};
}

}  // namespace prevod

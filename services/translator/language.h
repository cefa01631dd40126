#pragma once

// The languages the translation service knows, by the codes the address
// fragment uses: "en", "bg", "ru".

#include <optional>
#include <string_view>

namespace prevod {

enum class Language { English, Bulgarian, Russian };

// The language of a code, matched without regard to case.
std::optional<Language> language_from_code(std::string_view code);
std::string_view language_code(Language language);

}  // namespace prevod

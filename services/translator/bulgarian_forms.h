#pragma once

// Bulgarian word forms that hunspell's dictionary lists as words of their
// own, unlinked to their dictionary form, because they are not made by a
// suffix rule: irregular noun plurals ("очи" is "око", "хора" is
// "човек", "деца" is "дете") and the forms of irregular verbs ("може" is
// "мога", "дойде" is "дойда", "каза" is "кажа"). Like english_forms, the
// readings are known pairs for a dictionary to confirm.

#include <string>
#include <string_view>
#include <vector>

namespace prevod {

namespace bulgarian_forms {

// The dictionary forms of an irregular form, also with its definite
// article ("очите" gives "око"); nothing for a regular word. Matched
// without regard to case.
std::vector<std::string> irregular(std::string_view word);

}  // namespace bulgarian_forms

}  // namespace prevod

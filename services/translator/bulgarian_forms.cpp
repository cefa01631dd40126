#include "services/translator/bulgarian_forms.h"

#include <algorithm>
#include <unordered_map>

#include "base/utf8.h"
#include "services/translator/lookup_text.h"

namespace prevod {

namespace bulgarian_forms {
namespace {

// Each row: the dictionary form, then its irregular forms.
constexpr std::string_view kRows[] = {
    // Nouns whose plural (or counted form) is not made by a rule.
    "око очи",
    "ухо уши",
    "ръка ръце",
    "нога нозе",
    "крак крака",
    "човек хора човеци",
    "дете деца",
    "брат братя",
    "ден дни дена",
    "дърво дърва дървета",
    "цвете цветя",
    "цвят цветове",
    "име имена",
    "време времена",
    "племе племена",
    "знаме знамена",
    "семе семена",
    "рамо рамена рамене",
    "коляно колене",
    "чудо чудеса",
    "небе небеса",
    "теле телета",
    "пиле пилета",
    "куче кучета",
    "момче момчета",
    "момиче момичета",
    "агне агнета",
    "прасе прасета",
    "яйце яйца",
    "сърце сърца",
    "лице лица",
    "място места",
    "село села",
    "гнездо гнезда",
    "стадо стада",
    "езеро езера",
    "крило крила",
    "път пътища пътя",
    "край краища",
    "господин господа",
    "гражданин граждани",
    "селянин селяни",
    "българин българи",
    "християнин християни",
    "мъж мъже",
    "крал крале",
    "цар царе",
    "кон коне",
    "звяр зверове",
    "лист листа листи",
    "вълк вълци",
    "рог рогове",
    "боец бойци",
    "старец старци",
    "овца овце",
    "бряг брегове",
    "сняг снегове",
    "град градове",
    "мост мостове",
    "син синове",
    "дом домове",
    "враг врагове",
    "бог богове",
    // Verbs whose forms come from more than one root, or change their
    // root where hunspell's rules do not follow.
    "мога можеш може можем можете могат можах можа можаха можахме можахте можех можеше "
    "можеха могъл могла могло могли могох",
    "ида идеш иде идем идете идат идех идеше идеха",
    "дойда дойдеш дойде дойдем дойдете дойдат дойдох дойдоха дошъл дошла дошло дошли",
    "отида отидеш отиде отидем отидете отидат отидох отидоха отишъл отишла отишло отишли",
    "видя видиш види видим видите видят видях видяха видял видяла видяло видели",
    "дам дадеш даде дадем дадете дадат дадох дадоха дал дала дало дали",
    "ям ядеш яде ядем ядете ядат ядох ядоха ял яла яло яли",
    "взема вземеш вземе вземем вземете вземат взех взе взеха взел взела взело взели",
    "чуя чуеш чуе чуем чуете чуят чух чу чуха чул чула чуло чули",
    "знам знаеш знае знаем знаете знаят знаех знаеше знаеха знаел знаела знаело знаели",
    "кажа кажеш каже кажем кажете кажат казах каза казаха казал казала казало казали",
    "имам имаш има имаме имате имат имах имаше имаха имал имала имало имали",
    "нямам нямаш няма нямаме нямате нямат нямах нямаше нямаха нямал нямала нямало нямали",
};

// The definite articles a noun form may carry.
constexpr std::u32string_view kArticles[] = {U"те", U"та", U"то", U"ът", U"ят", U"а", U"я"};

using Table = std::unordered_map<std::string, std::vector<std::string>>;

const Table& table() {
  static const Table built = [] {
    Table t;
    for (std::string_view row : kRows) {
      std::vector<std::string> words;
      while (!row.empty()) {
        const size_t space = row.find(' ');
        words.emplace_back(row.substr(0, space));
        row.remove_prefix(space == std::string_view::npos ? row.size() : space + 1);
      }
      for (size_t i = 1; i < words.size(); ++i) {
        std::vector<std::string>& bases = t[words[i]];
        if (std::find(bases.begin(), bases.end(), words[0]) == bases.end()) {
          bases.push_back(words[0]);
        }
      }
    }
    return t;
  }();
  return built;
}

}  // namespace

std::vector<std::string> irregular(std::string_view word) {
  std::u32string folded = utf8::decode(word);
  for (char32_t& c : folded) c = lookup_text::to_lower(c);
  const auto found = table().find(utf8::encode(folded));
  if (found != table().end()) return found->second;
  for (std::u32string_view article : kArticles) {
    if (!folded.ends_with(article) || folded.size() <= article.size()) continue;
    const auto bare = table().find(utf8::encode(folded.substr(0, folded.size() - article.size())));
    if (bare != table().end()) return bare->second;
  }
  return {};
}

}  // namespace bulgarian_forms

}  // namespace prevod

#include "base/headword_marker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace prevod {

namespace {

using headword_marker::compose;
using headword_marker::split;
using headword_marker::translation_part;

}  // namespace

TEST(HeadwordMarker, NamesTheFormsAfterTheTranslationAndSplitsBackIntoBoth) {
  const std::string one = compose("cat", {"котка"});
  EXPECT_EQ(one, "cat ⟨котка⟩");
  EXPECT_EQ(split(one).translation, "cat");
  EXPECT_EQ(split(one).headwords, "котка");

  const std::string two = compose("the котка седя", {"cat", "sit"});
  EXPECT_EQ(two, "the котка седя ⟨cat, sit⟩");
  EXPECT_EQ(split(two).translation, "the котка седя");
  EXPECT_EQ(split(two).headwords, "cat, sit");
}

TEST(HeadwordMarker, ATranslationWithoutFormsIsLeftAsItIs) {
  EXPECT_EQ(compose("котка", {}), "котка");
  EXPECT_EQ(compose("", {}), "");
  EXPECT_EQ(split("котка").translation, "котка");
  EXPECT_EQ(split("котка").headwords, "");
  EXPECT_EQ(translation_part("Здрасти!"), "Здрасти!");
}

TEST(HeadwordMarker, TheSpokenPartIgnoresLineBreaksAfterTheMarker) {
  EXPECT_EQ(translation_part("cat ⟨котка⟩\r\n"), "cat");
  EXPECT_EQ(translation_part("cat ⟨котка⟩  "), "cat");
}

// Texts that carry brackets of their own come back whole: the user's words
// are never taken for a marker.
TEST(HeadwordMarker, AUsersOwnBracketsAreNeverCutOff) {
  for (const std::string text : {"a ⟨b⟩", "⟨b⟩", "a ⟨b⟩ ⟨c⟩", "x ⟨⟩", "a ⟨b ⟨c⟩", "⟨ a ⟩ b"}) {
    const std::string composed = compose(text, {});
    EXPECT_EQ(translation_part(composed), text) << composed;
    EXPECT_EQ(split(composed).headwords, "") << composed;
    const std::string marked = compose(text, {"cat"});
    EXPECT_EQ(translation_part(marked), text) << marked;
    EXPECT_EQ(split(marked).headwords, "cat") << marked;
  }
  EXPECT_EQ(compose("plain", {}), "plain") << "no empty marker where none is needed";
}

TEST(HeadwordMarker, FormsLoseBracketsThatWouldEndTheMarkerEarly) {
  const std::string composed = compose("cat", {"ко⟩тка", "⟨", "dog"});
  EXPECT_EQ(composed, "cat ⟨котка, dog⟩");
  EXPECT_EQ(split(composed).translation, "cat");
  EXPECT_EQ(compose("cat", {"⟨⟩"}), "cat") << "a form of brackets alone is no form";
}

TEST(HeadwordMarker, NamesAndSynonymsAreMarkedAndNeverSpoken) {
  const std::string name = compose("Vazov", {headword_marker::name("Вазов")});
  EXPECT_EQ(name, "Vazov ⟨Вазов (име)⟩");
  EXPECT_EQ(translation_part(name), "Vazov");
  const std::string mixed =
      compose("grandfather Yotso look", {"гледам", headword_marker::name("Йоцо")});
  EXPECT_EQ(mixed, "grandfather Yotso look ⟨гледам, Йоцо (име)⟩");
  EXPECT_EQ(translation_part(mixed), "grandfather Yotso look");
  const std::string synonym = compose("пума", {headword_marker::synonym("cougar")});
  EXPECT_EQ(synonym, "пума ⟨≈ cougar⟩");
  EXPECT_EQ(split(synonym).translation, "пума");
  EXPECT_EQ(split(synonym).headwords, "≈ cougar");
}

TEST(HeadwordMarker, MalformedTextIsSplitWithoutReadingPastItsEnds) {
  EXPECT_EQ(split("⟩").translation, "⟩");
  EXPECT_EQ(split(" ⟨⟩").translation, "");
  EXPECT_EQ(split("\xE2\x9F").translation, "\xE2\x9F");
  EXPECT_EQ(split("\xFF ⟨a⟩").translation, "\xFF");
}

}  // namespace prevod

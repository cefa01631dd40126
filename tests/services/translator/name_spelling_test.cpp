// Names spelled in the other alphabet: Bulgarian and Russian names in
// Latin letters, English names in Cyrillic.

#include <gtest/gtest.h>

#include "services/translator/english_name_transcription.h"
#include "services/translator/romanization.h"

namespace prevod {

namespace {

std::string latin(std::string_view word) {
  return romanization::to_latin(Language::Bulgarian, word);
}
std::string russian_latin(std::string_view word) {
  return romanization::to_latin(Language::Russian, word);
}
std::string bulgarian(std::string_view name) {
  return english_name_transcription::to_cyrillic(Language::Bulgarian, name);
}
std::string russian(std::string_view name) {
  return english_name_transcription::to_cyrillic(Language::Russian, name);
}

}  // namespace

TEST(Romanization, SpellsEveryBulgarianLetterByTheStreamlinedSystem) {
  EXPECT_EQ(latin("абвгдежзийклмнопрстуфхцчшщъьюя"), "abvgdezhziyklmnoprstufhtschshshtayyuya");
  EXPECT_EQ(latin("Вазов"), "Vazov");
  EXPECT_EQ(latin("Йоцо"), "Yotso");
  EXPECT_EQ(latin("Щерев"), "Shterev");
  EXPECT_EQ(latin("Търново"), "Tarnovo");
}

TEST(Romanization, EndsAWordInИяWithIa) {
  EXPECT_EQ(latin("София"), "Sofia");
  EXPECT_EQ(latin("Мария-Луиза"), "Maria-Luiza");
  EXPECT_EQ(latin("Ияков"), "Iyakov") << "only at the end of a word";
  EXPECT_EQ(latin("Кирияк"), "Kiriyak");
}

TEST(Romanization, KeepsTheCaseOfEachLetterGroup) {
  EXPECT_EQ(latin("Жечо"), "Zhecho");
  EXPECT_EQ(latin("ЖИВКОВ"), "ZHIVKOV");
  EXPECT_EQ(latin("ЩИ"), "SHTI");
  EXPECT_EQ(latin("Ж"), "Zh");
  EXPECT_EQ(latin("Ю́ри"), "Yuri") << "stress marks are dropped";
}

TEST(Romanization, SpellsRussianByItsOwnLetters) {
  EXPECT_EQ(russian_latin("Хрущёв"), "Khrushchyov");
  EXPECT_EQ(russian_latin("Добрынин"), "Dobrynin");
  EXPECT_EQ(russian_latin("Гоголь"), "Gogol");
  EXPECT_EQ(russian_latin("Эрмитаж"), "Ermitazh");
  EXPECT_EQ(latin("Хрущёв"), "Hrushtyov") << "Bulgarian rules for the same name";
}

TEST(EnglishNameTranscription, ReadsDigraphsAsOneSound) {
  EXPECT_EQ(bulgarian("Smith"), "Смит");
  EXPECT_EQ(bulgarian("Sheffield"), "Шефилд");
  EXPECT_EQ(bulgarian("Philip"), "Филип");
  EXPECT_EQ(bulgarian("Knight"), "Найт");
  EXPECT_EQ(bulgarian("Chuck"), "Чък");
}

TEST(EnglishNameTranscription, MakesAVowelLongBeforeASilentE) {
  EXPECT_EQ(bulgarian("Jane"), "Джейн");
  EXPECT_EQ(bulgarian("Stone"), "Стоун");
  EXPECT_EQ(bulgarian("Mike"), "Майк");
  EXPECT_EQ(bulgarian("Jones"), "Джоунс");
  EXPECT_EQ(bulgarian("Grace"), "Грейс");
}

TEST(EnglishNameTranscription, WritesOneOfADoubledConsonant) {
  EXPECT_EQ(bulgarian("Abbott"), "Абот");
  EXPECT_EQ(bulgarian("Russell"), "Ръсел");
  EXPECT_EQ(bulgarian("Aaron"), "Аарон");
}

TEST(EnglishNameTranscription, ReducesUnstressedEndingsInBulgarianOnly) {
  EXPECT_EQ(bulgarian("Johnson"), "Джонсън");
  EXPECT_EQ(russian("Johnson"), "Джонсон");
  EXPECT_EQ(bulgarian("Baker"), "Бейкър");
  EXPECT_EQ(russian("Baker"), "Бейкер");
  EXPECT_EQ(bulgarian("Hudson"), "Хъдсън");
  EXPECT_EQ(russian("Hudson"), "Хадсон");
  EXPECT_EQ(bulgarian("Washington"), "Уошингтън");
  EXPECT_EQ(russian("Ellis"), "Элис");
}

TEST(EnglishNameTranscription, ReadsCAndGByTheLetterAfterThem) {
  EXPECT_EQ(bulgarian("Cecil"), "Сесил");
  EXPECT_EQ(bulgarian("Carl"), "Карл");
  EXPECT_EQ(bulgarian("George"), "Джордж");
  EXPECT_EQ(bulgarian("Gordon"), "Гордон");
}

TEST(EnglishNameTranscription, LeavesOutAPossessiveAndKeepsAHyphen) {
  EXPECT_EQ(bulgarian("Aaron's"), "Аарон");
  EXPECT_EQ(bulgarian("Davis'"), "Давис");
  EXPECT_EQ(bulgarian("Smith-Jones"), "Смит-Джоунс");
  EXPECT_EQ(bulgarian("Zoë"), "Зое");
}

TEST(EnglishNameTranscription, ANameWithoutLatinLettersGivesNothing) {
  EXPECT_EQ(bulgarian("'"), "");
  EXPECT_EQ(bulgarian("-"), "");
  EXPECT_EQ(bulgarian(""), "");
  EXPECT_EQ(bulgarian("Вазов"), "");
}

}  // namespace prevod

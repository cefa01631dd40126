#include "platform/qt/key_translator.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <vector>

namespace prevod {

namespace {

KeyEvent key(uint8_t code, bool down, char32_t character = 0, bool shift = false,
             bool ctrl = false) {
  KeyEvent event;
  event.code = code;
  event.down = down;
  event.character = character;
  event.shift = shift;
  event.ctrl = ctrl;
  return event;
}

bool same(const KeyEvent& a, const KeyEvent& b) {
  return a.code == b.code && a.down == b.down && a.character == b.character && a.shift == b.shift &&
         a.ctrl == b.ctrl;
}

testing::AssertionResult translates_to(QEvent::Type type, int qt_key,
                                       Qt::KeyboardModifiers modifiers, const QString& text,
                                       const std::vector<KeyEvent>& expected) {
  QKeyEvent event(type, qt_key, modifiers, text);
  std::vector<KeyEvent> got = KeyTranslator::translate(event);
  bool equal = got.size() == expected.size();
  for (size_t i = 0; equal && i < got.size(); ++i) equal = same(got[i], expected[i]);
  if (equal) return testing::AssertionSuccess();
  auto result = testing::AssertionFailure() << "got";
  for (const KeyEvent& e : got) {
    result << " {code " << int(e.code) << (e.down ? " down" : " up") << " char "
           << static_cast<uint32_t>(e.character) << (e.shift ? " shift" : "")
           << (e.ctrl ? " ctrl" : "") << "}";
  }
  return result;
}

constexpr auto kPress = QEvent::KeyPress;
constexpr auto kRelease = QEvent::KeyRelease;

TEST(OffscreenKeyTranslator, ALetterCarriesItsKeyAndItsCharacterAndItsReleaseTheKeyAlone) {
  EXPECT_TRUE(translates_to(kPress, Qt::Key_A, Qt::NoModifier, "a", {key('A', true, U'a')}));
  EXPECT_TRUE(
      translates_to(kPress, Qt::Key_A, Qt::ShiftModifier, "A", {key('A', true, U'A', true)}));
  EXPECT_TRUE(translates_to(kRelease, Qt::Key_A, Qt::NoModifier, "a", {key('A', false)}));
  EXPECT_TRUE(translates_to(kPress, Qt::Key_7, Qt::NoModifier, "7", {key('7', true, U'7')}));
  EXPECT_TRUE(
      translates_to(kPress, Qt::Key_Space, Qt::NoModifier, " ", {key(vk::SPACE, true, U' ')}));
}

TEST(OffscreenKeyTranslator, ALetterOfAnotherAlphabetCarriesItsCharacterAlone) {
  EXPECT_TRUE(
      translates_to(kPress, 0x0416, Qt::NoModifier, QString::fromUtf8("ж"), {key(0, true, U'ж')}));
  EXPECT_TRUE(translates_to(kRelease, 0x0416, Qt::NoModifier, QString::fromUtf8("ж"), {}));
}

TEST(OffscreenKeyTranslator, EditingAndNavigationKeysCarryTheKeyWithoutTheirControlCharacters) {
  EXPECT_TRUE(translates_to(kPress, Qt::Key_Return, Qt::NoModifier, "\r", {key(vk::RETURN, true)}));
  EXPECT_TRUE(
      translates_to(kPress, Qt::Key_Enter, Qt::KeypadModifier, "\r", {key(vk::RETURN, true)}));
  EXPECT_TRUE(
      translates_to(kPress, Qt::Key_Backspace, Qt::NoModifier, "\b", {key(vk::BACK, true)}));
  EXPECT_TRUE(
      translates_to(kPress, Qt::Key_Escape, Qt::NoModifier, "\x1b", {key(vk::ESCAPE, true)}));
  EXPECT_TRUE(
      translates_to(kPress, Qt::Key_Delete, Qt::NoModifier, "\x7f", {key(vk::DELETE_, true)}));
  EXPECT_TRUE(translates_to(kPress, Qt::Key_PageDown, Qt::NoModifier, "", {key(vk::NEXT, true)}));
  // Qt reports the modifiers as they stand after a modifier key's event.
  EXPECT_TRUE(
      translates_to(kPress, Qt::Key_Shift, Qt::NoModifier, "", {key(vk::SHIFT, true, 0, true)}));
}

TEST(OffscreenKeyTranslator, ShiftTabIsTabWithShift) {
  EXPECT_TRUE(
      translates_to(kPress, Qt::Key_Backtab, Qt::ShiftModifier, "", {key(vk::TAB, true, 0, true)}));
  EXPECT_TRUE(
      translates_to(kPress, Qt::Key_Backtab, Qt::NoModifier, "", {key(vk::TAB, true, 0, true)}));
  EXPECT_TRUE(translates_to(kPress, Qt::Key_Tab, Qt::NoModifier, "\t", {key(vk::TAB, true)}));
}

TEST(OffscreenKeyTranslator, ACtrlChordCarriesTheKeyAloneWhateverTheLayoutTypes) {
  EXPECT_TRUE(translates_to(kPress, Qt::Key_A, Qt::ControlModifier, "\x01",
                            {key('A', true, 0, false, true)}));
  // Under a Cyrillic layout the key still names its Latin letter while Ctrl
  // is held, but the text may be the layout's own letter: a copy chord must
  // not type it.
  EXPECT_TRUE(translates_to(kPress, Qt::Key_C, Qt::ControlModifier, QString::fromUtf8("с"),
                            {key('C', true, 0, false, true)}));
}

TEST(OffscreenKeyTranslator, ACharacterAboveTheBasicPlaneStaysOneEvent) {
  QString face = QString::fromUcs4(U"\U0001F600", 1);
  ASSERT_EQ(face.size(), 2);
  EXPECT_TRUE(translates_to(kPress, 0, Qt::NoModifier, face, {key(0, true, U'\U0001F600')}));
}

TEST(OffscreenKeyTranslator, SeveralCharactersGiveOneEventEachAndAKeyWithNothingGivesNone) {
  EXPECT_TRUE(translates_to(kPress, Qt::Key_A, Qt::NoModifier, QString::fromUtf8("аб"),
                            {key('A', true, U'а'), key(0, true, U'б')}));
  EXPECT_TRUE(translates_to(kPress, Qt::Key_F13, Qt::NoModifier, "", {}));
  EXPECT_TRUE(translates_to(kPress, Qt::Key_unknown, Qt::NoModifier, "", {}));
}

}  // namespace

}  // namespace prevod

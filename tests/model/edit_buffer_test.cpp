// The edit buffer behind the text boxes: positions in UTF-16 code units
// over a UTF-8 text, characters above U+FFFF kept whole by every edit and
// caret move, line moves that count units, and a revision that grows only
// when the text really changes.

#include "model/edit_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace prevod {

namespace {

const std::string Grin = "\xF0\x9F\x98\x80";  // U+1F600, two code units
const std::string Cat = "котка";

TEST(EditBuffer, TypingAtTheCaretCountsUnitsAndKeepsTheBytes) {
  EditBuffer b;
  for (const std::string& piece : {std::string("a"), Grin, std::string("b"), Cat}) b.insert(piece);
  EXPECT_EQ(b.text(), "a" + Grin + "b" + Cat);
  EXPECT_EQ(b.length(), 1 + 2 + 1 + 5);
  EXPECT_EQ(b.sel_start(), 9);
  EXPECT_EQ(b.sel_length(), 0);
}

TEST(EditBuffer, CaretAndErasureStepOverACharacterAboveUffffWhole) {
  EditBuffer b;
  b.assign("a" + Grin + "b");
  ASSERT_EQ(b.sel_start(), 4);
  b.caret_left();
  EXPECT_EQ(b.sel_start(), 3);
  b.caret_left();
  EXPECT_EQ(b.sel_start(), 1) << "both halves at once";
  b.caret_right();
  EXPECT_EQ(b.sel_start(), 3);
  b.erase_before();
  EXPECT_EQ(b.text(), "ab");
  EXPECT_EQ(b.sel_start(), 1);
  EXPECT_EQ(b.length(), 2);

  b.assign(Grin + Grin);
  b.select(0, 0);
  b.erase_after();
  EXPECT_EQ(b.text(), Grin);
  EXPECT_EQ(b.length(), 2);
}

TEST(EditBuffer, ASelectionThroughAPairTakesTheWholeCharacter) {
  EditBuffer b;
  b.assign("x" + Grin + "y");
  b.select(2, 2);  // from inside the pair to after it
  EXPECT_EQ(b.sel_start(), 1);
  EXPECT_EQ(b.sel_length(), 3);
  EXPECT_EQ(b.selected_text(), Grin + "y");
  b.select(1, 1);  // the first half only
  EXPECT_EQ(b.selected_text(), Grin);
  b.select(2, 0);  // a caret inside the pair
  EXPECT_EQ(b.sel_start(), 1);
  EXPECT_EQ(b.sel_length(), 0);
  b.insert("-");
  EXPECT_EQ(b.text(), "x-" + Grin + "y");
}

TEST(EditBuffer, SelectionsClampToTheTextAndReplaceWhatTheyCover) {
  EditBuffer b;
  b.assign(Cat + " and dog");
  b.select(-3, 2);
  EXPECT_EQ(b.selected_text(), "ко");
  b.select(6, 100);
  EXPECT_EQ(b.selected_text(), "and dog");
  b.insert("и куче");
  EXPECT_EQ(b.text(), "котка и куче");
  EXPECT_EQ(b.length(), 12);
  b.select_all();
  EXPECT_EQ(b.sel_length(), 12);
  b.insert("");
  EXPECT_EQ(b.text(), "");
  EXPECT_EQ(b.length(), 0);
}

TEST(EditBuffer, LineMovesStopAtLineBreaksAndCountUnits) {
  EditBuffer b;
  b.assign(Grin + "ab\r\n" + Cat + Grin + "\nend");
  b.select(0, 0);
  b.caret_to_line_end();
  EXPECT_EQ(b.sel_start(), 4);
  b.select(7, 0);
  b.caret_to_line_end();
  EXPECT_EQ(b.sel_start(), 6 + 5 + 2);
  b.caret_to_line_start();
  EXPECT_EQ(b.sel_start(), 6);
  b.insert(">");
  EXPECT_EQ(b.text(), Grin + "ab\r\n>" + Cat + Grin + "\nend");
  b.select(b.length(), 0);
  b.caret_to_line_start();
  EXPECT_EQ(b.sel_start(), b.length() - 3);
}

TEST(EditBuffer, TheRevisionGrowsOnlyWhenTheTextChanges) {
  EditBuffer b;
  b.assign("abc");
  uint64_t start = b.revision();
  b.select(1, 1);
  b.caret_left();
  b.caret_to_line_end();
  b.select_all();
  EXPECT_EQ(b.revision(), start) << "moves and selections change no text";
  b.select(1, 1);
  b.insert("b");
  EXPECT_EQ(b.revision(), start) << "a selection replaced by itself";
  b.insert("");
  b.select(0, 0);
  b.erase_before();
  b.select(3, 0);
  b.erase_after();
  EXPECT_EQ(b.revision(), start) << "nothing to erase";
  b.insert("d");
  EXPECT_EQ(b.revision(), start + 1);
}

TEST(EditBuffer, MalformedUtf8BecomesReplacementCharacters) {
  EditBuffer b;
  b.assign("a\xC3(\x80");
  EXPECT_EQ(b.text(), "a\xEF\xBF\xBD(\xEF\xBF\xBD");
  EXPECT_EQ(b.length(), 4);
  b.insert("\xF0\x9F");
  EXPECT_EQ(b.length(), 6);
  b.erase_before();
  b.erase_before();
  EXPECT_EQ(b.text(), "a\xEF\xBF\xBD(\xEF\xBF\xBD");
}

TEST(EditBuffer, TypingAtTheEndOfALongTextKeepsEveryCharacter) {
  EditBuffer b;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    const std::string piece = i % 3 == 0 ? Grin : i % 3 == 1 ? "ж" : "z";
    b.insert(piece);
    expected += piece;
  }
  EXPECT_EQ(b.text(), expected);
  EXPECT_EQ(b.length(), 6667 * 2 + 6667 + 6666);
}

}  // namespace

}  // namespace prevod

// Checks of the three window tables: names, nesting, sizes and pictures that
// must agree with each other, the start states the behaviour relies on, and
// the exact texts the user reads.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "desktop/window_layouts.h"

namespace prevod {

namespace {

constexpr float kTwipsPerPixel = 15;

std::vector<const WindowLayout*> all_layouts() {
  return {&Form1Layout(), &Form2Layout(), &Form3Layout()};
}

const ControlSpec& control(const WindowLayout& layout, std::string_view name) {
  if (const ControlSpec* design = layout.control(name)) return *design;
  ADD_FAILURE() << layout.name << " has no control " << name;
  static const ControlSpec none;
  return none;
}

const TimerSpec& timer(const WindowLayout& layout, std::string_view name) {
  if (const TimerSpec* design = layout.timer(name)) return *design;
  ADD_FAILURE() << layout.name << " has no timer " << name;
  static const TimerSpec none;
  return none;
}

std::string lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

size_t stacking_index(const WindowLayout& layout, std::string_view name) {
  for (size_t i = 0; i < layout.controls.size(); ++i) {
    if (layout.controls[i].name == name) return i;
  }
  ADD_FAILURE() << layout.name << " has no control " << name;
  return layout.controls.size();
}

using TimerRow = std::tuple<std::string, bool, int>;

std::vector<TimerRow> timer_rows(const WindowLayout& layout) {
  std::vector<TimerRow> rows;
  for (const TimerSpec& design : layout.timers)
    rows.emplace_back(design.name, design.enabled, design.interval);
  return rows;
}

}  // namespace

// --- Rules every table keeps ---

TEST(WindowTables, NameEveryControlAndTimerOnceIgnoringCase) {
  for (const WindowLayout* layout : all_layouts()) {
    SCOPED_TRACE(layout->name);
    std::set<std::string> seen;
    for (const ControlSpec& design : layout->controls) {
      EXPECT_FALSE(design.name.empty());
      EXPECT_TRUE(seen.insert(lowercase(design.name)).second) << design.name;
    }
    for (const TimerSpec& design : layout->timers) {
      EXPECT_TRUE(seen.insert(lowercase(design.name)).second) << design.name;
    }
  }
}

TEST(WindowTables, NestControlsAndTimersOnlyInPictureBoxesOfTheSameWindow) {
  for (const WindowLayout* layout : all_layouts()) {
    SCOPED_TRACE(layout->name);
    auto expect_picture_box = [&](const std::string& owner, const std::string& container) {
      if (container.empty()) return;
      const ControlSpec* holder = layout->control(container);
      ASSERT_NE(holder, nullptr) << owner << " lies in a missing " << container;
      EXPECT_EQ(holder->kind, ControlKind::PictureBox) << owner << " lies in " << container;
      EXPECT_TRUE(holder->container.empty()) << "picture boxes are not nested here";
    };
    for (const ControlSpec& design : layout->controls)
      expect_picture_box(design.name, design.container);
    for (const TimerSpec& design : layout->timers)
      expect_picture_box(design.name, design.container);
  }
}

TEST(WindowTables, GiveEveryControlARealSizeAndEveryTimerAUsableInterval) {
  for (const WindowLayout* layout : all_layouts()) {
    SCOPED_TRACE(layout->name);
    EXPECT_GT(layout->width, 0);
    EXPECT_GT(layout->height, 0);
    for (const ControlSpec& design : layout->controls) {
      EXPECT_GT(design.width, 0) << design.name;
      EXPECT_GT(design.height, 0) << design.name;
      EXPECT_NE(design.kind, ControlKind::Timer) << design.name << " belongs among the timers";
    }
    for (const TimerSpec& design : layout->timers) {
      EXPECT_GT(design.interval, 0) << design.name;
      EXPECT_LE(design.interval, 65535) << design.name;
    }
  }
}

TEST(WindowTables, DrawPicturesAtTheirControlsSizeUnlessTheyAreStretchedOrTheCover) {
  for (const WindowLayout* layout : all_layouts()) {
    SCOPED_TRACE(layout->name);
    for (const ControlSpec& design : layout->controls) {
      if (!design.picture || design.picture->stretch) continue;
      if (layout->name == "Form2" && design.name == "image1") continue;  // the JPEG cover
      EXPECT_EQ(design.picture->width_px * kTwipsPerPixel, design.width) << design.name;
      EXPECT_EQ(design.picture->height_px * kTwipsPerPixel, design.height) << design.name;
    }
  }
}

TEST(WindowTables, GivePicturesOnlyToPictureBoxesAndImages) {
  for (const WindowLayout* layout : all_layouts()) {
    SCOPED_TRACE(layout->name);
    for (const ControlSpec& design : layout->controls) {
      if (design.kind != ControlKind::PictureBox && design.kind != ControlKind::Image) {
        EXPECT_FALSE(design.picture.has_value()) << design.name;
        continue;
      }
      ASSERT_TRUE(design.picture.has_value()) << design.name;
      const std::string& format = design.picture->format;
      EXPECT_TRUE(format == "bitmap" || format == "icon" || format == "jpeg") << design.name;
      EXPECT_FALSE(design.picture->description.empty()) << design.name;
    }
  }
}

TEST(WindowTables, DrawLabelsLyingOnPicturesWithoutABackground) {
  for (const WindowLayout* layout : all_layouts()) {
    SCOPED_TRACE(layout->name);
    for (const ControlSpec& design : layout->controls) {
      if (design.kind == ControlKind::Label && !design.container.empty()) {
        EXPECT_TRUE(design.transparent) << design.name;
      }
    }
  }
}

// Form2 and Form3 are placed centred when first shown; Form1 is parked by
// its own code. Form2's icon is also the tray icon; Form3 has none.
TEST(WindowTables, CentreOnlyTheTranslationAndHintWindowsAndIconOnlyTheOtherTwo) {
  EXPECT_FALSE(Form1Layout().centred);
  EXPECT_TRUE(Form2Layout().centred);
  EXPECT_TRUE(Form3Layout().centred);
  ASSERT_TRUE(Form1Layout().icon.has_value());
  ASSERT_TRUE(Form2Layout().icon.has_value());
  EXPECT_EQ(Form2Layout().icon->width_px, 32);
  EXPECT_FALSE(Form3Layout().icon.has_value());
  EXPECT_EQ(Form1Layout().back_color, (Rgb{0, 192, 192}));
  EXPECT_EQ(Form2Layout().back_color, (Rgb{204, 216, 238}));
  EXPECT_FALSE(Form2Layout().picture.has_value());
  ASSERT_TRUE(Form1Layout().picture.has_value());
  EXPECT_EQ(Form1Layout().picture->width_px, 707);
}

TEST(ControlKinds, HaveDistinctNamesAndOnlyLabelsImagesAndLinesAreDrawnOnTheSurface) {
  const std::vector<ControlKind> kinds = {
      ControlKind::PictureBox,  ControlKind::Label,        ControlKind::Image,
      ControlKind::CheckBox,    ControlKind::OptionButton, ControlKind::CommandButton,
      ControlKind::RichTextBox, ControlKind::TextBox,      ControlKind::ScrollBar,
      ControlKind::Line,        ControlKind::WebBrowser,   ControlKind::Timer};
  std::set<std::string> names;
  for (ControlKind kind : kinds) {
    std::string name = control_kind_name(kind);
    EXPECT_NE(name, "unknown");
    EXPECT_TRUE(names.insert(name).second) << name;
  }
  EXPECT_EQ(std::string(control_kind_name(ControlKind::RichTextBox)), "rich text box");
  EXPECT_FALSE(control_kind_windowed(ControlKind::Label));
  EXPECT_FALSE(control_kind_windowed(ControlKind::Image));
  EXPECT_FALSE(control_kind_windowed(ControlKind::Line));
  EXPECT_TRUE(control_kind_windowed(ControlKind::PictureBox));
  EXPECT_TRUE(control_kind_windowed(ControlKind::CommandButton));
  EXPECT_TRUE(control_kind_windowed(ControlKind::WebBrowser));
}

// --- Form1, the speech window ---

TEST(Form1Table, ListsTheTimersInOrderWithTheirStartStates) {
  const std::vector<TimerRow> expected = {
      {"Timer11", false, 1000}, {"Timer10", true, 50},  {"Timer9", false, 100},
      {"Timer8", false, 100},   {"Timer7", true, 1000}, {"Timer6", false, 100},
      {"Timer5", false, 500},   {"Timer4", false, 500}, {"Timer1", false, 100},
      {"Timer3", false, 500},   {"Timer2", false, 500}, {"TimerEn", false, 1500},
      {"z00", false, 2000}};
  EXPECT_EQ(timer_rows(Form1Layout()), expected);
}

TEST(Form1Table, PutsBothLanguageButtonsInOnePlaceAndTheirCaptionsInside) {
  const WindowLayout& form1 = Form1Layout();
  const ControlSpec& russian = control(form1, "Picture9");
  const ControlSpec& english = control(form1, "Picture10");
  EXPECT_EQ(std::tie(russian.left, russian.top, russian.width, russian.height),
            std::tie(english.left, english.top, english.width, english.height));
  EXPECT_FALSE(russian.visible);
  EXPECT_FALSE(english.visible);
  EXPECT_EQ(control(form1, "Label7").container, "Picture9");
  EXPECT_EQ(control(form1, "Label7").caption, "РУСКИ");
  EXPECT_EQ(control(form1, "Label8").container, "Picture10");
  EXPECT_EQ(control(form1, "Label8").caption, "АНГЛИЙСКИ");
}

TEST(Form1Table, StacksTheSettingsButtonAndPanelControlsInFrontOfTheLowerPanel) {
  const WindowLayout& form1 = Form1Layout();
  const size_t panel = stacking_index(form1, "Picture5");
  for (const char* name : {"Picture7", "Picture8", "Picture9", "Picture10", "VScroll1", "Text6"}) {
    EXPECT_LT(stacking_index(form1, name), panel) << name;
  }
  EXPECT_EQ(control(form1, "Picture5").top, 3400);  // bounds the hover zone
}

TEST(Form1Table, StartsTheSettingsButtonWhiteAndTheRestartButtonWithItsTooltip) {
  const WindowLayout& form1 = Form1Layout();
  const ControlSpec& label5 = control(form1, "Label5");
  EXPECT_EQ(label5.caption, "НАСТРОЙКА НА ГОВОРА");
  EXPECT_EQ(label5.fore_color, (Rgb{255, 255, 255}));
  EXPECT_TRUE(label5.transparent);
  EXPECT_EQ(control(form1, "Label6").caption, "РЕСТАРТ НА ПЛЕАР");
  EXPECT_EQ(control(form1, "Picture8").tooltip,
            "Използвайте този бутон, ако езика долу в дясно е различен от Englisch US");
  EXPECT_EQ(control(form1, "Picture1").tooltip, "Програмата чете текста в Clipboarda");
}

TEST(Form1Table, StartsTheReadingIntervalAt70InBothTheBarAndTheBox) {
  const WindowLayout& form1 = Form1Layout();
  const ControlSpec& bar = control(form1, "VScroll1");
  EXPECT_EQ(bar.kind, ControlKind::ScrollBar);
  EXPECT_TRUE(bar.horizontal);
  EXPECT_EQ(bar.max, 100);
  EXPECT_EQ(bar.value, 70);
  EXPECT_TRUE(bar.min == 30 || bar.large_change == 30) << "the stored 30 went nowhere";
  EXPECT_LE(bar.min, bar.value);
  EXPECT_FALSE(bar.visible);
  const ControlSpec& box = control(form1, "Text6");
  EXPECT_EQ(box.caption, std::to_string(bar.value));
  EXPECT_EQ(box.back_color, (Rgb{204, 216, 238}));
  EXPECT_EQ(control(form1, "Label9").caption, "Интервал между ENG и BG");
}

TEST(Form1Table, KeepsTheDesignPlacesOfTheBrowserAndTheFocusButton) {
  const WindowLayout& form1 = Form1Layout();
  const ControlSpec& browser = control(form1, "WebBrowser1");
  EXPECT_EQ(std::tie(browser.left, browser.top, browser.width, browser.height),
            std::make_tuple(-840.0f, 840.0f, 10980.0f, 3240.0f));
  const ControlSpec& focus = control(form1, "Command5");
  EXPECT_TRUE(focus.visible);
  EXPECT_EQ(focus.caption, "За фокус");
  EXPECT_EQ(focus.width, 1095);  // moved to Left = -Width at load
  EXPECT_EQ(control(form1, "Picture3").kind, ControlKind::Label);
  EXPECT_TRUE(control(form1, "Picture3").caption.empty());
}

TEST(Form1Table, WritesTheBandAndBannerTextsExactly) {
  const WindowLayout& form1 = Form1Layout();
  EXPECT_EQ(control(form1, "Label12").caption, "Програма изисква наличие на интернет връзка.");
  EXPECT_EQ(control(form1, "Label11").caption, "2010 година");
  EXPECT_EQ(control(form1, "Label1").caption,
            "Учебен синтезатор на говор с ограничение до 250 символа");
  EXPECT_EQ(control(form1, "Command6").caption, "ИЗГОВАРЯНЕ");
  EXPECT_EQ(control(form1, "Command2").caption, "Руски");
  EXPECT_EQ(control(form1, "Command8").caption, "Английски");
  EXPECT_FALSE(control(form1, "Label13").caption.empty());
  EXPECT_FALSE(control(form1, "Label10").caption.empty());
  EXPECT_EQ(control(form1, "Label10").fore_color, (Rgb{64, 64, 64}));
}

// --- Form2, the translation window ---

TEST(Form2Table, ListsTheTimersInOrderWithTheirStartStates) {
  const std::vector<TimerRow> expected = {
      {"Timer10", true, 1000},   {"Timer9", false, 5000},  {"Timer8", false, 5000},
      {"Timer6", true, 1000},    {"Timer4", false, 300},   {"TimerDesen", false, 500},
      {"Timer3333", false, 600}, {"Kopirane", false, 300}, {"Timer2222", false, 50},
      {"Timer5", false, 300},    {"Timer4444", false, 50}, {"Timer1111", false, 50},
      {"Timer3", false, 1500},   {"Timer1", false, 3000},  {"Timer7", false, 50},
      {"Timer0", false, 2000},   {"Timer2", false, 2000}};
  EXPECT_EQ(timer_rows(Form2Layout()), expected);
  EXPECT_EQ(timer(Form2Layout(), "Timer10").container, "image1");
  EXPECT_EQ(timer(Form2Layout(), "Timer6").container, "");
}

TEST(Form2Table, StartsWithTheCoverAsHighAsTheWindowAtLoadAndTheCompactHeightBelowIt) {
  const WindowLayout& form2 = Form2Layout();
  const ControlSpec& cover = control(form2, "image1");
  EXPECT_EQ(cover.kind, ControlKind::PictureBox);
  EXPECT_TRUE(cover.visible);
  EXPECT_EQ(cover.height, 3135);
  ASSERT_TRUE(cover.picture.has_value());
  EXPECT_EQ(cover.picture->format, "jpeg");
  EXPECT_FALSE(cover.picture->stretch);
  const ControlSpec& result = control(form2, "Text3");
  EXPECT_EQ(result.top + result.height + 50, 3425);
  const ControlSpec& fill = control(form2, "Image2");
  ASSERT_TRUE(fill.picture.has_value());
  EXPECT_TRUE(fill.picture->stretch);
  EXPECT_EQ(fill.container, "image1");
  EXPECT_EQ(control(form2, "Image3").width, 6225);  // the fill grows to fifteenths of it
  EXPECT_EQ(control(form2, "Picture3").container, "image1");
}

TEST(Form2Table, KeepsTheOptionsHiddenWithTheirStartValues) {
  const WindowLayout& form2 = Form2Layout();
  const std::vector<std::pair<const char*, int>> expected = {
      {"Check1", 0}, {"Check2", 1}, {"Check3", 1}, {"Check4", 0}};
  for (const auto& [name, value] : expected) {
    const ControlSpec& check = control(form2, name);
    EXPECT_EQ(check.kind, ControlKind::CheckBox) << name;
    EXPECT_EQ(check.value, value) << name;
    EXPECT_FALSE(check.visible) << name;
  }
  EXPECT_EQ(control(form2, "Check2").caption, "Иговаряне на английската фраза при превод");
  EXPECT_EQ(control(form2, "Check4").caption,
            "Гласов превод без визуализация на текст  <--- >   УНИКАЛНО");
}

TEST(Form2Table, SelectsBulgarianAsTheOnlyDirectionAtStart) {
  const WindowLayout& form2 = Form2Layout();
  const ControlSpec& bulgarian = control(form2, "Option1");
  const ControlSpec& russian = control(form2, "Option2");
  EXPECT_EQ(bulgarian.value, 1);
  EXPECT_EQ(russian.value, 0);
  EXPECT_EQ(bulgarian.caption, "Български");
  EXPECT_EQ(russian.caption, "Руски");
  EXPECT_EQ(bulgarian.fore_color, (Rgb{0, 192, 0}));
  EXPECT_EQ(russian.fore_color, (Rgb{128, 128, 255}));
  for (const ControlSpec* option : {&bulgarian, &russian}) {
    ASSERT_TRUE(option->font.has_value());
    EXPECT_TRUE(option->font->bold);
    EXPECT_FLOAT_EQ(option->font->size, 8.25f);
    EXPECT_FALSE(option->visible);
  }
}

// Each of the first three option rows is a pair of pictures at one place,
// the look without the tick 401 pixels wide and the one with it 400; the one
// showing at start matches its check box.
TEST(Form2Table, LaysEachOptionRowsTwoLooksAtOnePlaceShowingTheStartValue) {
  const WindowLayout& form2 = Form2Layout();
  struct Row {
    const char* check;
    const char* off_look;
    const char* on_look;
  };
  for (const Row& row :
       {Row{"Check1", "Picture17", "Picture24"}, Row{"Check2", "Picture23", "Picture18"},
        Row{"Check3", "Picture22", "Picture19"}}) {
    SCOPED_TRACE(row.check);
    const ControlSpec& off = control(form2, row.off_look);
    const ControlSpec& on = control(form2, row.on_look);
    EXPECT_EQ(off.left, on.left);
    EXPECT_EQ(off.top, on.top);
    EXPECT_EQ(off.height, on.height);
    EXPECT_EQ(off.width, 6015);
    EXPECT_EQ(on.width, 6000);
    const bool option_on = control(form2, row.check).value == 1;
    EXPECT_EQ(on.visible, option_on);
    EXPECT_EQ(off.visible, !option_on);
  }
  const ControlSpec& voice_only = control(form2, "Picture20");
  EXPECT_TRUE(voice_only.visible);
  EXPECT_EQ(voice_only.width, 6015);
}

TEST(Form2Table, PutsTheSameCaptionAtTheSamePlaceOnBothLooksOfARow) {
  const WindowLayout& form2 = Form2Layout();
  const std::vector<std::tuple<const char*, const char*, const char*>> pairs = {
      {"Label12", "Label11", "Превод при двоен клик върху дума или десен клик след селектиране"},
      {"Label14", "Label13", "Изговаряне на английската дума или фраза при превод"},
      {"Label16", "Label15", "Изговаряне на българската дума или фраза при превод"}};
  for (const auto& [first, second, caption] : pairs) {
    const ControlSpec& a = control(form2, first);
    const ControlSpec& b = control(form2, second);
    EXPECT_EQ(a.caption, caption) << first;
    EXPECT_EQ(b.caption, caption) << second;
    EXPECT_EQ(std::tie(a.left, a.top, a.width, a.height),
              std::tie(b.left, b.top, b.width, b.height));
    EXPECT_NE(a.container, b.container);
  }
  EXPECT_EQ(control(form2, "Label18").caption,
            "Гласов превод без визуализация на текст <------ УНИКАЛНО");
}

TEST(Form2Table, LaysTheHeaderClickAreasOverTheButtonsDrawnInTheHeaderPicture) {
  const WindowLayout& form2 = Form2Layout();
  // Pixel columns of the chevron, bar and cross in the 490-pixel header.
  const std::vector<std::tuple<const char*, int, int>> areas = {
      {"Label100", 328, 361}, {"Picture11", 368, 425}, {"Picture1", 432, 489}};
  for (const auto& [name, first_px, last_px] : areas) {
    const ControlSpec& area = control(form2, name);
    EXPECT_EQ(area.kind, ControlKind::Label) << name;
    EXPECT_TRUE(area.transparent) << name;
    EXPECT_LE(area.left, first_px * kTwipsPerPixel) << name;
    EXPECT_GE(area.left + area.width, last_px * kTwipsPerPixel) << name;
  }
  EXPECT_EQ(control(form2, "Label100").caption, " ");
  EXPECT_TRUE(control(form2, "Picture1").caption.empty());
  // Picture2 is a windowed control, so it covers Label100 while it shows.
  const ControlSpec& patch = control(form2, "Picture2");
  const ControlSpec& chevron = control(form2, "Label100");
  EXPECT_LE(patch.left, chevron.left);
  EXPECT_GE(patch.left + patch.width, chevron.left + chevron.width);
  EXPECT_GE(patch.top + patch.height, chevron.top + chevron.height);
  EXPECT_EQ(control(form2, "Picture5").picture->width_px, 490);
}

TEST(Form2Table, WritesTheButtonCaptionsInBoldAndWhite) {
  const WindowLayout& form2 = Form2Layout();
  for (const auto& [name, caption] : {std::pair{"Label10", "ПРЕВЕДИ"}, {"Label5", "НАСТРОЙКИ"}}) {
    const ControlSpec& label = control(form2, name);
    EXPECT_EQ(label.caption, caption);
    ASSERT_TRUE(label.font.has_value()) << name;
    EXPECT_TRUE(label.font->bold);
    EXPECT_FLOAT_EQ(label.font->size, 8.25f);
    EXPECT_EQ(label.font->name, "MS Sans Serif");
    EXPECT_EQ(label.font->charset, "Cyrillic");
    EXPECT_EQ(label.fore_color, (Rgb{255, 255, 255}));
  }
  EXPECT_FALSE(control(form2, "Picture16").visible);
  EXPECT_FALSE(control(form2, "Picture10").visible);
  EXPECT_EQ(control(form2, "Command1").caption, "ПРОЧЕТИ");
  EXPECT_EQ(control(form2, "Command7").caption, "ПРОЧЕТИ 2");
  EXPECT_EQ(control(form2, "Label1").caption, "Програма изисква наличие на интернет връзка.");
}

TEST(Form2Table, LeavesTheBoxesHiddenUntilTheirStepsShowThem) {
  const WindowLayout& form2 = Form2Layout();
  for (const char* name : {"Text1", "Text3", "Text4"}) {
    EXPECT_EQ(control(form2, name).kind, ControlKind::RichTextBox) << name;
    EXPECT_FALSE(control(form2, name).visible) << name;
  }
  // Both read buttons lie below every height the window takes.
  EXPECT_GT(control(form2, "Command1").top, 5700);
  EXPECT_GT(control(form2, "Command7").top, 5700);
}

// --- Form3, the hint window ---

TEST(Form3Table, IsACentredBandWithOneBoldLineAndAFiveSecondTimer) {
  const WindowLayout& form3 = Form3Layout();
  EXPECT_EQ(form3.width, 8565);
  EXPECT_EQ(form3.height, 765);
  EXPECT_TRUE(form3.centred);
  EXPECT_FALSE(form3.icon.has_value());
  ASSERT_TRUE(form3.picture.has_value());
  EXPECT_EQ(form3.picture->width_px, 570);
  EXPECT_EQ(form3.picture->height_px, 54);
  ASSERT_EQ(form3.controls.size(), 1u);
  const ControlSpec& label = form3.controls.front();
  EXPECT_EQ(label.name, "Label1");
  EXPECT_EQ(std::tie(label.left, label.top, label.width, label.height),
            std::make_tuple(120.0f, 240.0f, 8415.0f, 375.0f));
  EXPECT_TRUE(label.transparent);
  ASSERT_TRUE(label.font.has_value());
  EXPECT_TRUE(label.font->bold);
  EXPECT_FLOAT_EQ(label.font->size, 9.75f);
  EXPECT_EQ(label.caption, "Изберете език за изговаряне на фраза и след това изберете тази опция!");
  EXPECT_EQ(timer_rows(form3), (std::vector<TimerRow>{{"Timer1", true, 5000}}));
}

}  // namespace prevod

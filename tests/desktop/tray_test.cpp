#include <gtest/gtest.h>

#include <cstring>

#include "desktop/bas_main.h"
#include "platform/shell32.h"
#include "support/system_fixture.h"

namespace prevod {

namespace {

class TrayTest : public SystemFixture {
 protected:
  void SetUp() override {
    boot();
    advance(60);  // Form2 comes into being at the first tick of Form1's Timer10
  }
};

TEST_F(TrayTest, TheRecordIsEightyEightBytesWithTheTooltipInTheAnsiCodePage) {
  ASSERT_EQ(desktop().tray().icons().size(), 1u);
  auto bytes = desktop().tray().calls().front();
  auto u32 = [&](int at) {
    return static_cast<uint32_t>(bytes[at]) | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<uint32_t>(bytes[at + 3]) << 24;
  };
  EXPECT_EQ(u32(0), 88u);
  EXPECT_EQ(u32(4), form2().hWnd());
  EXPECT_EQ(u32(8), desktop().App_hInstance());
  EXPECT_EQ(u32(12), 7u);
  EXPECT_EQ(u32(16), 1039u);
  EXPECT_NE(u32(20), 0u) << "the window's icon";
  // "Кликни с мишката, за да се отвори кестринката!" in Windows-1251: 46
  // bytes, a NUL and 17 spaces.
  const char* tooltip =
      "\xCA\xEB\xE8\xEA\xED\xE8 \xF1 \xEC\xE8\xF8\xEA\xE0\xF2\xE0, \xE7\xE0 \xE4\xE0 \xF1\xE5 "
      "\xEE\xF2\xE2\xEE\xF0\xE8 \xEA\xE5\xF1\xF2\xF0\xE8\xED\xEA\xE0\xF2\xE0!";
  ASSERT_EQ(std::strlen(tooltip), 46u);
  EXPECT_EQ(std::memcmp(bytes.data() + 24, tooltip, 46), 0);
  EXPECT_EQ(bytes[24 + 46], 0);
  for (int i = 24 + 47; i < 88; ++i) EXPECT_EQ(bytes[i], ' ') << i;
}

TEST_F(TrayTest, SetTrayHidesTheWindowAfterAnimatingItTowardsTheNotificationArea) {
  EXPECT_FALSE(form2().Visible());
  ASSERT_EQ(desktop().animations().size(), 1u);
  EXPECT_EQ(desktop().animations()[0].idAni, 3);
  EXPECT_EQ(desktop().animations()[0].hWnd, form2().hWnd());
}

TEST_F(TrayTest, ALeftPressShowsForm2AndBringsForm1ToItsCorner) {
  form2().set_Left(3000);
  form2().set_Top(1500);
  desktop().click_tray(513);
  EXPECT_TRUE(form2().Visible());
  EXPECT_EQ(form1().Left(), 3000);
  EXPECT_EQ(form1().Top(), 1500);
}

TEST_F(TrayTest, ARightPressShowsForm2AndLeavesForm1WhereItIs) {
  desktop().click_tray(516);
  EXPECT_TRUE(form2().Visible());
  EXPECT_EQ(form1().Left(), -10600);
}

TEST_F(TrayTest, OtherMouseMessagesChangeNothing) {
  for (int message : {512, 514, 515, 517, 0, 1039}) desktop().click_tray(message);
  EXPECT_FALSE(form2().Visible());
}

TEST_F(TrayTest, TheWindowProcedureDecidesByWParamAloneAndPassesEveryMessageOn) {
  // Any message number with the icon's id and 513 is a left click.
  TrayWindowProc(system->app, form2().hWnd(), 7, shared().TrayIconId, 513);
  EXPECT_TRUE(form2().Visible());
  form2().Hide();
  TrayWindowProc(system->app, form2().hWnd(), 1039, shared().TrayIconId + 1, 513);
  EXPECT_FALSE(form2().Visible());
}

TEST_F(TrayTest, RemoveTrayIconLeavesNoIcon) {
  RemoveTrayIcon(system->app);
  EXPECT_TRUE(desktop().tray().icons().empty());
}

TEST(TrayWithoutTaskbarTest, TheAnimationEndsQuietlyWithoutANotificationArea) {
  SimulatedSystem::Options options;
  options.taskbar = false;
  SimulatedSystem system(options);
  system.start();
  system.loop.advance(60);
  EXPECT_TRUE(system.desktop.animations().empty());
  EXPECT_FALSE(system.app.Form2().Visible());
  EXPECT_EQ(system.desktop.tray().icons().size(), 1u);
}

}  // namespace

}  // namespace prevod

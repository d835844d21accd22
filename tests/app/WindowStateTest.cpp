// The window as the program starts, and the service check of its created event.
#include <cstdlib>

#include "AppFixture.h"

namespace vantorel {
namespace {

using WindowStateTest = AppFixture;

TEST_F(WindowStateTest, StartsWithEmptyResultsAndHiddenErrorAreas) {
  EXPECT_EQ(w.window.caption(), Chinese("Vantorel By：Quenmarsh"));
  EXPECT_EQ(w.高级选择夹1.shownPageIndex(), 0);
  EXPECT_EQ(w.透明标签29.text(), Chinese("未选择！"));
  EXPECT_EQ(w.透明标签27.text(), Chinese("未选择！"));
  EXPECT_EQ(w.组合框2.selectedIndex(), 0);
  EXPECT_EQ(w.组合框2.items().front(), Chinese("全部"));
  EXPECT_EQ(w.组合框1.selectedIndex(), 0);
  EXPECT_EQ(w.组合框1.items().front(), Chinese("测试"));
  for (ui::Label* label : {&w.透明标签52, &w.透明标签50, &w.透明标签51, &w.透明标签54, &w.透明标签47,
                           &w.透明标签56, &w.透明标签46, &w.透明标签75, &w.透明标签59, &w.透明标签61})
    EXPECT_EQ(label->text(), "-");
  EXPECT_EQ(w.外形框3.fillColour(), ui::kWhite);
  EXPECT_EQ(w.外形框5.fillColour(), ui::kWhite);
  EXPECT_FALSE(w.错误框3.isShown());
  EXPECT_FALSE(w.错误框5.isShown());
  EXPECT_TRUE(w.图片框3.picture().empty());
  EXPECT_EQ(w.编辑框2.maxBytes(), 42);
}

TEST_F(WindowStateTest, AcceptedTokenMarksTheCaption) {
  server.SetTokenReply(R"({"access_token":"24.abc","expires_in":2592000})");
  app.OnMainWindowCreated();
  EXPECT_EQ(w.window.caption(), Chinese("Vantorel By：Quenmarsh---服务器验证成功"));
  EXPECT_TRUE(dialogs.messages.empty());
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0].path, "/oauth/2.0/token");
}

TEST_F(WindowStateTest, RefusedTokenMarksTheCaptionAndSaysSoOnce) {
  server.SetTokenReply(R"({"error":"invalid_client","error_description":"unknown client id"})");
  app.OnMainWindowCreated();
  EXPECT_EQ(w.window.caption(), Chinese("Vantorel By：Quenmarsh---服务器验证失败"));
  EXPECT_EQ(dialogs.messages, std::vector<Text>{Chinese("服务器授权失败！请检查API KEY")});
}

TEST_F(WindowStateTest, DialogStartsOnTheDesktopWithATrailingSeparator) {
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("XDG_CONFIG_HOME", "/nonexistent-config", 1);
  server.SetTokenReply("{}");
  app.OnMainWindowCreated();
  EXPECT_EQ(w.通用对话框1.startFolder(), home.empty() ? "" : home + "/Desktop/");
  ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace vantorel

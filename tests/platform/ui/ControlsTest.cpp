// The controls without a display: their properties, places and events.
#include <gtest/gtest.h>

#include <FL/Fl_Group.H>

#include "platform/codepage/CodePage.h"
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/FilledShape.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/TabContainer.h"
#include "platform/ui/Toolkit.h"
#include "platform/ui/Window.h"

namespace vantorel::ui {
namespace {

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override { InitializeToolkit(); }
  Window window{{50, 50, 495, 472}, FromUtf8("窗口"), "vantorel-test"};
};

TEST_F(ControlsTest, PlacesAreConvertedFromParentToWindow) {
  auto& tabs = window.Add<TabContainer>(Rect{-1, 1, 497, 471});
  auto& page = tabs.AddPage(FromUtf8("人脸搜索"));
  auto& group = page.Add<GroupBox>(Rect{11, 271, 472, 184}, FromUtf8("结果分析："));
  auto& onPage = page.Add<Label>(Rect{13, 36, 240, 176}, "", LabelLook{});
  auto& inGroup = group.Add<Label>(Rect{-28, 144, 137, 32}, "", LabelLook{});

  EXPECT_EQ(tabs.x(), -1);
  EXPECT_EQ(tabs.y(), 1);
  // Page controls count from the tab container's corner, tab bar included.
  EXPECT_EQ(onPage.x(), 12);
  EXPECT_EQ(onPage.y(), 37);
  EXPECT_EQ(onPage.w(), 240);
  EXPECT_EQ(onPage.h(), 176);
  EXPECT_EQ(inGroup.x(), -1 + 11 - 28);
  EXPECT_EQ(inGroup.y(), 1 + 271 + 144);
  EXPECT_EQ(inGroup.parent(), &group);
}

TEST_F(ControlsTest, FirstTabPageIsShownAndPagesKeepTheirOrder) {
  auto& tabs = window.Add<TabContainer>(Rect{-1, 1, 497, 471});
  auto& first = tabs.AddPage(FromUtf8("人脸搜索"));
  auto& second = tabs.AddPage(FromUtf8("人脸库管理"));
  EXPECT_EQ(tabs.shownPageIndex(), 0);
  EXPECT_TRUE(first.visible());
  EXPECT_FALSE(second.visible());
  tabs.ShowPage(1);
  EXPECT_EQ(tabs.shownPageIndex(), 1);
  EXPECT_STREQ(second.label(), "人脸库管理");
}

TEST_F(ControlsTest, LabelKeepsItsCp936TextAndShowsItAsUtf8) {
  auto& label = window.Add<Label>(Rect{0, 0, 100, 32}, FromUtf8("图片大小："),
                                  LabelLook{kBlue, {FontFace::Hei, 19}, Alignment::Right});
  EXPECT_EQ(label.text(), FromUtf8("图片大小："));
  EXPECT_STREQ(label.label(), "图片大小：");
  EXPECT_EQ(label.colour(), kBlue);
  EXPECT_EQ(label.labelsize(), 19);
  EXPECT_TRUE(label.align() & FL_ALIGN_RIGHT);

  label.SetText(FromUtf8("user@example 美女"));
  EXPECT_EQ(label.text(), FromUtf8("user@example 美女"));
  EXPECT_STREQ(label.label(), "user@@example 美女");  // shown as written, not as a symbol
}

TEST_F(ControlsTest, ComboBoxSelectsItsFirstItemAndShowsItemsLiterally) {
  auto& combo = window.Add<ComboBox>(Rect{335, 81, 80, 20},
                                     std::initializer_list<Text>{FromUtf8("全部"), "a/b&c_d\\e", FromUtf8("明星")});
  EXPECT_EQ(combo.selectedIndex(), 0);
  ASSERT_EQ(combo.size(), 4);  // three items and the menu's end mark
  EXPECT_STREQ(combo.text(0), "全部");
  EXPECT_STREQ(combo.text(1), "a/b&c_d\\e");
  combo.Select(2);
  EXPECT_EQ(combo.selectedIndex(), 2);
  combo.Select(7);
  EXPECT_EQ(combo.selectedIndex(), 2);
}

TEST_F(ControlsTest, FilledShapeTakesItsFillColour) {
  auto& shape = window.Add<FilledShape>(Rect{55, 233, 24, 16}, kWhite);
  EXPECT_EQ(shape.fillColour(), kWhite);
  shape.SetFillColour(kRed);
  EXPECT_EQ(shape.fillColour(), kRed);
  EXPECT_EQ(shape.color(), fl_rgb_color(255, 0, 0));
}

TEST_F(ControlsTest, GroupBoxShowsAndHides) {
  auto& hidden = window.Add<GroupBox>(Rect{18, 288, 392, 160}, FromUtf8("错误信息"), Backdrop::Opaque,
                                      Visibility::Hidden);
  EXPECT_FALSE(hidden.isShown());
  hidden.Show();
  EXPECT_TRUE(hidden.isShown());
  hidden.Hide();
  EXPECT_FALSE(hidden.isShown());
}

TEST_F(ControlsTest, ButtonRunsItsClickedHandlerFromTheToolkitCallback) {
  auto& button = window.Add<Button>(Rect{86, 222, 139, 37}, FromUtf8("开始识别"));
  int clicks = 0;
  button.do_callback();  // no handler yet: nothing happens
  button.OnClicked([&] { ++clicks; });
  button.do_callback();
  button.Click();
  EXPECT_EQ(clicks, 2);
  EXPECT_STREQ(button.label(), "开始识别");
}

TEST_F(ControlsTest, WindowCaptionIsCp936AndTheWindowLabelUtf8) {
  window.SetCaption(window.caption() + FromUtf8("---服务器验证成功"));
  EXPECT_EQ(window.caption(), FromUtf8("窗口---服务器验证成功"));
  EXPECT_STREQ(window.label(), "窗口---服务器验证成功");
  EXPECT_STREQ(window.xclass(), "vantorel-test");
}

TEST_F(ControlsTest, RaisedControlKeepsItsPlaceAndGoesOnTop) {
  auto& tabs = window.Add<TabContainer>(Rect{-1, 1, 497, 471});
  auto& page = tabs.AddPage("p");
  auto& group = page.Add<GroupBox>(Rect{8, 26, 481, 437}, "g");
  auto& button = group.Add<Button>(Rect{277, 358, 142, 45}, "b");
  page.Add<GroupBox>(Rect{51, 273, 392, 160}, "e");
  page.Raise(button);
  EXPECT_EQ(button.parent(), &page);
  EXPECT_EQ(page.child(page.children() - 1), &button);
  EXPECT_EQ(button.x(), -1 + 8 + 277);
  EXPECT_EQ(button.y(), 1 + 26 + 358);
}

}  // namespace
}  // namespace vantorel::ui

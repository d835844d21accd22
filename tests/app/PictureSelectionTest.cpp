// Choosing pictures: the size limit, the size label and the picture box.
#include "AppFixture.h"
#include "platform/shell/Shell.h"

namespace vantorel {
namespace {

using PictureSelectionTest = AppFixture;

TEST_F(PictureSelectionTest, SizesAtTheLimit) {
  struct Case {
    std::uintmax_t size;
    const char* label;  // nothing: refused
  };
  const Case cases[] = {
      {2'047'999, "1999KB"}, {2'048'000, nullptr}, {1023, "0KB"}, {1024, "1KB"}, {0, "0KB"},
      {std::uintmax_t{1} << 31, nullptr},  // 2 GiB: beyond any 32-bit size, refused all the same
  };
  for (const auto& c : cases) {
    w.透明标签29.SetText(Chinese("未选择！"));
    dialogs.messages.clear();
    ChoosePicture(w.打开识别图, MakeFile("size" + std::to_string(c.size), c.size));
    if (c.label == nullptr) {
      EXPECT_EQ(dialogs.messages, std::vector<Text>{Chinese("图片需小于2M，请重新选择")}) << c.size;
      EXPECT_EQ(w.透明标签29.text(), Chinese("未选择！")) << c.size;
    } else {
      EXPECT_TRUE(dialogs.messages.empty()) << c.size;
      EXPECT_EQ(w.透明标签29.text(), c.label) << c.size;
      EXPECT_EQ(w.图片框3.picture().size(), c.size) << c.size;
    }
  }
}

TEST_F(PictureSelectionTest, RefusedOrCancelledChoiceKeepsThePreviousPicture) {
  ChoosePicture(w.打开注册图, MakeFile("first.jpg", 3000));
  ChoosePicture(w.打开注册图, MakeFile("big.jpg", 3'000'000));
  dialogs.AnswerNextFileDialog(std::nullopt);
  w.打开注册图.Click();
  EXPECT_EQ(w.透明标签27.text(), "2KB");
  EXPECT_EQ(w.图片框4.picture().size(), 3000u);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(w.图片框3.picture().empty());  // the other page is untouched
}

TEST_F(PictureSelectionTest, SecondChoiceReplacesTheFirst) {
  ChoosePicture(w.打开识别图, MakeFile("a.jpg", 5000));
  ChoosePicture(w.打开识别图, MakeFile("b.jpg", 70000));
  EXPECT_EQ(w.透明标签29.text(), "68KB");
  EXPECT_EQ(w.图片框3.picture().size(), 70000u);
}

TEST_F(PictureSelectionTest, VanishedFileShowsMinusOneAndEmptiesTheBox) {
  ChoosePicture(w.打开识别图, MakeFile("a.jpg", 5000));
  ChoosePicture(w.打开识别图, "/nonexistent/picture.jpg");
  EXPECT_EQ(w.透明标签29.text(), "-1KB");
  EXPECT_TRUE(w.图片框3.picture().empty());
}

TEST_F(PictureSelectionTest, DialogUsesTheStartFolderSetAtCreation) {
  w.通用对话框1.SetStartFolder("/home/someone/Desktop/");
  ChoosePicture(w.打开识别图, MakeFile("a.jpg", 10));
  EXPECT_EQ(dialogs.startFolders, std::vector<std::string>{"/home/someone/Desktop/"});
}

}  // namespace
}  // namespace vantorel

// Edit boxes count their maximum length in CP936 bytes and cut what typing
// or pasting puts beyond it.
#include <gtest/gtest.h>

#include <string>

#include <FL/Fl.H>

#include "platform/codepage/CodePage.h"
#include "platform/ui/EditBox.h"
#include "platform/ui/Toolkit.h"

namespace vantorel::ui {
namespace {

void Paste(EditBox& box, const std::string& utf8) {
  Fl::e_text = const_cast<char*>(utf8.c_str());
  Fl::e_length = static_cast<int>(utf8.size());
  box.handle(FL_PASTE);
}

EditBox MakeUserIdBox() {
  InitializeToolkit();
  return EditBox({64, 193, 153, 20}, EditBoxLook{}, 42);
}

TEST(EditBoxTest, TextIsCp936) {
  EditBox box({0, 0, 100, 20}, EditBoxLook{});
  box.SetText(FromUtf8("该人脸已存在"));
  EXPECT_STREQ(box.value(), "该人脸已存在");
  EXPECT_EQ(box.text(), FromUtf8("该人脸已存在"));
}

TEST(EditBoxTest, PastingIsCutAtTheByteLimit) {
  struct Case {
    std::string pasted;
    std::string kept;
  };
  const Case cases[] = {
      {std::string(50, 'a'), std::string(42, 'a')},
      {std::string(42, 'b'), std::string(42, 'b')},
      // 22 double-byte characters are 44 bytes: 21 fit.
      {"一二三四五六七八九十一二三四五六七八九十一二", "一二三四五六七八九十一二三四五六七八九十一"},
      // A double-byte character that would straddle the limit is dropped whole.
      {std::string(41, 'c') + "脸", std::string(41, 'c')},
  };
  for (const auto& c : cases) {
    EditBox box = MakeUserIdBox();
    Paste(box, c.pasted);
    EXPECT_EQ(std::string(box.value()), c.kept) << c.pasted;
    EXPECT_LE(box.text().size(), 42u);
  }
}

TEST(EditBoxTest, PastingInTheMiddleKeepsTheTextAfterTheCursor) {
  EditBox box = MakeUserIdBox();
  Paste(box, std::string(40, 'x'));
  box.position(20);
  Paste(box, "12345");
  EXPECT_EQ(std::string(box.value()), std::string(20, 'x') + "12" + std::string(20, 'x'));
  EXPECT_EQ(box.position(), 22);
}

TEST(EditBoxTest, ProgramWritesAreNotCut) {
  EditBox box = MakeUserIdBox();
  box.SetText(std::string(60, 'z'));
  EXPECT_EQ(box.text().size(), 60u);
}

TEST(EditBoxTest, WithoutLimitNothingIsCut) {
  InitializeToolkit();
  EditBox box({61, 301, 154, 98}, EditBoxLook{Lines::Multiple}, std::nullopt);
  Paste(box, std::string(500, 'q'));
  EXPECT_EQ(box.text().size(), 500u);
  EXPECT_EQ(box.input_type(), FL_MULTILINE_INPUT);
  EXPECT_TRUE(box.wrap());
}

}  // namespace
}  // namespace vantorel::ui

#include "app/MainWindow.h"

#include "app/DecorationPicture.h"
#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

using ui::Alignment;
using ui::FontFace;
using ui::LabelLook;
using ui::Rect;

// The window's outer size is 501×497; FLTK sizes the client area, which is
// that less a 3-pixel frame on each side and a 19-pixel caption bar.
constexpr Rect kClientArea{50, 50, 495, 472};
constexpr const char* kWindowClass = "vantorel";

const LabelLook kBlackRight{ui::kBlack, {}, Alignment::Right};
const LabelLook kBlue{ui::kBlue, {}, Alignment::Left};
const LabelLook kBlueRight{ui::kBlue, {}, Alignment::Right};
const LabelLook kBlueSong12Right{ui::kBlue, {FontFace::Song, 12}, Alignment::Right};
const LabelLook kRedSong12{ui::kRed, {FontFace::Song, 12}, Alignment::Left};
const LabelLook kGreyHei19Right{ui::kDarkGrey, {FontFace::Hei, 19}, Alignment::Right};
const LabelLook kRedHei19{ui::kRed, {FontFace::Hei, 19}, Alignment::Left};
const LabelLook kGreyHei14Right{ui::kDarkGrey, {FontFace::Hei, 14}, Alignment::Right};
const LabelLook kRedHei14{ui::kRed, {FontFace::Hei, 14}, Alignment::Left};
const LabelLook kHintHei12{ui::kLightGrey, {FontFace::Hei, 12}, Alignment::Left};

const ui::EditBoxLook kErrorLine{ui::Lines::Single, ui::Border::Single, ui::kRed, ui::kWhite};
const ui::EditBoxLook kErrorLines{ui::Lines::Multiple, ui::Border::Single, ui::kRed, ui::kWhite};
const ui::EditBoxLook kInputLine{ui::Lines::Single, ui::Border::Sunken, ui::kBlack, ui::kWhite};
const ui::EditBoxLook kInputLines{ui::Lines::Multiple, ui::Border::Sunken, ui::kBlack, ui::kWhite};

constexpr int kUserIdMaxBytes = 42;

Text Chinese(std::string_view utf8) { return FromUtf8(utf8); }

ui::Label& AddLabel(ui::Container& parent, Rect place, std::string_view utf8, const LabelLook& look) {
  return parent.Add<ui::Label>(place, Chinese(utf8), look);
}

ui::PictureBox& AddDecoration(ui::Container& parent, Rect place) {
  auto& box = parent.Add<ui::PictureBox>(place, ui::Border::Absent);
  box.SetPicture(DecorationPicture());
  return box;
}

// Both error areas hold the same controls at the same places.
ErrorArea AddErrorArea(ui::Container& page, Rect place) {
  auto& box = page.Add<ui::GroupBox>(place, Chinese("错误信息"), ui::Backdrop::Opaque, ui::Visibility::Hidden);
  return ErrorArea{
      box,
      AddLabel(box, {16, 26, 56, 16}, "错误代码：", kBlue),
      box.Add<ui::EditBox>(Rect{83, 25, 100, 20}, kErrorLine),
      AddLabel(box, {16, 65, 56, 16}, "错误描述：", kBlue),
      box.Add<ui::EditBox>(Rect{81, 55, 303, 33}, kErrorLines),
      AddLabel(box, {16, 109, 56, 16}, "错误信息：", kBlue),
      box.Add<ui::EditBox>(Rect{80, 96, 304, 48}, kErrorLines),
  };
}

}  // namespace

Text InitialCaption() { return Chinese("Vantorel By：Quenmarsh"); }

MainWindow::MainWindow(ui::Dialogs& dialogs)
    : window(kClientArea, InitialCaption(), kWindowClass),
      通用对话框1(dialogs),
      高级选择夹1(window.Add<ui::TabContainer>(Rect{-1, 1, 497, 471})),

      searchPage(高级选择夹1.AddPage(Chinese("人脸搜索"))),
      图片框3(searchPage.Add<ui::PictureBox>(Rect{13, 36, 240, 176}, ui::Border::Single)),
      打开识别图(searchPage.Add<ui::Button>(Rect{281, 155, 103, 28}, Chinese("打开图片"))),
      图片框2(AddDecoration(searchPage, {256, 157, 24, 24})),
      透明标签28(AddLabel(searchPage, {261, 40, 72, 32}, "图片大小：", kBlackRight)),
      透明标签29(AddLabel(searchPage, {335, 41, 64, 32}, "未选择！", kBlue)),
      透明标签20(AddLabel(searchPage, {269, 75, 64, 32}, "用户组：", kBlueRight)),
      组合框2(searchPage.Add<ui::ComboBox>(Rect{335, 81, 80, 20}, std::initializer_list<Text>{
                                              Chinese("全部"), Chinese("测试"), Chinese("美女"), Chinese("明星")})),
      透明标签32(AddLabel(searchPage, {257, 107, 75, 32}, "图片标识：", kBlueSong12Right)),
      透明标签52(AddLabel(searchPage, {331, 117, 150, 26}, "-", kRedSong12)),
      开始人脸识别(searchPage.Add<ui::Button>(Rect{86, 222, 139, 37}, Chinese("开始识别"))),
      外形框3(searchPage.Add<ui::FilledShape>(Rect{55, 233, 24, 16}, ui::kWhite)),
      透明标签74(AddLabel(searchPage, {248, 223, 48, 32}, "耗时：", kBlueSong12Right)),
      透明标签75(AddLabel(searchPage, {305, 224, 72, 32}, "-", kRedSong12)),
      分组框2(searchPage.Add<ui::GroupBox>(Rect{11, 271, 472, 184}, Chinese("结果分析："))),
      透明标签31(AddLabel(分组框2, {15, 16, 98, 32}, "识别结果：", kGreyHei19Right)),
      透明标签46(AddLabel(分组框2, {110, 16, 260, 32}, "-", kRedHei19)),
      透明标签48(AddLabel(分组框2, {32, 45, 80, 32}, "组ID：", kGreyHei19Right)),
      透明标签50(AddLabel(分组框2, {110, 46, 276, 32}, "-", kRedHei19)),
      透明标签30(AddLabel(分组框2, {31, 71, 80, 32}, "用户ID：", kGreyHei19Right)),
      透明标签51(AddLabel(分组框2, {110, 72, 296, 32}, "-", kRedHei19)),
      透明标签53(AddLabel(分组框2, {7, 96, 103, 32}, "用户信息：", kGreyHei19Right)),
      透明标签54(AddLabel(分组框2, {110, 96, 296, 32}, "-", kRedHei19)),
      透明标签49(AddLabel(分组框2, {7, 119, 102, 32}, "相似度：", kGreyHei19Right)),
      透明标签47(AddLabel(分组框2, {110, 122, 296, 32}, "-", kRedHei19)),
      透明标签55(AddLabel(分组框2, {-28, 144, 137, 32}, "人员类型：", kGreyHei19Right)),
      透明标签56(AddLabel(分组框2, {110, 146, 180, 32}, "-", kRedHei19)),
      searchErrorArea(AddErrorArea(searchPage, {18, 288, 392, 160})),
      错误框3(searchErrorArea.box),
      错误代码框3(searchErrorArea.code),
      错误描述框3(searchErrorArea.description),
      错误信息框3(searchErrorArea.message),

      libraryPage(高级选择夹1.AddPage(Chinese("人脸库管理"))),
      分组框1(libraryPage.Add<ui::GroupBox>(Rect{8, 26, 481, 437}, Chinese("人脸注册"))),
      图片框4(分组框1.Add<ui::PictureBox>(Rect{8, 19, 208, 152}, ui::Border::Single)),
      透明标签26(AddLabel(分组框1, {223, 56, 72, 32}, "图片大小：", kBlackRight)),
      透明标签27(AddLabel(分组框1, {292, 56, 64, 32}, "未选择！", kBlue)),
      打开注册图(分组框1.Add<ui::Button>(Rect{243, 97, 89, 28}, Chinese("打开图片"))),
      图片框1(AddDecoration(分组框1, {217, 99, 24, 24})),
      透明标签22(AddLabel(分组框1, {16, 185, 48, 32}, "人脸ID：", kBlueRight)),
      编辑框2(分组框1.Add<ui::EditBox>(Rect{64, 193, 153, 20}, kInputLine, kUserIdMaxBytes)),
      透明标签24(AddLabel(分组框1, {12, 215, 206, 32}, "由数字、字母、下划线组成，否则报错", kHintHei12)),
      透明标签21(AddLabel(分组框1, {16, 248, 48, 32}, "人脸组：", kBlueRight)),
      组合框1(分组框1.Add<ui::ComboBox>(Rect{63, 254, 112, 20},
                                       std::initializer_list<Text>{Chinese("测试"), Chinese("美女"), Chinese("明星")})),
      透明标签23(AddLabel(分组框1, {0, 294, 63, 32}, "人脸信息：", kBlueRight)),
      编辑框4(分组框1.Add<ui::EditBox>(Rect{61, 301, 154, 98}, kInputLines)),
      透明标签1(AddLabel(分组框1, {11, 405, 206, 32}, "由数字、字母、下划线组成，否则报错", kHintHei12)),
      注册人脸(分组框1.Add<ui::Button>(Rect{277, 358, 142, 45}, Chinese("添加进人脸库"))),
      透明标签58(AddLabel(libraryPage, {257, 311, 45, 32}, "结果：", kGreyHei14Right)),
      透明标签59(AddLabel(libraryPage, {304, 312, 177, 32}, "-", kRedHei14)),
      外形框5(libraryPage.Add<ui::FilledShape>(Rect{239, 319, 14, 16}, ui::kWhite)),
      透明标签60(AddLabel(libraryPage, {225, 340, 77, 32}, "图片标识：", kGreyHei14Right)),
      透明标签61(AddLabel(libraryPage, {303, 342, 178, 32}, "-", kRedHei14)),
      registrationErrorArea(AddErrorArea(libraryPage, {51, 273, 392, 160})),
      错误框5(registrationErrorArea.box),
      错误代码框5(registrationErrorArea.code),
      错误描述框5(registrationErrorArea.description),
      错误信息框5(registrationErrorArea.message) {
  // The registration error area lies over the register button; the button
  // stays on top so that a failed registration can be sent again.
  libraryPage.Raise(注册人脸);
}

}  // namespace vantorel

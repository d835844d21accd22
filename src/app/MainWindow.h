#pragma once
// The program's one window with every control of its definition, each under
// its definition's name and at its place. Building it needs no display.
#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/EditBox.h"
#include "platform/ui/FilledShape.h"
#include "platform/ui/GroupBox.h"
#include "platform/ui/Label.h"
#include "platform/ui/OpenFileDialog.h"
#include "platform/ui/PictureBox.h"
#include "platform/ui/TabContainer.h"
#include "platform/ui/Window.h"

namespace vantorel {

// The error area of either page: code, description and the service's message.
struct ErrorArea {
  ui::GroupBox& box;
  ui::Label& codeCaption;
  ui::EditBox& code;
  ui::Label& descriptionCaption;
  ui::EditBox& description;
  ui::Label& messageCaption;
  ui::EditBox& message;
};

class MainWindow {
 public:
  explicit MainWindow(ui::Dialogs& dialogs);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  ui::Window window;
  ui::OpenFileDialog 通用对话框1;
  ui::TabContainer& 高级选择夹1;

  // Page 1, "人脸搜索".
  ui::TabPage& searchPage;
  ui::PictureBox& 图片框3;
  ui::Button& 打开识别图;
  ui::PictureBox& 图片框2;
  ui::Label& 透明标签28;
  ui::Label& 透明标签29;
  ui::Label& 透明标签20;
  ui::ComboBox& 组合框2;
  ui::Label& 透明标签32;
  ui::Label& 透明标签52;
  ui::Button& 开始人脸识别;
  ui::FilledShape& 外形框3;
  ui::Label& 透明标签74;
  ui::Label& 透明标签75;
  ui::GroupBox& 分组框2;
  ui::Label& 透明标签31;
  ui::Label& 透明标签46;
  ui::Label& 透明标签48;
  ui::Label& 透明标签50;
  ui::Label& 透明标签30;
  ui::Label& 透明标签51;
  ui::Label& 透明标签53;
  ui::Label& 透明标签54;
  ui::Label& 透明标签49;
  ui::Label& 透明标签47;
  ui::Label& 透明标签55;
  ui::Label& 透明标签56;
  ErrorArea searchErrorArea;
  ui::GroupBox& 错误框3;
  ui::EditBox& 错误代码框3;
  ui::EditBox& 错误描述框3;
  ui::EditBox& 错误信息框3;

  // Page 2, "人脸库管理".
  ui::TabPage& libraryPage;
  ui::GroupBox& 分组框1;
  ui::PictureBox& 图片框4;
  ui::Label& 透明标签26;
  ui::Label& 透明标签27;
  ui::Button& 打开注册图;
  ui::PictureBox& 图片框1;
  ui::Label& 透明标签22;
  ui::EditBox& 编辑框2;
  ui::Label& 透明标签24;
  ui::Label& 透明标签21;
  ui::ComboBox& 组合框1;
  ui::Label& 透明标签23;
  ui::EditBox& 编辑框4;
  ui::Label& 透明标签1;
  ui::Button& 注册人脸;
  ui::Label& 透明标签58;
  ui::Label& 透明标签59;
  ui::FilledShape& 外形框5;
  ui::Label& 透明标签60;
  ui::Label& 透明标签61;
  ErrorArea registrationErrorArea;
  ui::GroupBox& 错误框5;
  ui::EditBox& 错误代码框5;
  ui::EditBox& 错误描述框5;
  ui::EditBox& 错误信息框5;
};

// The window's caption before the service check marks it.
Text InitialCaption();

}  // namespace vantorel

#include <algorithm>

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include "platform/ui/Dialogs.h"
#include "platform/ui/ToolkitInternal.h"

namespace vantorel::ui {
namespace {

constexpr int kMargin = 20;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 26;
constexpr int kMinimumTextWidth = 160;

void RunModal(Fl_Window& window) {
  window.set_modal();
  window.show();
  while (window.shown()) Fl::wait();
}

}  // namespace

void ToolkitDialogs::ShowMessage(const Text& message) {
  const std::string text = LabelText(message);
  fl_font(FL_HELVETICA, kDefaultFontSize);
  int textWidth = 0, textHeight = 0;
  fl_measure(text.c_str(), textWidth, textHeight, 0);
  textWidth = std::max(textWidth, kMinimumTextWidth);
  const int width = textWidth + 2 * kMargin;
  const int height = textHeight + 3 * kMargin + kButtonHeight;

  Fl_Group::current(nullptr);
  Fl_Window box((Fl::w() - width) / 2, (Fl::h() - height) / 2, width, height, "信息：");
  box.xclass("vantorel-message");
  Fl_Box messageText(kMargin, kMargin, textWidth, textHeight);
  messageText.copy_label(text.c_str());
  messageText.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
  Fl_Return_Button ok(width - kMargin - kButtonWidth, height - kMargin - kButtonHeight + kMargin / 2, kButtonWidth,
                      kButtonHeight, "确定");
  ok.callback([](Fl_Widget*, void* window) { static_cast<Fl_Window*>(window)->hide(); }, &box);
  box.end();
  RunModal(box);
}

std::optional<std::filesystem::path> ToolkitDialogs::ChooseFileToOpen(const std::string& startFolder) {
  Fl_Group::current(nullptr);
  Fl_File_Chooser chooser(startFolder.empty() ? nullptr : startFolder.c_str(), "*", Fl_File_Chooser::SINGLE, "打开");
  chooser.preview(0);
  chooser.show();
  while (chooser.shown()) Fl::wait();
  if (chooser.count() < 1 || chooser.value() == nullptr) return std::nullopt;
  return std::filesystem::path(chooser.value());
}

}  // namespace vantorel::ui

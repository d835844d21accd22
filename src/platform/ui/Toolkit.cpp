#include <FL/Fl.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>

#include "platform/codepage/CodePage.h"
#include "platform/ui/ToolkitInternal.h"

namespace vantorel::ui {
namespace {

// FLTK picks one font per text and never falls back to another for missing
// glyphs, so every font the program uses must hold the Chinese characters.
// A leading blank tells FLTK the name is of the regular style.
constexpr Fl_Font kHeiFont = FL_FREE_FONT;
constexpr Fl_Font kSongFont = FL_FREE_FONT + 1;

void SetFonts() {
  Fl::set_font(FL_HELVETICA, " WenQuanYi Zen Hei");
  Fl::set_font(kHeiFont, " WenQuanYi Zen Hei");
  Fl::set_font(kSongFont, " AR PL UMing CN");
  FL_NORMAL_SIZE = kDefaultFontSize;
}

void TranslateFileChooser() {
  fl_ok = "确定";
  fl_cancel = "取消";
  Fl_File_Chooser::filename_label = "文件名：";
  Fl_File_Chooser::show_label = "文件类型：";
  Fl_File_Chooser::all_files_label = "所有文件 (*)";
  Fl_File_Chooser::custom_filter_label = "自定义";
  Fl_File_Chooser::favorites_label = "收藏夹";
  Fl_File_Chooser::add_favorites_label = "加入收藏夹";
  Fl_File_Chooser::manage_favorites_label = "管理收藏夹";
  Fl_File_Chooser::filesystems_label = "文件系统";
  Fl_File_Chooser::new_directory_label = "新文件夹名：";
  Fl_File_Chooser::new_directory_tooltip = "新建文件夹";
  Fl_File_Chooser::preview_label = "预览";
  Fl_File_Chooser::hidden_label = "显示隐藏文件";
  Fl_File_Chooser::existing_file_label = "文件已存在，要替换吗？";
}

}  // namespace

void InitializeToolkit() {
  SetFonts();
  Fl::background(kWindowBackground.red, kWindowBackground.green, kWindowBackground.blue);
  Fl::background2(255, 255, 255);
  Fl::foreground(0, 0, 0);
  Fl::visible_focus(0);
  TranslateFileChooser();
}

void FlushDisplay() { Fl::flush(); }

Fl_Color ToFlColor(Colour colour) { return fl_rgb_color(colour.red, colour.green, colour.blue); }

Fl_Font ToFlFont(FontFace face) {
  switch (face) {
    case FontFace::Hei: return kHeiFont;
    case FontFace::Song: return kSongFont;
    case FontFace::Default: break;
  }
  return FL_HELVETICA;
}

void RepaintArea(Fl_Widget& widget) {
  if (Fl_Window* window = widget.window())
    window->damage(FL_DAMAGE_EXPOSE, widget.x(), widget.y(), widget.w(), widget.h());
}

std::string LabelText(const Text& text) {
  std::string label;
  for (char c : ToUtf8(text)) {
    if (c == '@') label += '@';
    label += c;
  }
  return label;
}

}  // namespace vantorel::ui

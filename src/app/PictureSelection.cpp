// Choosing the picture of either page.
#include <cmath>

#include "app/Application.h"
#include "base/TextOps.h"
#include "platform/codepage/CodePage.h"
#include "platform/shell/Shell.h"

namespace vantorel {
namespace {

constexpr double kPictureSizeLimitKB = 2000;  // KB of 1024 bytes

}  // namespace

// The desktop folder, ending with the path separator; empty when unknown, and
// the dialog then starts where the system chooses.
void Application::SetDialogStartFolder() {
  std::string folder = shell::DesktopFolder().value_or("");
  if (!folder.empty() && folder.back() != '/') folder += '/';
  window_.通用对话框1.SetStartFolder(folder);
}

void Application::OnOpenSearchPicture() { OpenPicture(window_.透明标签29, window_.图片框3); }

void Application::OnOpenRegistrationPicture() { OpenPicture(window_.透明标签27, window_.图片框4); }

// Whatever bytes the file holds become the picture; the service judges them.
// The size is 64-bit, so files of 2 GiB and more are refused like any other
// file over the limit.
void Application::OpenPicture(ui::Label& sizeLabel, ui::PictureBox& pictureBox) {
  const auto path = window_.通用对话框1.Open();
  if (!path) return;
  const std::int64_t size = shell::FileSize(*path);
  const double kb = static_cast<double>(size) / 1024;
  if (kb - kPictureSizeLimitKB >= -1e-7) {
    ShowMessage("图片需小于2M，请重新选择");
    return;
  }
  sizeLabel.SetText(NumberToText(static_cast<std::int64_t>(std::floor(kb))) + "KB");
  pictureBox.SetPicture(shell::ReadWholeFile(*path));
}

}  // namespace vantorel

// Registering the face in the picture of page 2 in the face library.
#include "app/Application.h"
#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

// The group for each choice of 组合框1; nothing selected sends none.
Text GroupId(int selectedIndex) {
  switch (selectedIndex) {
    case 0: return "test";
    case 1: return "girl";
    case 2: return "star";
    default: return {};
  }
}

}  // namespace

// Only emptiness of the user id is checked; the service judges its characters.
void Application::OnRegisterFace() {
  MainWindow& w = window_;
  if (w.图片框4.picture().empty()) {
    ShowMessage("无图片！");
    return;
  }
  if (w.编辑框2.text().empty()) {
    ShowMessage("用户ID必须要填，且为引文数字");
    return;
  }
  const Text groupId = GroupId(w.组合框1.selectedIndex());
  w.外形框5.SetFillColour(ui::kWhite);
  w.透明标签59.SetText(FromUtf8("注册中,请稍等..."));
  w.透明标签61.SetText("-");
  ui::FlushDisplay();  // the request blocks the window: show the waiting state first

  const Text reply = faceClient_->RegisterFace(w.图片框4.picture(), w.编辑框2.text(), groupId, w.编辑框4.text());
  replyState_->EvaluateReply(reply);
  if (replyState_->replySucceeded != 1) {
    ShowError(w.registrationErrorArea);
    w.外形框5.SetFillColour(ui::kRed);
    return;
  }
  w.错误框5.Hide();
  w.外形框5.SetFillColour(ui::kGreen);
  w.透明标签59.SetText(FromUtf8("成功"));
  w.图片框4.SetPicture({});
  replyState_->replyDocument.Parse(reply);
  w.透明标签61.SetText(replyState_->replyDocument.GetText("result.face_token"));
}

}  // namespace vantorel

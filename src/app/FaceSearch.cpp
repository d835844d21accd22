// Searching the face library for the person in the picture of page 1.
#include "app/Application.h"
#include "base/TextOps.h"
#include "platform/codepage/CodePage.h"
#include "platform/shell/Shell.h"

namespace vantorel {
namespace {

constexpr int kMatchScoreThreshold = 80;

// The groups searched for each choice of 组合框2; nothing selected searches none.
Text GroupIdList(int selectedIndex) {
  switch (selectedIndex) {
    case 0: return "test,girl,star";
    case 1: return "test";
    case 2: return "girl";
    case 3: return "star";
    default: return {};
  }
}

}  // namespace

void Application::OnStartSearch() {
  MainWindow& w = window_;
  requestStartTicks_ = static_cast<std::int32_t>(shell::TickCount());
  if (w.图片框3.picture().empty()) {
    ShowMessage("请选择需要识别的图片！");
    return;
  }
  const Text groupIdList = GroupIdList(w.组合框2.selectedIndex());
  w.透明标签46.SetText(FromUtf8("识别中,请稍等..."));
  ResetResultLabels();
  w.外形框3.SetFillColour(ui::kWhite);
  ui::FlushDisplay();  // the request blocks the window: show the waiting state first

  const Text reply = faceClient_->SearchFace(w.图片框3.picture(), groupIdList);
  replyState_->EvaluateReply(reply);
  if (replyState_->replySucceeded != 1) {
    ShowError(w.searchErrorArea);
    w.外形框3.SetFillColour(ui::kRed);
    w.透明标签46.SetText(FromUtf8("返回异常,请检查..."));
    ShowElapsedTime();
    return;
  }
  w.错误框3.Hide();
  w.外形框3.SetFillColour(ui::kGreen);
  replyState_->replyDocument.Parse(reply);
  const int score = TextToInteger(replyState_->replyDocument.GetText("result['user_list'][0]['score']"));
  if (score < kMatchScoreThreshold) {
    w.透明标签46.SetText(FromUtf8("失败，未找到此人"));
    ResetResultLabels();
  } else {
    ShowMatch();
  }
  ShowElapsedTime();
}

void Application::ShowMatch() {
  MainWindow& w = window_;
  JsonDocument& reply = replyState_->replyDocument;
  w.透明标签46.SetText(FromUtf8("成功，匹配到以下人员"));
  w.透明标签52.SetText(reply.GetText("result.face_token"));
  w.透明标签50.SetText(reply.GetText("result['user_list'][0]['group_id']"));
  const Text& groupId = w.透明标签50.text();
  if (groupId == "test") w.透明标签56.SetText(FromUtf8("测试"));
  if (groupId == "girl") w.透明标签56.SetText(FromUtf8("美女"));
  if (groupId == "star") w.透明标签56.SetText(FromUtf8("明星"));
  w.透明标签51.SetText(reply.GetText("result['user_list'][0]['user_id']"));
  w.透明标签54.SetText(reply.GetText("result['user_list'][0]['user_info']"));
  w.透明标签47.SetText(reply.GetText("result['user_list'][0]['score']"));
  reply.Clear();
}

void Application::ResetResultLabels() {
  MainWindow& w = window_;
  for (ui::Label* label : {&w.透明标签52, &w.透明标签50, &w.透明标签51, &w.透明标签54, &w.透明标签47, &w.透明标签56})
    label->SetText("-");
}

// The tick count wraps every 49.7 days; the difference of the two 32-bit
// readings is right across a wrap, where a difference of signed values is not.
void Application::ShowElapsedTime() {
  const std::uint32_t elapsed = shell::TickCount() - static_cast<std::uint32_t>(requestStartTicks_);
  requestStartTicks_ = TruncateToInteger(static_cast<double>(elapsed));
  window_.透明标签75.SetText(NumberToText(requestStartTicks_ / 1000.0) + FromUtf8("秒"));
}

void Application::ShowError(const ErrorArea& area) {
  area.code.SetText(replyState_->errorCode);
  area.description.SetText(replyState_->errorDescription);
  area.message.SetText(replyState_->errorMessage);
  area.box.Show();
}

}  // namespace vantorel

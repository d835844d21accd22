#include "app/Application.h"

#include "platform/codepage/CodePage.h"

namespace vantorel {

// The members are made in the order they are declared: the client with its
// session, then the reply state, then the window.
Application::Application(ui::Dialogs& dialogs, std::optional<Text> serviceAddress)
    : dialogs_(dialogs),
      faceClient_(std::make_unique<FaceServiceClient>(std::move(serviceAddress))),
      replyState_(std::make_unique<ReplyState>()),
      window_(dialogs) {
  WireEvents();
}

Application::~Application() { ReleaseSharedObjects(); }

void Application::ReleaseSharedObjects() {
  faceClient_.reset();
  if (replyState_) replyState_->Release();
  replyState_.reset();
}

void Application::WireEvents() {
  window_.window.OnCreated([this] { OnMainWindowCreated(); });
  window_.打开识别图.OnClicked([this] { OnOpenSearchPicture(); });
  window_.打开注册图.OnClicked([this] { OnOpenRegistrationPicture(); });
  window_.开始人脸识别.OnClicked([this] { OnStartSearch(); });
  window_.注册人脸.OnClicked([this] { OnRegisterFace(); });
}

void Application::Run() {
  window_.window.Show();
  window_.window.RunMessageLoop();
}

void Application::OnMainWindowCreated() {
  CheckServiceAuthorization();
  SetDialogStartFolder();
}

// The token is asked for once; after a refusal the program stays usable and
// later replies show their own errors.
void Application::CheckServiceAuthorization() {
  const Text result = faceClient_->AcquireToken();
  ui::Window& window = window_.window;
  if (result == "1") {
    window.SetCaption(window.caption() + FromUtf8("---服务器验证成功"));
    return;
  }
  window.SetCaption(window.caption() + FromUtf8("---服务器验证失败"));
  ShowMessage("服务器授权失败！请检查API KEY");
}

void Application::ShowMessage(std::string_view utf8) { dialogs_.ShowMessage(FromUtf8(utf8)); }

}  // namespace vantorel

#pragma once
// The program: the face service client and the reply state that the flows
// share, the main window, and the handlers of its events. `main` owns one;
// tests build their own with scripted dialogs and no display.
#include <cstdint>
#include <memory>
#include <optional>

#include "app/MainWindow.h"
#include "app/ReplyState.h"
#include "face/FaceServiceClient.h"
#include "platform/ui/Dialogs.h"

namespace vantorel {

class Application {
 public:
  // Creates the shared objects (the client, then the reply state), then the
  // main window with its events wired. `serviceAddress` overrides the
  // service address built into the program.
  explicit Application(ui::Dialogs& dialogs, std::optional<Text> serviceAddress = std::nullopt);
  // Releases the shared objects: the client first, then the reply state.
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Shows the main window, whose created event checks the service, and
  // handles events until the window is closed.
  void Run();

  MainWindow& window() { return window_; }
  FaceServiceClient& faceClient() { return *faceClient_; }
  ReplyState& replyState() { return *replyState_; }
  std::int32_t requestStartTicks() const { return requestStartTicks_; }

  // The event handlers.
  void OnMainWindowCreated();
  void OnOpenSearchPicture();
  void OnOpenRegistrationPicture();
  void OnStartSearch();
  void OnRegisterFace();

 private:
  void ReleaseSharedObjects();
  void WireEvents();

  void CheckServiceAuthorization();
  void SetDialogStartFolder();
  void OpenPicture(ui::Label& sizeLabel, ui::PictureBox& pictureBox);
  void ResetResultLabels();
  void ShowMatch();
  void ShowElapsedTime();
  void ShowError(const ErrorArea& area);
  void ShowMessage(std::string_view utf8);

  ui::Dialogs& dialogs_;
  std::unique_ptr<FaceServiceClient> faceClient_;
  std::unique_ptr<ReplyState> replyState_;
  MainWindow window_;
  std::int32_t requestStartTicks_ = 0;
};

}  // namespace vantorel

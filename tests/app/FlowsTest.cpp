// The search and registration flows against a scripted service: what each
// reply shape leaves in the labels, lights, error areas and message boxes.
#include "AppFixture.h"

namespace vantorel {
namespace {

constexpr const char* kNoFace = R"({"error_code":222202,"error_msg":"pic not has face","log_id":1})";

std::string SearchReply(const std::string& groupId, const std::string& score) {
  return R"({"error_code":0,"error_msg":"SUCCESS","result":{"face_token":"ft-123","user_list":[{"group_id":")" +
         groupId + R"(","user_id":"u_1","user_info":"info","score":)" + score + "}]}}";
}

class FlowsTest : public AppFixture {
 protected:
  void SearchWith(const std::string& reply) {
    server.SetSearchReply(reply);
    w.开始人脸识别.Click();
  }
  void RegisterWith(const std::string& reply) {
    server.SetRegistrationReply(reply);
    w.注册人脸.Click();
  }
  std::vector<Text> ResultLabels() {
    return {w.透明标签52.text(), w.透明标签50.text(), w.透明标签51.text(),
            w.透明标签54.text(), w.透明标签47.text(), w.透明标签56.text()};
  }
  void ExpectSearchError(const Text& code, const std::string& descriptionUtf8, const Text& message) {
    EXPECT_TRUE(w.错误框3.isShown());
    EXPECT_EQ(w.错误代码框3.text(), code);
    EXPECT_EQ(w.错误描述框3.text(), Chinese(descriptionUtf8));
    EXPECT_EQ(w.错误信息框3.text(), message);
    EXPECT_EQ(w.外形框3.fillColour(), ui::kRed);
    EXPECT_EQ(w.透明标签46.text(), Chinese("返回异常,请检查..."));
  }
  void ExpectElapsedTimeShown() {
    const Text& elapsed = w.透明标签75.text();
    EXPECT_TRUE(elapsed.ends_with(Chinese("秒"))) << elapsed;
    EXPECT_GE(app.requestStartTicks(), 0);
  }
};

TEST_F(FlowsTest, SearchWithoutPictureOnlySaysSo) {
  w.开始人脸识别.Click();
  EXPECT_EQ(dialogs.messages, std::vector<Text>{Chinese("请选择需要识别的图片！")});
  EXPECT_TRUE(server.requests().empty());
  EXPECT_EQ(w.透明标签46.text(), "-");
  EXPECT_EQ(w.透明标签75.text(), "-");
}

TEST_F(FlowsTest, MatchesAtOrAboveEightyShowTheBestUser) {
  struct Case {
    std::string groupId;
    std::string score;
    std::string shownScore;  // numbers are shown in their shortest form
    std::string personType;
  };
  const Case cases[] = {{"girl", "87.53", "87.53", "美女"},
                        {"test", "80", "80", "测试"},
                        {"star", "80.0", "80", "明星"},
                        {"vip", "99", "99", "-"}};
  ChoosePicture(w.打开识别图, MakeFile("face.jpg", 100));
  for (const auto& c : cases) {
    SearchWith(SearchReply(c.groupId, c.score));
    EXPECT_EQ(w.透明标签46.text(), Chinese("成功，匹配到以下人员")) << c.score;
    EXPECT_EQ(ResultLabels(), (std::vector<Text>{"ft-123", c.groupId, "u_1", "info", c.shownScore, Chinese(c.personType)}));
    EXPECT_EQ(w.外形框3.fillColour(), ui::kGreen);
    EXPECT_FALSE(w.错误框3.isShown());
    ExpectElapsedTimeShown();
    // A shown match clears the reply document.
    EXPECT_EQ(app.replyState().replyDocument.GetText("result.face_token"), "");
  }
}

TEST_F(FlowsTest, ScoresBelowEightyAreNotFoundWithAGreenLight) {
  ChoosePicture(w.打开识别图, MakeFile("face.jpg", 100));
  for (const std::string& reply : {SearchReply("girl", "79.99"),
                                   std::string(R"({"error_code":0,"result":{"face_token":"t","user_list":[]}})")}) {
    SearchWith(reply);
    EXPECT_EQ(w.透明标签46.text(), Chinese("失败，未找到此人")) << reply;
    EXPECT_EQ(ResultLabels(), std::vector<Text>(6, "-"));
    EXPECT_EQ(w.外形框3.fillColour(), ui::kGreen);
    ExpectElapsedTimeShown();
  }
}

TEST_F(FlowsTest, SearchSendsThePictureToTheChosenGroups) {
  ChoosePicture(w.打开识别图, MakeFile("face.jpg", 3));
  w.组合框2.Select(2);
  SearchWith(SearchReply("girl", "90"));
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].path, "/rest/2.0/face/v3/search");
  EXPECT_NE(requests[0].body.find("\"cHBw\""), std::string::npos) << requests[0].body;  // base64 of "ppp"
  EXPECT_NE(requests[0].body.find("\"girl\""), std::string::npos) << requests[0].body;
}

TEST_F(FlowsTest, FailedSearchRepliesShowTheErrorArea) {
  struct Case {
    std::string reply;
    Text code;
    std::string descriptionUtf8;
    Text message;
  };
  const Case cases[] = {
      {kNoFace, "222202", "未检测到人脸", "pic not has face"},
      {R"({"error_code":"0","error_msg":"SUCCESS"})", "\"0\"", "", "SUCCESS"},
      {R"({"error_code":223114,"error_msg":"face is fuzzy"})", "223114", "脸部不清晰", "face is fuzzy"},
      {R"({"error_code":999,"error_msg":"odd"})", "999", "", "odd"},
  };
  ChoosePicture(w.打开识别图, MakeFile("face.jpg", 100));
  for (const auto& c : cases) {
    SearchWith(c.reply);
    ExpectSearchError(c.code, c.descriptionUtf8, c.message);
    EXPECT_EQ(ResultLabels(), std::vector<Text>(6, "-"));
    ExpectElapsedTimeShown();
  }
}

TEST_F(FlowsTest, RepliesWithoutAnErrorCodeFail) {
  ChoosePicture(w.打开识别图, MakeFile("face.jpg", 100));
  for (const std::string reply : {"", "<html><body>Bad Gateway</body></html>", "{\"result\":{}}"}) {
    SearchWith(reply);
    EXPECT_TRUE(w.错误框3.isShown()) << reply;
    EXPECT_EQ(w.外形框3.fillColour(), ui::kRed) << reply;
    EXPECT_EQ(w.错误描述框3.text(), "") << reply;
  }
}

TEST_F(FlowsTest, SuccessAfterFailureHidesTheErrorArea) {
  ChoosePicture(w.打开识别图, MakeFile("face.jpg", 100));
  SearchWith(kNoFace);
  ASSERT_TRUE(w.错误框3.isShown());
  SearchWith(SearchReply("star", "95.5"));
  EXPECT_FALSE(w.错误框3.isShown());
  EXPECT_EQ(w.透明标签56.text(), Chinese("明星"));
}

TEST_F(FlowsTest, RegistrationChecksPictureAndUserIdFirst) {
  w.注册人脸.Click();
  ChoosePicture(w.打开注册图, MakeFile("face.jpg", 100));
  w.注册人脸.Click();
  EXPECT_EQ(dialogs.messages, (std::vector<Text>{Chinese("无图片！"), Chinese("用户ID必须要填，且为引文数字")}));
  EXPECT_TRUE(server.requests().empty());
  EXPECT_EQ(w.透明标签59.text(), "-");
}

TEST_F(FlowsTest, SuccessfulRegistrationShowsTheTokenAndTakesThePicture) {
  ChoosePicture(w.打开注册图, MakeFile("face.jpg", 100));
  w.编辑框2.SetText("   ");  // only emptiness is refused
  w.编辑框4.SetText(Chinese("张三"));
  w.组合框1.Select(1);
  RegisterWith(R"({"error_code":0,"error_msg":"SUCCESS","result":{"face_token":"new-token","location":{}}})");
  EXPECT_EQ(w.透明标签59.text(), Chinese("成功"));
  EXPECT_EQ(w.透明标签61.text(), "new-token");
  EXPECT_EQ(w.外形框5.fillColour(), ui::kGreen);
  EXPECT_FALSE(w.错误框5.isShown());
  EXPECT_TRUE(w.图片框4.picture().empty());
  EXPECT_EQ(w.透明标签27.text(), "0KB");  // the size label keeps its text
  const auto requests = server.requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_EQ(requests[0].path, "/rest/2.0/face/v3/faceset/user/add");
  EXPECT_NE(requests[0].body.find("\"   \""), std::string::npos) << requests[0].body;
  EXPECT_NE(requests[0].body.find("\"girl\""), std::string::npos) << requests[0].body;
  EXPECT_NE(requests[0].body.find("张三"), std::string::npos) << requests[0].body;

  w.注册人脸.Click();
  EXPECT_EQ(dialogs.messages, std::vector<Text>{Chinese("无图片！")});
}

TEST_F(FlowsTest, FailedRegistrationShowsTheErrorAndKeepsThePicture) {
  ChoosePicture(w.打开注册图, MakeFile("face.jpg", 100));
  w.编辑框2.SetText("user_1");
  RegisterWith(R"({"error_code":223106,"error_msg":"face is already exist"})");
  EXPECT_TRUE(w.错误框5.isShown());
  EXPECT_EQ(w.错误代码框5.text(), "223106");
  EXPECT_EQ(w.错误描述框5.text(), Chinese("该人脸已存在"));
  EXPECT_EQ(w.错误信息框5.text(), "face is already exist");
  EXPECT_EQ(w.外形框5.fillColour(), ui::kRed);
  EXPECT_EQ(w.透明标签59.text(), Chinese("注册中,请稍等..."));
  EXPECT_EQ(w.透明标签61.text(), "-");
  EXPECT_EQ(w.图片框4.picture().size(), 100u);
}

}  // namespace
}  // namespace vantorel

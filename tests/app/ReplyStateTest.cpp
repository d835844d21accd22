// Reading success or failure, and the error texts, from service replies.
#include "app/ReplyState.h"

#include <gtest/gtest.h>

#include "platform/codepage/CodePage.h"

namespace vantorel {
namespace {

TEST(ReplyStateTest, StartsEmpty) {
  ReplyState state;
  EXPECT_EQ(state.replySucceeded, 0);
  EXPECT_TRUE(state.errorCode.empty());
  EXPECT_TRUE(state.errorDescription.empty());
  EXPECT_TRUE(state.errorMessage.empty());
}

TEST(ReplyStateTest, FailuresFillCodeDescriptionAndMessage) {
  struct Case {
    const char* reply;
    Text code;
    std::string descriptionUtf8;
    Text message;
  };
  const Case cases[] = {
      {R"({"error_code":222202,"error_msg":"pic not has face"})", "222202", "未检测到人脸", "pic not has face"},
      {R"({"error_code":223105,"error_msg":"face is already exist"})", "223105", "该人脸已存在", "face is already exist"},
      {R"({"error_code":223106,"error_msg":"face is already exist"})", "223106", "该人脸已存在", "face is already exist"},
      {R"({"error_code":222001,"error_msg":"param[user_id] is null"})", "222001", "必要参数未传入", "param[user_id] is null"},
      {R"({"error_code":223114,"error_msg":"face is fuzzy"})", "223114", "脸部不清晰", "face is fuzzy"},
      {R"({"error_code":110,"error_msg":"Access token invalid or no longer valid"})", "110", "",
       "Access token invalid or no longer valid"},
      // The string "0" is not the number 0.
      {R"({"error_code":"0","error_msg":"SUCCESS"})", "\"0\"", "", "SUCCESS"},
  };
  for (const auto& c : cases) {
    ReplyState state;
    state.EvaluateReply(c.reply);
    EXPECT_EQ(state.replySucceeded, 0) << c.reply;
    EXPECT_EQ(state.errorCode, c.code) << c.reply;
    EXPECT_EQ(state.errorDescription, FromUtf8(c.descriptionUtf8)) << c.reply;
    EXPECT_EQ(state.errorMessage, c.message) << c.reply;
  }
}

TEST(ReplyStateTest, RepliesWithoutAnErrorCodeFail) {
  for (const char* reply : {"", "<html><body>502 Bad Gateway</body></html>",
                            R"({"error":"invalid_client","error_description":"unknown client id"})", "[1,2]"}) {
    ReplyState state;
    state.replySucceeded = 1;
    state.EvaluateReply(reply);
    EXPECT_EQ(state.replySucceeded, 0) << reply;
    EXPECT_NE(state.errorCode, "0") << reply;
    EXPECT_TRUE(state.errorDescription.empty()) << reply;
  }
}

TEST(ReplyStateTest, SuccessKeepsTheEarlierErrorTextsAndTheReply) {
  ReplyState state;
  state.EvaluateReply(R"({"error_code":222202,"error_msg":"pic not has face"})");
  state.EvaluateReply(R"({"error_code":0,"error_msg":"SUCCESS","result":{"face_token":"abc"}})");
  EXPECT_EQ(state.replySucceeded, 1);
  EXPECT_EQ(state.errorCode, "222202");
  EXPECT_EQ(state.errorDescription, FromUtf8("未检测到人脸"));
  EXPECT_EQ(state.errorMessage, "pic not has face");
  EXPECT_EQ(state.replyDocument.GetText("result.face_token"), "abc");
}

TEST(ReplyStateTest, ReleaseEmptiesTheTexts) {
  ReplyState state;
  state.EvaluateReply(R"({"error_code":223114,"error_msg":"face is fuzzy"})");
  state.Release();
  EXPECT_TRUE(state.errorCode.empty());
  EXPECT_TRUE(state.errorDescription.empty());
  EXPECT_TRUE(state.errorMessage.empty());
}

}  // namespace
}  // namespace vantorel

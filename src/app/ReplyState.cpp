#include "app/ReplyState.h"

#include <string_view>
#include <utility>

#include "platform/codepage/CodePage.h"

namespace vantorel {

// The member's JSON text, read in place: the number 0 reads "0", the string
// "0" reads "\"0\"" and counts as a failure. A member document would load the
// quoted text through eval, which runs a string's content as script and so
// turns the string "0" into the number 0.
Text ReplyState::ReadErrorCode() const { return replyDocument.GetJson("error_code"); }

void ReplyState::EvaluateReply(const Text& reply) {
  replyDocument.Parse(reply);
  Text code = ReadErrorCode();
  if (code == "0") {
    replySucceeded = 1;
    return;
  }
  replySucceeded = 0;
  errorCode = std::move(code);
  errorMessage = replyDocument.GetText("error_msg");
  errorDescription = DescribeErrorCode(errorCode);
}

void ReplyState::Release() {
  errorCode.clear();
  errorDescription.clear();
  errorMessage.clear();
  replyDocument.Release();
}

Text DescribeErrorCode(const Text& code) {
  struct Description {
    std::string_view code;
    std::string_view utf8;
  };
  static constexpr Description kDescriptions[] = {
      {"222001", "必要参数未传入"}, {"223105", "该人脸已存在"}, {"223106", "该人脸已存在"},
      {"223114", "脸部不清晰"},     {"222202", "未检测到人脸"},
  };
  for (const auto& description : kDescriptions)
    if (code == description.code) return FromUtf8(description.utf8);
  return {};
}

}  // namespace vantorel

#pragma once
// What the last reply of the face service said: the reply itself as a JSON
// document, whether it succeeded, and on failure its code, a Chinese
// description of the code where one is known, and the service's message.
#include "base/Text.h"
#include "json/JsonDocument.h"

namespace vantorel {

class ReplyState {
 public:
  // A new reply state holds a started document, the flag 0 and empty texts.

  // Loads the reply into `replyDocument` and sets `replySucceeded`; on
  // failure also the three error texts. A success keeps the old error texts.
  void EvaluateReply(const Text& reply);

  // Frees the error texts, then the document.
  void Release();

  JsonDocument replyDocument;
  int replySucceeded = 0;
  Text errorCode;
  Text errorDescription;
  Text errorMessage;

 private:
  Text ReadErrorCode() const;
};

// The Chinese description of a service error code; empty for unknown codes.
Text DescribeErrorCode(const Text& code);

}  // namespace vantorel

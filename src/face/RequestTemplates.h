#pragma once
// The JSON bodies of the face search and registration requests, written from
// fixed templates (CP936, CR LF line ends).
#include "base/Text.h"

namespace vantorel {

Text SearchRequestBody(const Text& base64Picture, const Text& groupIdList);
Text RegisterRequestBody(const Text& base64Picture, const Text& userId, const Text& groupId,
                         const Text& userInfo);

// The value as the content of a JSON string: quote, backslash and control
// characters escaped; double-byte characters left whole.
Text EscapeJsonString(const Text& value);

}  // namespace vantorel

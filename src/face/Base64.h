#pragma once
#include "base/Text.h"

namespace vantorel {

// RFC 4648 base64 with padding and no line breaks.
Text EncodeBase64(const Bytes& data);

}  // namespace vantorel

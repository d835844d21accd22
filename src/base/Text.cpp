#include "base/Text.h"

namespace vantorel {

Bytes ToBytes(const Text& text) { return Bytes(text.begin(), text.end()); }

Text ToText(const Bytes& bytes) { return Text(bytes.begin(), bytes.end()); }

}  // namespace vantorel

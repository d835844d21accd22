// The last response: its raw header block and Content-Length, and its body
// read once into the receive buffer and handed out in three forms.
#include <algorithm>

#include "base/TextOps.h"
#include "net/HttpSession.h"
#include "platform/codepage/WideText.h"

namespace vantorel {

namespace {

constexpr std::size_t kGrowthMargin = 10240;
constexpr std::size_t kLargeStep = 1048576;

Text UpToFirstNul(const Bytes& bytes) {
  Text text = ToText(bytes);
  return text.substr(0, text.find('\0'));
}

}  // namespace

bool HttpSession::ReadResponseHeaders(bool ignoreEmptyCookies) {
  std::optional<Text> headers = QueryHeaderText(http::kQueryRawHeadersCrlf);
  if (!headers) {
    state_.contentLength = -1;
    return false;
  }
  state_.responseHeaders = *headers;

  int found = Find(state_.responseHeaders, "Content-Length:", 1, Case::Ignore);
  if (found == -1) {
    state_.contentLength = -1;
  } else {
    int valueStart = found + 15;
    int lineEnd = Find(state_.responseHeaders, "\r\n", valueStart);
    int valueLength = lineEnd == -1 ? static_cast<int>(state_.responseHeaders.size()) : lineEnd - valueStart;
    state_.contentLength = TextToInteger(Mid(state_.responseHeaders, valueStart, valueLength));
  }

  if (state_.cookieMode == kCookiesInJar) MergeResponseCookies(ignoreEmptyCookies);
  if (state_.cookieMode == kCookiesInSystemStore) StoreResponseCookies(ignoreEmptyCookies);
  return true;
}

Bytes HttpSession::GetResponseBytes() {
  if (state_.requestHandle == 0 || state_.contentLength == 0) return {};
  if (state_.receivedLength == 0 && !ReceiveBody()) return {};
  return Bytes(receiveBuffer_.data(), receiveBuffer_.data() + state_.receivedLength);
}

Text HttpSession::GetResponseRawText() { return UpToFirstNul(GetResponseBytes()); }

Text HttpSession::GetResponseText() { return Utf8ToText(GetResponseBytes()); }

// Reads the body straight into the receive buffer. An announced length up
// to 1 MB is read into a block of exactly that size, longer ones grow in
// 1 MB steps and end at the announced size; without an announced length
// (or past it) the block grows to what is needed plus 10 KB.
bool HttpSession::ReceiveBody() {
  // Any negative length counts as none announced, not as a huge block size.
  bool lengthKnown = state_.contentLength > 0;
  std::size_t announced = lengthKnown ? static_cast<std::size_t>(state_.contentLength) : 0;
  std::size_t capacity = !lengthKnown ? kGrowthMargin : std::min(announced, kLargeStep);
  if (!receiveBuffer_.Resize(capacity)) return false;

  std::size_t total = 0;
  for (;;) {
    std::size_t available = 0;
    if (!http::HttpQueryDataAvailable(state_.requestHandle, available) || available < 1) break;
    std::size_t need = total + available;
    if (need > capacity) {
      std::size_t grown = (!lengthKnown || need > announced) ? need + kGrowthMargin
                          : (announced - need > kLargeStep) ? need + kLargeStep
                                                            : announced;
      if (!receiveBuffer_.Resize(grown)) break;
      capacity = grown;
    }
    std::size_t read = 0;
    if (!http::HttpReadData(state_.requestHandle, receiveBuffer_.data() + total, capacity - total, read)) break;
    total += read;
  }
  state_.receivedLength = total;
  return true;
}

}  // namespace vantorel

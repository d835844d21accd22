#include "platform/http/ResponseHead.h"

#include "base/TextOps.h"

namespace vantorel::http {

namespace {

std::string_view WithoutLineEnd(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

// "HTTP/1.1 204 No Content" gives 204; no digits give 0.
int ParseStatusCode(std::string_view statusLine) {
  std::size_t at = statusLine.find(' ');
  if (at == std::string_view::npos) return 0;
  int code = 0;
  for (std::size_t i = at + 1; i < statusLine.size() && i < at + 4; ++i) {
    char c = statusLine[i];
    if (c < '0' || c > '9') break;
    code = code * 10 + (c - '0');
  }
  return code;
}

std::string_view TrimSpacesAndTabs(std::string_view text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

ResponseHead::LineResult ResponseHead::AddLine(std::string_view line) {
  if (complete_) return LineResult::Accepted;  // trailers after the body are not part of the block
  line = WithoutLineEnd(line);
  if (line.starts_with("HTTP/")) {
    block_.clear();
    statusLineLength_ = line.size();
    statusCode_ = ParseStatusCode(line);
  }
  if (block_.size() + line.size() + 2 > kMaxBlockBytes) return LineResult::TooLarge;
  block_.append(line).append("\r\n");
  if (!line.empty()) return LineResult::Accepted;
  if (statusCode_ >= 100 && statusCode_ < 200) {
    Reset();
    return LineResult::Accepted;
  }
  complete_ = true;
  return LineResult::Complete;
}

void ResponseHead::Reset() {
  block_.clear();
  statusLineLength_ = 0;
  statusCode_ = 0;
  complete_ = false;
}

std::string_view ResponseHead::statusText() const {
  std::string_view statusLine = std::string_view(block_).substr(0, statusLineLength_);
  std::size_t versionEnd = statusLine.find(' ');
  if (versionEnd == std::string_view::npos) return {};
  std::size_t codeEnd = statusLine.find(' ', versionEnd + 1);
  if (codeEnd == std::string_view::npos) return {};
  return statusLine.substr(codeEnd + 1);
}

std::string_view ResponseHead::HeaderValue(std::string_view name) const {
  std::string_view rest = std::string_view(block_).substr(statusLineLength_);
  while (!rest.empty()) {
    std::size_t end = rest.find("\r\n");
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
    std::size_t colon = line.find(':');
    if (colon != std::string_view::npos && EqualsIgnoreCase(Text(line.substr(0, colon)), Text(name))) {
      return TrimSpacesAndTabs(line.substr(colon + 1));
    }
  }
  return {};
}

}  // namespace vantorel::http

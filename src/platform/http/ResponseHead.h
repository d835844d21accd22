#pragma once
// Collects the header block of the final response from the header lines a
// transfer reports: a status line starts a new block, interim (1xx) blocks
// are dropped, and every line is kept with a CR LF ending.
#include <cstddef>
#include <string>
#include <string_view>

namespace vantorel::http {

class ResponseHead {
 public:
  // Larger header blocks are refused, as the usual platform limit has it.
  static constexpr std::size_t kMaxBlockBytes = 64 * 1024;

  enum class LineResult { Accepted, Complete, TooLarge };
  LineResult AddLine(std::string_view line);
  void Reset();

  bool complete() const { return complete_; }
  // Status line and header lines, each ended by CR LF, then the empty line.
  const std::string& rawBlock() const { return block_; }
  int statusCode() const { return statusCode_; }
  // The reason phrase of the status line.
  std::string_view statusText() const;
  // The first header of that name (ASCII case ignored), without the blanks
  // around it; empty when there is none.
  std::string_view HeaderValue(std::string_view name) const;

 private:
  std::string block_;
  std::size_t statusLineLength_ = 0;
  int statusCode_ = 0;
  bool complete_ = false;
};

}  // namespace vantorel::http

#pragma once
// One libcurl transfer driven step by step through a multi handle, so the
// caller pulls the body: received bytes wait in a small buffer and the
// transfer pauses while that buffer is full.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/http/CurlHandles.h"
#include "platform/http/ResponseHead.h"
#include "platform/http/SessionState.h"

namespace vantorel::http {

class Transfer {
 public:
  // Above this many unread body bytes the transfer pauses.
  static constexpr std::size_t kPauseThreshold = 256 * 1024;
  // A redirect response's body is read and thrown away up to this size, so
  // its connection can serve the next hop; a larger one ends the transfer.
  static constexpr std::size_t kMaxDiscardedBody = 64 * 1024;

  Transfer();
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;
  ~Transfer();

  bool valid() const { return easy_ && multi_; }
  // For setting options before Start; the transfer's callbacks are set by Start.
  CURL* easy() const { return easy_.get(); }

  // Begins the exchange; uploadLength is the body size for the send timer.
  bool Start(std::size_t uploadLength, const Timeouts& timeouts);
  // Removes the transfer from its multi handle; the connection goes back to
  // the shared cache when the exchange was complete.
  void Stop();

  // Runs until the final response's head is complete; false when the
  // transfer failed or timed out first.
  bool AwaitHead();
  const ResponseHead& head() const { return head_; }

  // Reads and drops the rest of the body.
  void DiscardBody();

  // Waits for body bytes; 0 at the end of the body. False when the
  // transfer failed and nothing is left to read.
  bool WaitForBody(std::size_t& available);
  // Copies up to size unread bytes; call WaitForBody first.
  std::size_t ReadBody(void* buffer, std::size_t size);

 private:
  static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self);
  static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self);
  static int OnConnected(void* self, char*, char*, int, int);

  template <typename Condition>
  void RunUntil(Condition condition);
  bool PerformStep();
  void CollectResult();
  std::uint64_t ProgressStamp() const;
  int IdleLimitMilliseconds() const;
  std::size_t Unread() const { return pending_.size() - readOffset_; }
  void ResumeIfPaused();

  CurlEasy easy_;
  CurlMulti multi_;
  bool running_ = false;
  bool finished_ = false;
  bool paused_ = false;
  bool discarding_ = false;
  bool connected_ = false;
  CURLcode result_ = CURLE_OK;

  ResponseHead head_;
  std::string pending_;
  std::size_t readOffset_ = 0;
  std::uint64_t bytesReceived_ = 0;
  std::size_t discarded_ = 0;
  std::size_t uploadLength_ = 0;
  Timeouts timeouts_;
};

}  // namespace vantorel::http

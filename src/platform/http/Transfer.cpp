#include "platform/http/Transfer.h"

#include <algorithm>
#include <cstring>

namespace vantorel::http {

namespace {
constexpr int kLongestPollMilliseconds = 1000;
}

Transfer::Transfer() : easy_(curl_easy_init()), multi_(curl_multi_init()) {}

Transfer::~Transfer() { Stop(); }

bool Transfer::Start(std::size_t uploadLength, const Timeouts& timeouts) {
  Stop();
  finished_ = paused_ = discarding_ = connected_ = false;
  result_ = CURLE_OK;
  head_.Reset();
  pending_.clear();
  readOffset_ = 0;
  bytesReceived_ = 0;
  discarded_ = 0;
  uploadLength_ = uploadLength;
  timeouts_ = timeouts;

  CURL* easy = easy_.get();
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Transfer::OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, &Transfer::OnConnected);
  curl_easy_setopt(easy, CURLOPT_PREREQDATA, this);
  if (curl_multi_add_handle(multi_.get(), easy) != CURLM_OK) return false;
  running_ = true;
  return true;
}

void Transfer::Stop() {
  if (!running_) return;
  curl_multi_remove_handle(multi_.get(), easy_.get());
  running_ = false;
  if (!finished_) {
    finished_ = true;
    result_ = CURLE_ABORTED_BY_CALLBACK;
  }
}

bool Transfer::AwaitHead() {
  RunUntil([this] { return head_.complete(); });
  return head_.complete();
}

void Transfer::DiscardBody() {
  discarding_ = true;
  pending_.clear();
  readOffset_ = 0;
  ResumeIfPaused();
  RunUntil([] { return false; });
}

bool Transfer::WaitForBody(std::size_t& available) {
  if (Unread() == 0) {
    pending_.clear();
    readOffset_ = 0;
    ResumeIfPaused();
    RunUntil([this] { return Unread() > 0; });
  }
  available = Unread();
  return available > 0 || (finished_ && result_ == CURLE_OK);
}

std::size_t Transfer::ReadBody(void* buffer, std::size_t size) {
  std::size_t count = std::min(size, Unread());
  if (count > 0) std::memcpy(buffer, pending_.data() + readOffset_, count);
  readOffset_ += count;
  return count;
}

std::size_t Transfer::OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
  auto* transfer = static_cast<Transfer*>(self);
  std::size_t length = size * count;
  transfer->bytesReceived_ += length;
  if (transfer->head_.AddLine(std::string_view(data, length)) == ResponseHead::LineResult::TooLarge) {
    return 0;  // ends the transfer with an error
  }
  return length;
}

std::size_t Transfer::OnBody(char* data, std::size_t size, std::size_t count, void* self) {
  auto* transfer = static_cast<Transfer*>(self);
  std::size_t length = size * count;
  transfer->bytesReceived_ += length;
  if (transfer->discarding_) {
    transfer->discarded_ += length;
    return transfer->discarded_ > kMaxDiscardedBody ? 0 : length;
  }
  if (transfer->Unread() >= kPauseThreshold) {
    transfer->paused_ = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  transfer->pending_.append(data, length);
  return length;
}

int Transfer::OnConnected(void* self, char*, char*, int, int) {
  static_cast<Transfer*>(self)->connected_ = true;
  return CURL_PREREQFUNC_OK;
}

template <typename Condition>
void Transfer::RunUntil(Condition condition) {
  using Clock = std::chrono::steady_clock;
  auto lastProgress = Clock::now();
  std::uint64_t lastStamp = ProgressStamp();
  while (running_ && !condition()) {
    if (!PerformStep() || !running_ || condition()) return;
    auto now = Clock::now();
    std::uint64_t stamp = ProgressStamp();
    if (stamp != lastStamp) {
      lastStamp = stamp;
      lastProgress = now;
    }
    long long wait = kLongestPollMilliseconds;
    int limit = IdleLimitMilliseconds();
    if (limit > 0 && connected_) {
      auto idle = std::chrono::duration_cast<std::chrono::milliseconds>(now - lastProgress).count();
      if (idle >= limit) {
        Stop();
        result_ = CURLE_OPERATION_TIMEDOUT;
        return;
      }
      wait = std::min<long long>(wait, limit - idle);
    }
    curl_multi_poll(multi_.get(), nullptr, 0, static_cast<int>(wait), nullptr);
  }
}

bool Transfer::PerformStep() {
  int stillRunning = 0;
  if (curl_multi_perform(multi_.get(), &stillRunning) != CURLM_OK) {
    Stop();
    return false;
  }
  CollectResult();
  return true;
}

void Transfer::CollectResult() {
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi_.get(), &left)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == easy_.get()) {
      finished_ = true;
      result_ = message->data.result;
    }
  }
  if (finished_) Stop();
}

std::uint64_t Transfer::ProgressStamp() const {
  curl_off_t uploaded = 0;
  curl_easy_getinfo(easy_.get(), CURLINFO_SIZE_UPLOAD_T, &uploaded);
  return bytesReceived_ + static_cast<std::uint64_t>(uploaded) + (connected_ ? 1 : 0);
}

int Transfer::IdleLimitMilliseconds() const {
  curl_off_t uploaded = 0;
  curl_easy_getinfo(easy_.get(), CURLINFO_SIZE_UPLOAD_T, &uploaded);
  bool sending = static_cast<std::uint64_t>(uploaded) < uploadLength_;
  return sending ? timeouts_.send : timeouts_.receive;
}

void Transfer::ResumeIfPaused() {
  if (!paused_ || !running_) return;
  paused_ = false;
  curl_easy_pause(easy_.get(), CURLPAUSE_CONT);
}

}  // namespace vantorel::http

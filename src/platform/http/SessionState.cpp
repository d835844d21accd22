#include "platform/http/SessionState.h"

#include "platform/http/Transfer.h"

namespace vantorel::http {

long Timeouts::ConnectPhaseMilliseconds() const {
  if (connect <= 0) return 0;
  return static_cast<long>(connect) + (resolve > 0 ? resolve : 0);
}

SessionState::SessionState() : share(curl_share_init()) {
  if (!share) return;
  for (curl_lock_data data : {CURL_LOCK_DATA_CONNECT, CURL_LOCK_DATA_SSL_SESSION, CURL_LOCK_DATA_DNS,
                              CURL_LOCK_DATA_COOKIE}) {
    curl_share_setopt(share.get(), CURLSHOPT_SHARE, data);
  }
}

SessionState::~SessionState() = default;

std::unique_ptr<Transfer> SessionState::TakeTransfer() {
  if (spareTransfer) return std::move(spareTransfer);
  return std::make_unique<Transfer>();
}

void SessionState::ReturnTransfer(std::unique_ptr<Transfer> transfer) {
  transfer->Stop();
  if (transfer->valid()) {
    // curl_easy_reset forgets the cookie file list without freeing it; clear it first.
    curl_easy_setopt(transfer->easy(), CURLOPT_COOKIEFILE, nullptr);
    curl_easy_reset(transfer->easy());
  }
  spareTransfer = std::move(transfer);
}

}  // namespace vantorel::http

#include "platform/http/SessionState.h"

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

}  // namespace vantorel::http

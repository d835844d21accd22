#pragma once
// What a session handle carries, shared with its connections and requests
// so that closing the session never pulls libcurl's share from under a
// request that is still open.
#include <memory>
#include <string>

#include "platform/http/CurlHandles.h"

namespace vantorel::http {

// Milliseconds; 0 or less means no limit.
struct Timeouts {
  int resolve = 0;
  int connect = 60000;
  int send = 30000;
  int receive = 30000;

  // Resolve, connect and TLS handshake together; 0 when unlimited.
  long ConnectPhaseMilliseconds() const;
};

class Transfer;

struct SessionState {
  SessionState();
  ~SessionState();

  std::string userAgent;  // code page 936 bytes; empty sends none
  std::string proxy;      // "host:port"; empty for a direct connection
  Timeouts timeouts;
  // Connections, TLS sessions, DNS answers and cookies of every request.
  CurlShare share;
  // One finished transfer kept for the next request, so consecutive requests
  // do not set up libcurl's handles anew.
  std::unique_ptr<Transfer> spareTransfer;

  std::unique_ptr<Transfer> TakeTransfer();
  void ReturnTransfer(std::unique_ptr<Transfer> transfer);
};

struct ConnectionTarget {
  std::shared_ptr<SessionState> session;
  std::string host;  // code page 936 bytes, no brackets around IPv6 addresses
  unsigned port = 0;
};

}  // namespace vantorel::http

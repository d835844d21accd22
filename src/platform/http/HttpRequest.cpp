#include "platform/http/HttpRequest.h"

#include "base/TextOps.h"
#include "platform/http/HttpApi.h"
#include "platform/http/TlsTrust.h"

namespace vantorel::http {

namespace {

std::string HostForUrl(const std::string& host) {
  return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

}  // namespace

HttpRequest::HttpRequest(ConnectionTarget connection, std::string method, std::string target, bool secure)
    : connection_(std::move(connection)),
      method_(std::move(method)),
      target_(std::move(target)),
      secure_(secure),
      transfer_(connection_.session->TakeTransfer()) {}

HttpRequest::~HttpRequest() { connection_.session->ReturnTransfer(std::move(transfer_)); }

HttpRequest::Hop HttpRequest::FirstHop() const {
  std::string url = (secure_ ? "https://" : "http://") + HostForUrl(connection_.host) + ":" +
                    std::to_string(connection_.port) + target_;
  return Hop{RedirectTarget{url, connection_.host, secure_}, method_, true, true};
}

bool HttpRequest::Send(const void* body, std::size_t length) {
  hasResponse_ = false;
  if (!transfer_->valid() || !connection_.session->share) return false;
  body_.assign(static_cast<const char*>(body), body ? length : 0);
  curlHeaders_ = headers_.ToCurlList();
  Hop hop = FirstHop();
  for (int redirects = 0;; ++redirects) {
    Configure(hop);
    std::size_t uploadLength = hop.withBody ? body_.size() : 0;
    if (!transfer_->Start(uploadLength, connection_.session->timeouts) || !transfer_->AwaitHead()) return false;

    const ResponseHead& head = transfer_->head();
    if (redirects == kMaxRedirects || (disabledFeatures & kDisableRedirects) ||
        !IsRedirectStatus(head.statusCode())) {
      break;
    }
    std::optional<RedirectTarget> next = ResolveRedirect(hop.target.url, head.HeaderValue("Location"));
    if (!next) break;
    transfer_->DiscardBody();
    std::string method = MethodAfterRedirect(head.statusCode(), hop.method);
    bool sameOrigin = hop.sameOrigin && EqualsIgnoreCase(next->host, HostForUrl(connection_.host)) &&
                      next->secure == secure_;
    hop = Hop{std::move(*next), method, hop.withBody && method == hop.method, sameOrigin};
  }
  hasResponse_ = true;
  return true;
}

void HttpRequest::Configure(const Hop& hop) {
  CURL* easy = transfer_->easy();
  const SessionState& session = *connection_.session;
  curl_easy_setopt(easy, CURLOPT_SHARE, session.share.get());
  curl_easy_setopt(easy, CURLOPT_URL, hop.target.url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, session.userAgent.empty() ? nullptr : session.userAgent.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, curlHeaders_.get());
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, session.timeouts.ConnectPhaseMilliseconds());
  // Cookies live in the share; reading the empty file name switches the engine on.
  curl_easy_setopt(easy, CURLOPT_COOKIEFILE, (disabledFeatures & kDisableCookies) ? nullptr : "");

  bool sendCredentials = hop.sameOrigin && serverCredentials.curlAuth != 0;
  curl_easy_setopt(easy, CURLOPT_HTTPAUTH, sendCredentials ? serverCredentials.curlAuth : CURLAUTH_BASIC);
  curl_easy_setopt(easy, CURLOPT_USERNAME, sendCredentials ? serverCredentials.userName.c_str() : nullptr);
  curl_easy_setopt(easy, CURLOPT_PASSWORD, sendCredentials ? serverCredentials.password.c_str() : nullptr);
  ConfigureMethod(hop);
  ConfigureProxy();
  ConfigureTls(hop);
}

void HttpRequest::ConfigureMethod(const Hop& hop) {
  CURL* easy = transfer_->easy();
  curl_easy_setopt(easy, CURLOPT_NOBODY, 0L);
  curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, nullptr);
  bool withBody = hop.withBody && !body_.empty();
  if (withBody || hop.method == "POST") {
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(withBody ? body_.size() : 0));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, withBody ? body_.data() : "");
  } else if (hop.method == "HEAD") {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
  }
  bool methodFollowsFromOptions =
      hop.method == "POST" || (!withBody && (hop.method == "GET" || hop.method == "HEAD"));
  if (!methodFollowsFromOptions) {
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, hop.method.c_str());
  }
}

void HttpRequest::ConfigureProxy() {
  CURL* easy = transfer_->easy();
  const std::string& proxy = connection_.session->proxy;
  // An empty proxy also keeps libcurl from reading proxy variables of the environment.
  curl_easy_setopt(easy, CURLOPT_PROXY, proxy.empty() ? "" : ("http://" + proxy).c_str());
  curl_easy_setopt(easy, CURLOPT_NOPROXY, "");
  bool sendCredentials = proxyCredentials.curlAuth != 0;
  curl_easy_setopt(easy, CURLOPT_PROXYAUTH, sendCredentials ? proxyCredentials.curlAuth : CURLAUTH_BASIC);
  curl_easy_setopt(easy, CURLOPT_PROXYUSERNAME, sendCredentials ? proxyCredentials.userName.c_str() : nullptr);
  curl_easy_setopt(easy, CURLOPT_PROXYPASSWORD, sendCredentials ? proxyCredentials.password.c_str() : nullptr);
}

void HttpRequest::ConfigureTls(const Hop& hop) {
  CURL* easy = transfer_->easy();
  ApplyTrust(easy, hop.target.host);
  bool verifyPeer = (securityFlags & (kIgnoreUnknownCa | kIgnoreWrongUsage | kIgnoreDateInvalid)) == 0;
  bool verifyHost = (securityFlags & kIgnoreCommonNameInvalid) == 0;
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, verifyPeer ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, verifyHost ? 2L : 0L);
}

bool HttpRequest::QueryText(std::uint32_t level, std::string& text) const {
  if (!hasResponse_) return false;
  const ResponseHead& head = transfer_->head();
  switch (level) {
    case kQueryRawHeadersCrlf:
      text = head.rawBlock();
      return true;
    case kQueryStatusCode:
      text = std::to_string(head.statusCode());
      return true;
    case kQueryStatusText:
      text = head.statusText();
      return true;
    default:
      return false;
  }
}

bool HttpRequest::WaitForBody(std::size_t& available) {
  available = 0;
  return hasResponse_ && transfer_->WaitForBody(available);
}

bool HttpRequest::ReadBody(void* buffer, std::size_t size, std::size_t& read) {
  read = 0;
  std::size_t available = 0;
  if (!WaitForBody(available)) return false;
  read = transfer_->ReadBody(buffer, size);
  return true;
}

}  // namespace vantorel::http

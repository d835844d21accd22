#include "platform/http/TlsTrust.h"

#include <arpa/inet.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

#include "base/TextOps.h"

namespace vantorel::http {

namespace {

constexpr const char* kSystemBundle = "/etc/ssl/certs/ca-certificates.crt";

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

}  // namespace

bool IsLoopbackHost(std::string_view host) {
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
  if (EqualsIgnoreCase(std::string(host), "localhost")) return true;
  std::string address(host);
  in_addr v4{};
  if (inet_pton(AF_INET, address.c_str(), &v4) == 1) return (ntohl(v4.s_addr) >> 24) == 127;
  in6_addr v6{};
  return inet_pton(AF_INET6, address.c_str(), &v6) == 1 && IN6_IS_ADDR_LOOPBACK(&v6);
}

std::string TrustedBundlePath() {
  std::string fromEnvironment = Environment("SSL_CERT_FILE");
  return fromEnvironment.empty() ? std::string(kSystemBundle) : fromEnvironment;
}

std::string LocalServiceCaPath() {
  std::string dataHome = Environment("XDG_DATA_HOME");
  if (dataHome.empty()) dataHome = Environment("HOME") + "/.local/share";
  return dataHome + "/vantorel/ca.pem";
}

void ApplyTrust(CURL* easy, std::string_view host) {
  // The bundle replaces libcurl's built-in CA folder, so SSL_CERT_FILE is all
  // that is trusted when it is set.
  curl_easy_setopt(easy, CURLOPT_CAPATH, nullptr);
  std::string bundlePath = TrustedBundlePath();
  std::optional<std::string> localCa;
  if (IsLoopbackHost(host)) localCa = ReadWholeFile(LocalServiceCaPath());
  if (!localCa) {
    curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, nullptr);
    curl_easy_setopt(easy, CURLOPT_CAINFO, bundlePath.c_str());
    return;
  }
  std::string pem = ReadWholeFile(bundlePath).value_or(std::string());
  pem.append("\n").append(*localCa);
  curl_blob blob{pem.data(), pem.size(), CURL_BLOB_COPY};
  curl_easy_setopt(easy, CURLOPT_CAINFO, nullptr);
  curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &blob);
}

}  // namespace vantorel::http

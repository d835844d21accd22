#pragma once
// Which certificate authorities a TLS request trusts: the system bundle (or
// the one SSL_CERT_FILE names) and, for loopback hosts only, the local face
// service's own CA when its file exists.
#include <string>
#include <string_view>

#include <curl/curl.h>

namespace vantorel::http {

// 127.0.0.0/8, ::1 and "localhost" (any letter case).
bool IsLoopbackHost(std::string_view host);

// $SSL_CERT_FILE when set and not empty, else the system bundle.
std::string TrustedBundlePath();
// $XDG_DATA_HOME/vantorel/ca.pem, or ~/.local/share/vantorel/ca.pem.
std::string LocalServiceCaPath();

// Sets libcurl's CA options for a request to `host`.
void ApplyTrust(CURL* easy, std::string_view host);

}  // namespace vantorel::http

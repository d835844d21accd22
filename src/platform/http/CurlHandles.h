#pragma once
// Owning wrappers of libcurl's handles.
#include <memory>

#include <curl/curl.h>

namespace vantorel::http {

struct CurlEasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct CurlMultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct CurlShareDeleter {
  void operator()(CURLSH* share) const { curl_share_cleanup(share); }
};
struct CurlUrlDeleter {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};

using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;
using CurlMulti = std::unique_ptr<CURLM, CurlMultiDeleter>;
using CurlShare = std::unique_ptr<CURLSH, CurlShareDeleter>;
using CurlUrl = std::unique_ptr<CURLU, CurlUrlDeleter>;

}  // namespace vantorel::http

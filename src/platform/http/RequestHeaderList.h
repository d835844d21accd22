#pragma once
// The ordered request headers of one request, names compared ignoring ASCII
// case, with the add / add-if-new / replace rules of HttpAddRequestHeaders.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <curl/curl.h>

namespace vantorel::http {

struct CurlHeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlHeaderList = std::unique_ptr<curl_slist, CurlHeaderListDeleter>;

class RequestHeaderList {
 public:
  struct Header {
    std::string name;
    std::string value;  // as given after the colon, blanks included
  };

  // Applies each CR LF separated line of `lines` ("name:value"); false when a
  // line is malformed or a modifier's condition fails (that line only).
  bool Apply(std::string_view lines, std::uint32_t modifiers);
  bool Contains(std::string_view name) const;
  const std::vector<Header>& headers() const { return headers_; }

  // libcurl's list for one send: these headers as given, plus empty entries
  // that keep libcurl from adding an Accept, Expect or Content-Type of its own.
  CurlHeaderList ToCurlList() const;

 private:
  bool ApplyLine(std::string_view line, std::uint32_t modifiers);
  std::vector<Header>::iterator FindHeader(std::string_view name);

  std::vector<Header> headers_;
};

}  // namespace vantorel::http

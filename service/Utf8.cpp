#include "service/Utf8.h"

#include <iconv.h>

#include <memory>

namespace vantorel::service {

namespace {

struct IconvCloser {
  void operator()(iconv_t handle) const { iconv_close(handle); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

}  // namespace

std::optional<std::string> BodyToUtf8(std::string_view body) {
  if (IsValidUtf8(body)) return std::string(body);
  iconv_t opened = iconv_open("UTF-8", "GB18030");
  if (opened == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  IconvHandle converter(opened);
  std::string out(body.size() * 2, '\0');  // a GB18030 character never takes more than twice its bytes
  char* in = const_cast<char*>(body.data());
  std::size_t inLeft = body.size();
  char* outPos = out.data();
  std::size_t outLeft = out.size();
  if (iconv(converter.get(), &in, &inLeft, &outPos, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace vantorel::service

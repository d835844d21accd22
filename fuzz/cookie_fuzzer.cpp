// Feeds arbitrary response headers, jars, cookie lists and URLs to the
// Set-Cookie scan, the cookie jar operations, the header lookups and the
// redirect location, and checks the properties every result must keep.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "base/TextOps.h"
#include "net/CookieJar.h"
#include "net/CookieText.h"
#include "net/RedirectLocation.h"
#include "net/ResponseHeaderLookup.h"
#include "net/SetCookieScan.h"
#include "net/SystemCookieText.h"

using namespace vantorel;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool LengthKept(const Text& jar, std::int32_t jarLength) {
  return jarLength == static_cast<std::int32_t>(jar.size());
}

void ScanAndLookups(const Text& headers, const Text& name, bool ignoreEmptyCookies) {
  const std::vector<Text> anyCase = ScanSetCookiePairs(headers, LaterSetCookies::IgnoreCase);
  const std::vector<Text> exactCase = ScanSetCookiePairs(headers, LaterSetCookies::ExactCase);
  Check(exactCase.size() <= anyCase.size());
  for (const Text& pair : anyCase) Check(!pair.empty() && pair.back() == ';');

  Text expected;
  for (const Text& pair : anyCase)
    if (!IsDeletedPair(pair)) expected += pair + " ";
  Check(ResponseCookiesText(headers) == Left(expected, static_cast<int>(expected.size()) - 2));

  for (const CookieAssignment& cookie : ResponseCookiesForStore(headers, ignoreEmptyCookies)) {
    Check(Find(cookie.name, "=") == -1);
  }
  ResponseHeaderValue(headers, name);
  const Text cookie = ResponseCookieValue(headers, name);
  Check(Find(cookie, ";") == -1);
}

void JarOperations(Text jar, const Text& headers, const Text& list, const Text& name, bool ignoreEmptyCookies) {
  auto jarLength = static_cast<std::int32_t>(jar.size());
  MergeResponseCookiesIntoJar(jar, jarLength, headers, ignoreEmptyCookies);
  Check(LengthKept(jar, jarLength));
  Check(JarCookieHeader(jar) == "Cookie:" + JarCookies(jar));

  // The value stops at a ";"; with its name in front it may hold one.
  Check(Find(JarCookie(jar, name), ";") == -1);
  JarCookie(jar, name, true);

  const Text beforeMerge = jar;
  if (!MergeJarCookies(jar, jarLength, list)) Check(jar == beforeMerge);
  Check(LengthKept(jar, jarLength));

  const Text beforeRemove = jar;
  const bool removed = RemoveJarCookies(jar, jarLength, list);
  Check(removed ? jar.size() < beforeRemove.size() : jar == beforeRemove);
  Check(LengthKept(jar, jarLength));

  Check(ReplaceJarCookies(jar, jarLength, list) == list);
  Check(LengthKept(jar, jarLength) && Left(jar, 2) == kEmptyCookieJar);
  for (const CookieAssignment& cookie : CookieListAssignments(list)) Check(Find(cookie.name, "=") == -1);
}

void Redirect(const Text& headers, const Text& url, int scheme, int port, int cookieMode, int redirectCount) {
  const Text location = FindRedirectLocation(headers);
  Check(location == Trim(location));
  Check(Find(location, "\r\n") == -1);

  const CurrentRequest request{url, scheme, "host", port};
  const Text absolute = RedirectLocation(headers, true, request);
  Check(absolute.empty() == location.empty());

  std::int32_t count = redirectCount;
  if (ShouldFollowRedirect(cookieMode, 0, absolute, count)) {
    Check(count >= 1 && count <= kMaxRedirectsInARow);
    Check(!absolute.empty());
  } else if (cookieMode != 0) {
    Check(count == 0);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool ignoreEmptyCookies = input.ConsumeBool();
  const int scheme = input.ConsumeIntegralInRange(1, 2);
  const int port = input.ConsumeIntegralInRange(0, 65535);
  const int cookieMode = input.ConsumeIntegralInRange(0, 2);
  const int redirectCount = input.ConsumeIntegralInRange(0, kMaxRedirectsInARow);
  const Text name = input.ConsumeRandomLengthString(64);
  const Text jar = input.ConsumeRandomLengthString(512);
  const Text list = input.ConsumeRandomLengthString(512);
  const Text url = input.ConsumeRandomLengthString(256);
  const Text headers = input.ConsumeRemainingBytesAsString();

  ScanAndLookups(headers, name, ignoreEmptyCookies);
  JarOperations(jar, headers, list, name, ignoreEmptyCookies);
  Redirect(headers, url, scheme, port, cookieMode, redirectCount);
  return 0;
}

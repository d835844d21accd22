// Arbitrary bytes as the body of a search and of a user-add request: the
// parsers must give a request or a problem, never crash, and what they accept
// must hold what their checks promise.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "service/FaceRequest.h"
#include "service/JsonValue.h"
#include "service/JsonWriter.h"

using namespace vantorel::service;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckSearch(std::string_view body) {
  const auto parsed = ParseSearchRequest(body);
  if (const auto* request = std::get_if<SearchRequest>(&parsed)) {
    Require(!request->groups.empty() && request->groups.size() <= kMaxGroupsPerSearch);
    for (const auto& group : request->groups) Require(IsValidId(group));
    Require(request->maxUsers >= 1 && request->maxUsers <= kMaxUsersPerReply);
  } else {
    Require(!std::get<RequestProblem>(parsed).message.empty());
  }
}

void CheckAddUser(std::string_view body) {
  const auto parsed = ParseAddUserRequest(body);
  if (const auto* request = std::get_if<AddUserRequest>(&parsed)) {
    Require(IsValidId(request->groupId) && IsValidId(request->userId));
    Require(!request->userInfo || request->userInfo->size() <= kMaxUserInfoBytes);
  }
}

// A string the parser accepts comes back unchanged through the writer.
void CheckStringRoundTrip(std::string_view body) {
  const auto value = ParseJson(body);
  if (!value || !value->isString()) return;
  JsonWriter json;
  json.String(value->text());
  const auto again = ParseJson(json.text());
  Require(again && again->isString() && again->text() == value->text());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view body(reinterpret_cast<const char*>(data), size);
  CheckSearch(body);
  CheckAddUser(body);
  CheckStringRoundTrip(body);
  return 0;
}

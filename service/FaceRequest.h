#pragma once
// Reads the JSON bodies of the search and user-add requests into checked
// values, or says which error code the request earns.
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/Text.h"
#include "service/ServiceError.h"
#include "service/recognition/FaceRecognizer.h"

namespace vantorel::service {

inline constexpr std::size_t kMaxGroupsPerSearch = 10;
inline constexpr std::size_t kMaxUserInfoBytes = 256;
inline constexpr int kMaxUsersPerReply = 20;

struct SearchRequest {
  Bytes picture;
  std::vector<std::string> groups;  // without repeats, in the order given
  QualityControl quality = QualityControl::None;
  int maxUsers = 1;
};

struct AddUserRequest {
  Bytes picture;
  std::string groupId;
  std::string userId;
  std::optional<std::string> userInfo;  // absent: an existing user keeps theirs
  QualityControl quality = QualityControl::None;
};

struct RequestProblem {
  ServiceError error;
  std::string message;
};

std::variant<SearchRequest, RequestProblem> ParseSearchRequest(std::string_view body);
std::variant<AddUserRequest, RequestProblem> ParseAddUserRequest(std::string_view body);

// Group and user ids: 1 to 48 ASCII letters, digits and underscores.
bool IsValidId(std::string_view id);

}  // namespace vantorel::service

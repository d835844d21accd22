#include "service/FaceRequest.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "service/Base64Decoder.h"
#include "service/JsonValue.h"
#include "service/Utf8.h"

namespace vantorel::service {
namespace {

// Reads members of a request object and keeps the first problem it meets;
// once one is found, later reads give empty values and change nothing.
class MemberReader {
 public:
  explicit MemberReader(const JsonValue& root) : root_(root) {}

  // Missing members are reported before malformed ones, whatever their order.
  void RequireAll(std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) Required(name);
  }

  // A required string member; absent, empty and non-string count as missing.
  std::string Required(std::string_view name) {
    const JsonValue* value = root_.Find(name);
    if (!value || !value->isString() || value->text().empty()) {
      Fail(ServiceError::MissingParameter, "missing required parameter: " + std::string(name));
      return {};
    }
    return value->text();
  }

  std::optional<std::string> Optional(std::string_view name) {
    const JsonValue* value = root_.Find(name);
    if (!value || value->type() == JsonType::Null) return std::nullopt;
    if (!value->isString()) {
      Fail(ServiceError::ParameterFormat, std::string(name) + " must be a string");
      return std::nullopt;
    }
    return value->text();
  }

  const JsonValue* Find(std::string_view name) const { return root_.Find(name); }

  void Fail(ServiceError error, std::string message) {
    if (!problem_) problem_ = RequestProblem{error, std::move(message)};
  }

  const std::optional<RequestProblem>& problem() const { return problem_; }

 private:
  const JsonValue& root_;
  std::optional<RequestProblem> problem_;
};

void CheckId(MemberReader& reader, std::string_view name, const std::string& id) {
  if (!id.empty() && !IsValidId(id))
    reader.Fail(ServiceError::ParameterFormat, std::string(name) + " must be 1 to 48 letters, digits or underscores");
}

QualityControl ReadQuality(MemberReader& reader) {
  const auto name = reader.Optional("quality_control");
  if (!name || *name == "NONE") return QualityControl::None;
  if (*name == "LOW") return QualityControl::Low;
  if (*name == "NORMAL") return QualityControl::Normal;
  if (*name == "HIGH") return QualityControl::High;
  reader.Fail(ServiceError::ParameterFormat, "quality_control must be NONE, LOW, NORMAL or HIGH");
  return QualityControl::None;
}

// A number or a string of digits, 1 to kMaxUsersPerReply; 1 when absent.
int ReadMaxUsers(MemberReader& reader) {
  const JsonValue* value = reader.Find("max_user_num");
  if (!value || value->type() == JsonType::Null) return 1;
  double number = 0;
  if (value->isNumber()) {
    number = value->number();
  } else if (value->isString()) {
    const std::string& text = value->text();
    const bool digits = !text.empty() && text.size() <= 3 &&
                        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits) number = std::stoi(text);
  }
  if (number < 1 || number > kMaxUsersPerReply || number != std::floor(number)) {
    reader.Fail(ServiceError::ParameterFormat,
                "max_user_num must be a whole number from 1 to " + std::to_string(kMaxUsersPerReply));
    return 1;
  }
  return static_cast<int>(number);
}

std::vector<std::string> SplitGroupList(MemberReader& reader, const std::string& list) {
  std::vector<std::string> groups;
  if (list.empty()) return groups;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    std::string group = list.substr(start, comma - start);
    if (!IsValidId(group))
      reader.Fail(ServiceError::ParameterFormat,
                  "group_id_list must be group ids of 1 to 48 letters, digits or underscores, split by commas");
    if (std::find(groups.begin(), groups.end(), group) == groups.end()) groups.push_back(std::move(group));
    start = comma + 1;
  }
  if (groups.size() > kMaxGroupsPerSearch)
    reader.Fail(ServiceError::ParameterFormat,
                "group_id_list holds more than " + std::to_string(kMaxGroupsPerSearch) + " groups");
  return groups;
}

// Decoded last, so a request that fails anyway does not pay for a large picture.
Bytes ReadPicture(MemberReader& reader) {
  const std::string image = reader.Required("image");
  if (reader.Required("image_type") != "BASE64")
    reader.Fail(ServiceError::ParameterFormat, "image_type must be BASE64");
  if (reader.problem()) return {};
  auto picture = DecodeBase64(image);
  if (!picture) {
    reader.Fail(ServiceError::PictureUndecodable, "image is not valid Base64");
    return {};
  }
  return std::move(*picture);
}

std::optional<JsonValue> ParseBody(std::string_view body) {
  auto utf8 = BodyToUtf8(body);
  if (!utf8) return std::nullopt;
  auto root = ParseJson(*utf8);
  if (!root || !root->isObject()) return std::nullopt;
  return root;
}

const RequestProblem kNotAnObject{ServiceError::MissingParameter, "request body is not a JSON object"};

}  // namespace

bool IsValidId(std::string_view id) {
  return !id.empty() && id.size() <= 48 && std::all_of(id.begin(), id.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

std::variant<SearchRequest, RequestProblem> ParseSearchRequest(std::string_view body) {
  const auto root = ParseBody(body);
  if (!root) return kNotAnObject;
  MemberReader reader(*root);
  reader.RequireAll({"image", "image_type", "group_id_list"});
  SearchRequest request;
  request.groups = SplitGroupList(reader, reader.Required("group_id_list"));
  request.quality = ReadQuality(reader);
  request.maxUsers = ReadMaxUsers(reader);
  request.picture = ReadPicture(reader);
  if (reader.problem()) return *reader.problem();
  return request;
}

std::variant<AddUserRequest, RequestProblem> ParseAddUserRequest(std::string_view body) {
  const auto root = ParseBody(body);
  if (!root) return kNotAnObject;
  MemberReader reader(*root);
  reader.RequireAll({"image", "image_type", "group_id", "user_id"});
  AddUserRequest request;
  request.groupId = reader.Required("group_id");
  CheckId(reader, "group_id", request.groupId);
  request.userId = reader.Required("user_id");
  CheckId(reader, "user_id", request.userId);
  request.userInfo = reader.Optional("user_info");
  if (request.userInfo && request.userInfo->size() > kMaxUserInfoBytes)
    reader.Fail(ServiceError::ParameterFormat,
                "user_info must not exceed " + std::to_string(kMaxUserInfoBytes) + " bytes");
  request.quality = ReadQuality(reader);
  request.picture = ReadPicture(reader);
  if (reader.problem()) return *reader.problem();
  return request;
}

}  // namespace vantorel::service

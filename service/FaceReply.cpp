#include "service/FaceReply.h"

#include "service/Crypto.h"
#include "service/JsonWriter.h"

namespace vantorel::service {
namespace {

// Opens the reply object and writes the members before "result".
JsonWriter ReplyHead(ServiceError error, std::string_view message, std::int64_t now) {
  JsonWriter json;
  json.BeginObject()
      .Key("error_code").Integer(CodeOf(error))
      .Key("error_msg").String(message)
      .Key("log_id").Integer(RandomJsonSafeInteger())
      .Key("timestamp").Integer(now)
      .Key("cached").Integer(0)
      .Key("result");
  return json;
}

}  // namespace

std::string ErrorReply(ServiceError error, std::string_view message, std::int64_t now) {
  return ReplyHead(error, message, now).Null().EndObject().text();
}

std::string SearchReply(std::string_view faceToken, const std::vector<UserMatch>& users, std::int64_t now) {
  JsonWriter json = ReplyHead(ServiceError::None, DefaultMessageOf(ServiceError::None), now);
  json.BeginObject().Key("face_token").String(faceToken).Key("user_list").BeginArray();
  for (const UserMatch& user : users) {
    json.BeginObject()
        .Key("group_id").String(user.groupId)
        .Key("user_id").String(user.userId)
        .Key("user_info").String(user.userInfo)
        .Key("score").Number(user.score)
        .EndObject();
  }
  return json.EndArray().EndObject().EndObject().text();
}

std::string AddUserReply(std::string_view faceToken, const FaceLocation& location, std::int64_t now) {
  JsonWriter json = ReplyHead(ServiceError::None, DefaultMessageOf(ServiceError::None), now);
  json.BeginObject()
      .Key("face_token").String(faceToken)
      .Key("location").BeginObject()
      .Key("left").Number(location.left)
      .Key("top").Number(location.top)
      .Key("width").Number(location.width)
      .Key("height").Number(location.height)
      .Key("rotation").Integer(location.rotation)
      .EndObject();
  return json.EndObject().EndObject().text();
}

}  // namespace vantorel::service

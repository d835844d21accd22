#include <gtest/gtest.h>

#include "service/Database.h"
#include "service/FaceLibrary.h"
#include "service/ServiceTestSupport.h"
#include "support/TestPictures.h"

namespace vantorel::service {
namespace {

using namespace vantorel::service::testing;
using namespace vantorel::test;

class FaceEndpointsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service.started()) << service.startError();
    token = service.AccessToken();
    ASSERT_FALSE(token.empty());
  }

  Reply Add(const Bytes& picture, const std::string& group, const std::string& user, const std::string& info = "",
            const std::string& quality = "LOW") {
    return client.Post(kAddPath + token, JsonBody({{"image", ToBase64(picture)},
                                                   {"image_type", "BASE64"},
                                                   {"group_id", group},
                                                   {"user_id", user},
                                                   {"user_info", info},
                                                   {"quality_control", quality},
                                                   {"liveness_control", "NONE"}}));
  }

  Reply Search(const Bytes& picture, const std::string& groups, const std::string& maxUsers = "1") {
    return client.Post(kSearchPath + token, JsonBody({{"image", ToBase64(picture)},
                                                      {"image_type", "BASE64"},
                                                      {"group_id_list", groups},
                                                      {"face_type", "LIVE"},
                                                      {"quality_control", "LOW"},
                                                      {"liveness_control", "NONE"},
                                                      {"max_user_num", maxUsers}}));
  }

  // Stores a face with `descriptor` straight into the service's database.
  AddOutcome Plant(const std::string& group, const std::string& user, const Descriptor& descriptor) {
    std::string error;
    const auto db = Database::Open(folder.path() + "/faces.db", error);
    if (!db) return AddOutcome::StorageFailed;
    const NewFace face{group, user, "", "planted" + std::to_string(++planted), descriptor, {}, service.Now()};
    return FaceLibrary(*db).Add(face, [](const Descriptor&) { return false; });
  }

  TemporaryDirectory folder;
  RunningService service{folder.path()};
  int planted = 0;
  Client client = service.NewClient();
  std::string token;
};

const JsonValue& UserList(const Reply& reply) {
  static const JsonValue empty = JsonValue::MakeArray({});
  const JsonValue* result = reply.json ? reply.json->Find("result") : nullptr;
  const JsonValue* list = result ? result->Find("user_list") : nullptr;
  return list ? *list : empty;
}

std::string Member(const JsonValue& user, std::string_view name) {
  const JsonValue* value = user.Find(name);
  return value && value->isString() ? value->text() : std::string();
}

double Score(const JsonValue& user) {
  const JsonValue* score = user.Find("score");
  return score && score->isNumber() ? score->number() : -1;
}

TEST_F(FaceEndpointsTest, RegisteredFaceIsFoundWithItsUserInformationUnchanged) {
  const Bytes picture = FacePicture(0);
  const Reply added = Add(picture, "test", "user_1", "张三，测试用户 \"引号\"\r\n第二行");
  ASSERT_EQ(added.errorCode(), 0) << added.body;
  ASSERT_EQ(added.resultText("face_token").size(), 32u);
  const JsonValue* location = added.json->Find("result")->Find("location");
  ASSERT_TRUE(location);
  for (const char* member : {"left", "top", "width", "height", "rotation"})
    EXPECT_TRUE(location->Find(member) && location->Find(member)->isNumber()) << member;
  // The face fills most of the picture's 200 px.
  EXPECT_GT(location->Find("width")->number(), 80);
  for (const char* member : {"error_msg", "log_id", "timestamp", "cached"}) EXPECT_TRUE(added.json->Find(member)) << member;

  const Reply found = Search(picture, "test,girl,star");
  ASSERT_EQ(found.errorCode(), 0) << found.body;
  EXPECT_EQ(found.resultText("face_token"), added.resultText("face_token"));
  ASSERT_EQ(UserList(found).items().size(), 1u);
  const JsonValue& best = UserList(found).items()[0];
  EXPECT_EQ(Member(best, "group_id"), "test");
  EXPECT_EQ(Member(best, "user_id"), "user_1");
  EXPECT_EQ(Member(best, "user_info"), "张三，测试用户 \"引号\"\r\n第二行");
  EXPECT_EQ(Score(best), 100);
}

TEST_F(FaceEndpointsTest, BestUserComesFirstScoredByTheirClosestFace) {
  // Alice's mirror image comes first, so her first face is not her closest.
  const Bytes alice = FacePicture(0), aliceMirrored = AlteredFacePicture(0, "-flop");
  const Bytes bob = FacePicture(1);
  ASSERT_EQ(Add(aliceMirrored, "test", "alice").errorCode(), 0);
  ASSERT_EQ(Add(alice, "test", "alice").errorCode(), 0);
  ASSERT_EQ(Add(bob, "girl", "bob").errorCode(), 0);

  const Reply forAlice = Search(alice, "girl,test", "5");
  ASSERT_EQ(forAlice.errorCode(), 0) << forAlice.body;
  const auto& users = UserList(forAlice).items();
  ASSERT_EQ(users.size(), 2u);
  EXPECT_EQ(Member(users[0], "user_id"), "alice");
  EXPECT_EQ(Score(users[0]), 100);
  EXPECT_EQ(Member(users[1], "user_id"), "bob");
  EXPECT_LT(Score(users[1]), 80);

  // Another picture of Bob: a smaller, more compressed copy.
  const Reply forBob = Search(AlteredFacePicture(1, "-resize 50% -quality 40"), "test,girl");
  ASSERT_EQ(UserList(forBob).items().size(), 1u);
  EXPECT_EQ(Member(UserList(forBob).items()[0], "user_id"), "bob");
  EXPECT_GE(Score(UserList(forBob).items()[0]), 80);

  // A stranger still gets the closest user, with a score the client reads as "not found".
  const Reply stranger = Search(FacePicture(2), "test");
  ASSERT_EQ(stranger.errorCode(), 0);
  EXPECT_LT(Score(UserList(stranger).items().at(0)), 80);
}

TEST_F(FaceEndpointsTest, SameUserIdInTwoGroupsIsTwoUsers) {
  const Bytes picture = FacePicture(3);
  ASSERT_EQ(Add(picture, "test", "same", "in test").errorCode(), 0);
  ASSERT_EQ(Add(picture, "star", "same", "in star").errorCode(), 0);
  const Reply found = Search(picture, "star");
  EXPECT_EQ(Member(UserList(found).items().at(0), "user_info"), "in star");
  EXPECT_EQ(Search(picture, "girl").errorCode(), 222207);
}

TEST_F(FaceEndpointsTest, LaterRegistrationUpdatesUserInformation) {
  ASSERT_EQ(Add(FacePicture(4), "test", "u", "old").errorCode(), 0);
  ASSERT_EQ(Add(AlteredFacePicture(4, "-flop"), "test", "u", "new").errorCode(), 0);
  EXPECT_EQ(Member(UserList(Search(FacePicture(4), "test")).items().at(0), "user_info"), "new");
}

TEST_F(FaceEndpointsTest, AnswersEachFaultWithItsErrorCode) {
  const Bytes face = FacePicture(5);
  ASSERT_EQ(Add(face, "test", "known").errorCode(), 0);
  const std::string goodImage = ToBase64(face);
  const std::string blurred = ToBase64(AlteredFacePicture(5, "-blur 0x2"));
  const struct {
    const char* name;
    std::string path;
    std::string body;
    long long expected;
  } cases[] = {
      {"no token", std::string(kSearchPath), "{}", 110},
      {"unknown token", kSearchPath + std::string("0123abcd"), "{}", 110},
      {"body not JSON", kSearchPath + token, "image=1", 222001},
      {"body truncated", kAddPath + token, "{\"image\": \"", 222001},
      {"missing image", kAddPath + token, JsonBody({{"image_type", "BASE64"}, {"group_id", "g"}, {"user_id", "u"}}),
       222001},
      {"bad user id", kAddPath + token,
       JsonBody({{"image", goodImage}, {"image_type", "BASE64"}, {"group_id", "g"}, {"user_id", "no way"}}), 222002},
      {"bad group list", kSearchPath + token,
       JsonBody({{"image", goodImage}, {"image_type", "BASE64"}, {"group_id_list", "test;girl"}}), 222002},
      {"no face in a JPEG", kSearchPath + token,
       JsonBody({{"image", ToBase64(MakeGradientJpeg(64, 64))}, {"image_type", "BASE64"}, {"group_id_list", "test"}}),
       222202},
      {"no face in a PNG", kAddPath + token,
       JsonBody({{"image", ToBase64(MakeGradientPng(64, 64))}, {"image_type", "BASE64"}, {"group_id", "g"},
                 {"user_id", "u"}}),
       222202},
      {"bad Base64", kSearchPath + token,
       JsonBody({{"image", goodImage + "="}, {"image_type", "BASE64"}, {"group_id_list", "test"}}), 222203},
      {"not a picture", kAddPath + token,
       JsonBody({{"image", ToBase64({'G', 'I', 'F', '8', '9', 'a'})}, {"image_type", "BASE64"}, {"group_id", "g"}, {"user_id", "u"}}),
       222203},
      {"no users in the groups", kSearchPath + token,
       JsonBody({{"image", goodImage}, {"image_type", "BASE64"}, {"group_id_list", "girl,nobody"}}), 222207},
      {"same face again", kAddPath + token,
       JsonBody({{"image", goodImage}, {"image_type", "BASE64"}, {"group_id", "test"}, {"user_id", "known"}}), 223105},
      {"blurred, normal quality", kAddPath + token,
       JsonBody({{"image", blurred}, {"image_type", "BASE64"}, {"group_id", "g"}, {"user_id", "u"},
                 {"quality_control", "NORMAL"}}),
       223114},
      {"blurred, high quality", kSearchPath + token,
       JsonBody({{"image", blurred}, {"image_type", "BASE64"}, {"group_id_list", "test"}, {"quality_control", "HIGH"}}),
       223114},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Reply reply = client.Post(c.path, c.body);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.errorCode(), c.expected) << reply.body;
    ASSERT_TRUE(reply.json);
    EXPECT_TRUE(reply.json->Find("error_msg") && !reply.json->Find("error_msg")->text().empty());
    EXPECT_EQ(reply.json->Find("result")->type(), JsonType::Null);
  }
  // The blurred face is still a face where little quality is asked for.
  EXPECT_EQ(client.Post(kAddPath + token, JsonBody({{"image", blurred}, {"image_type", "BASE64"}, {"group_id", "test"},
                                                     {"user_id", "known"}, {"quality_control", "LOW"}}))
                .errorCode(),
            0);
}

TEST_F(FaceEndpointsTest, AMultipartFormIsNoJsonBody) {
  const httplib::MultipartFormDataItems form = {{"image", ToBase64(MakeGradientPng(32, 32)), "", ""},
                                                {"group_id_list", "test", "", ""}};
  const auto result = client.http->Post((kSearchPath + token).c_str(), form);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 200);
  const auto reply = ParseJson(result->body);
  ASSERT_TRUE(reply && reply->Find("error_code"));
  EXPECT_EQ(reply->Find("error_code")->number(), 222001);
}

TEST_F(FaceEndpointsTest, ExpiredTokensAreToldApartFromUnknownOnes) {
  ASSERT_TRUE(service.service().tokens().Store("planted_expired", service.Now() - 1));
  EXPECT_EQ(client.Post(kSearchPath + std::string("planted_expired"), "{}").errorCode(), 111);

  EXPECT_EQ(client.Post(kSearchPath + token, "{}").errorCode(), 222001);
  service.AdvanceClock(30 * 24 * 60 * 60 - 5);
  EXPECT_EQ(client.Post(kSearchPath + token, "{}").errorCode(), 222001);
  service.AdvanceClock(10);
  EXPECT_EQ(client.Post(kSearchPath + token, "{}").errorCode(), 111);
  EXPECT_EQ(client.Post(kAddPath + token, "{}").errorCode(), 111);
}

// The twenty faces are planted: a user's limit counts stored faces however
// they came, and describing twenty pictures would take long.
TEST_F(FaceEndpointsTest, AUserHoldsAtMostTwentyFaces) {
  for (int face = 0; face < kMaxFacesPerUser; ++face) {
    Descriptor descriptor(128, 0.0f);
    descriptor[static_cast<std::size_t>(face)] = 1.0f;
    ASSERT_EQ(Plant("test", "busy", descriptor), AddOutcome::Added) << face;
  }
  const Reply full = Add(FacePicture(6), "test", "busy");
  EXPECT_EQ(full.errorCode(), 223104) << full.body;
  EXPECT_EQ(Add(FacePicture(6), "test", "other").errorCode(), 0);
}

TEST_F(FaceEndpointsTest, FacesDescribedWithAnotherSizeAreLeftOut) {
  ASSERT_EQ(Plant("old", "shorter", Descriptor(64, 0.0f)), AddOutcome::Added);
  ASSERT_EQ(Plant("test", "shorter", Descriptor(64, 0.0f)), AddOutcome::Added);
  EXPECT_EQ(Search(FacePicture(7), "old").errorCode(), 222207);

  ASSERT_EQ(Add(FacePicture(7), "test", "current").errorCode(), 0);
  const Reply found = Search(FacePicture(7), "old,test", "5");
  ASSERT_EQ(found.errorCode(), 0) << found.body;
  ASSERT_EQ(UserList(found).items().size(), 1u);
  EXPECT_EQ(Member(UserList(found).items()[0], "user_id"), "current");
}

TEST_F(FaceEndpointsTest, BodiesOverTenMegabytesAreRefused) {
  const std::size_t limit = 10 * 1024 * 1024;
  std::string atLimit(limit, ' ');
  atLimit.front() = '{';
  atLimit.back() = '}';
  EXPECT_EQ(client.Post(kSearchPath + token, atLimit).errorCode(), 222001);

  const Reply over = client.Post(kSearchPath + token, std::string(limit + 1, ' '));
  EXPECT_EQ(over.status, 413);

  // The same without a declared length, in chunks.
  std::size_t sent = 0;
  const auto result = client.http->Post(
      (kSearchPath + token).c_str(),
      [&sent](std::size_t, httplib::DataSink& sink) {
        const std::string chunk(1024 * 1024, ' ');
        if (sent > limit + chunk.size()) {
          sink.done();
          return true;
        }
        sent += chunk.size();
        return sink.write(chunk.data(), chunk.size());
      },
      "application/json");
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 413);

  // The connection is still good for the next request.
  EXPECT_EQ(client.Post(kSearchPath + token, "{}").errorCode(), 222001);
}

TEST_F(FaceEndpointsTest, UnderstandsTheClientsTemplateInTheChineseCodePage) {
  const Bytes picture = FacePicture(7);
  const std::string body = "{\r\n    \"image\": \"" + ToBase64(picture) +
                           "\",\r\n    \"image_type\": \"BASE64\",\r\n    \"group_id\": \"test\",\r\n"
                           "    \"user_id\": \"gbk\",\r\n    \"user_info\": \"\xD5\xC5\xC8\xFD\",\r\n"
                           "    \"quality_control\": \"LOW\",\r\n    \"liveness_control\": \"NONE\"\r\n}";
  ASSERT_EQ(client.Post(kAddPath + token, body, "application/json").errorCode(), 0);
  EXPECT_EQ(Member(UserList(Search(picture, "test")).items().at(0), "user_info"), "张三");
}

}  // namespace
}  // namespace vantorel::service

// Eight clients registering and searching at once against one service.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <atomic>
#include <thread>

#include "service/ServiceTestSupport.h"
#include "support/TestPictures.h"

namespace vantorel::service {
namespace {

using namespace vantorel::service::testing;
using namespace vantorel::test;

constexpr int kClients = 8;
// Each client registers a face and its mirror image as two users.
constexpr int kUsersPerClient = 2;

long long CountRows(const std::string& database, const char* sql) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
  const long long count = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : -1;
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return count;
}

std::string AddBody(const Bytes& picture, const std::string& user) {
  return JsonBody({{"image", ToBase64(picture)}, {"image_type", "BASE64"}, {"group_id", "crowd"}, {"user_id", user}});
}

std::string SearchBody(const Bytes& picture) {
  return JsonBody({{"image", ToBase64(picture)}, {"image_type", "BASE64"}, {"group_id_list", "crowd"}});
}

Bytes PictureOf(int client, int user) {
  return user == 0 ? FacePicture(client % kSamplePeople) : AlteredFacePicture(client % kSamplePeople, "-flop");
}

TEST(Concurrency, ParallelClientsLoseAndDuplicateNothing) {
  TemporaryDirectory folder;
  RunningService service(folder.path());
  ASSERT_TRUE(service.started()) << service.startError();
  const std::string token = service.AccessToken();
  // Made before the clients start, so that they all hit the service at once.
  for (int c = 0; c < kClients; ++c)
    for (int u = 0; u < kUsersPerClient; ++u) ASSERT_FALSE(PictureOf(c, u).empty());
  std::atomic<int> added = 0, foundThemselves = 0;
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      Client client = service.NewClient();
      for (int u = 0; u < kUsersPerClient; ++u) {
        const std::string user = "c" + std::to_string(c) + "_u" + std::to_string(u);
        if (client.Post(kAddPath + token, AddBody(PictureOf(c, u), user)).errorCode() == 0) ++added;
        const Reply found = client.Post(kSearchPath + token, SearchBody(PictureOf(c, u)));
        const JsonValue* list = found.json && found.json->Find("result") ? found.json->Find("result")->Find("user_list") : nullptr;
        if (list && !list->items().empty() && list->items()[0].Find("user_id")->text() == user) ++foundThemselves;
      }
    });
  }
  for (std::thread& client : clients) client.join();

  EXPECT_EQ(added, kClients * kUsersPerClient);
  EXPECT_EQ(foundThemselves, kClients * kUsersPerClient);
  const std::string db = folder.path() + "/faces.db";
  EXPECT_EQ(CountRows(db, "SELECT COUNT(*) FROM groups"), 1);
  EXPECT_EQ(CountRows(db, "SELECT COUNT(*) FROM users"), kClients * kUsersPerClient);
  EXPECT_EQ(CountRows(db, "SELECT COUNT(*) FROM faces"), kClients * kUsersPerClient);
  EXPECT_EQ(CountRows(db, "SELECT COUNT(*) FROM descriptors"), kClients * kUsersPerClient);
}

TEST(Concurrency, TheSameFaceSentByEightClientsIsStoredOnce) {
  TemporaryDirectory folder;
  RunningService service(folder.path());
  ASSERT_TRUE(service.started()) << service.startError();
  const std::string token = service.AccessToken();
  const std::string body = AddBody(FacePicture(0), "twin");
  std::atomic<int> added = 0, refused = 0;
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&] {
      const long long code = service.NewClient().Post(kAddPath + token, body).errorCode();
      if (code == 0) ++added;
      if (code == 223105) ++refused;
    });
  }
  for (std::thread& client : clients) client.join();
  EXPECT_EQ(added, 1);
  EXPECT_EQ(refused, kClients - 1);
  EXPECT_EQ(CountRows(folder.path() + "/faces.db", "SELECT COUNT(*) FROM faces"), 1);
}

}  // namespace
}  // namespace vantorel::service

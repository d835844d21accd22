// The real vantorel-service executable, started and killed like a user would.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "service/ServiceTestSupport.h"
#include "support/TestPictures.h"

namespace vantorel::service {
namespace {

using namespace vantorel::service::testing;
using namespace vantorel::test;

// A port that was free a moment ago.
int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t size = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  ::close(fd);
  return ntohs(address.sin_port);
}

class ServiceProcess {
 public:
  // Runs the service with `arguments`, stderr to `logPath`, and the given XDG_DATA_HOME.
  ServiceProcess(std::vector<std::string> arguments, const std::string& logPath, const std::string& xdgDataHome) {
    pid_ = ::fork();
    if (pid_ == 0) {
      std::vector<char*> argv;
      std::string binary = VANTOREL_SERVICE_BINARY;
      argv.push_back(binary.data());
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      const int log = ::open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
      ::dup2(log, STDERR_FILENO);
      ::setenv("XDG_DATA_HOME", xdgDataHome.c_str(), 1);
      ::execv(binary.c_str(), argv.data());
      ::_exit(127);
    }
  }

  ~ServiceProcess() { Kill(SIGKILL); }

  // Sends `signal` and reaps the process; its exit status, or -1.
  int Kill(int signal) {
    if (pid_ <= 0) return -1;
    ::kill(pid_, signal);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
};

// Waits until the service at `port` hands out tokens, trusting `caPath`.
std::string WaitForToken(int port, const std::string& caPath) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < deadline) {
    struct stat info{};
    if (::stat(caPath.c_str(), &info) == 0) {
      const Reply reply = MakeClient(port, caPath).Get(TokenQuery());
      if (reply.json && reply.json->Find("access_token")) return reply.json->Find("access_token")->text();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return {};
}

std::string AddBody(const Bytes& picture, const std::string& user, const std::string& info) {
  return JsonBody({{"image", ToBase64(picture)}, {"image_type", "BASE64"}, {"group_id", "test"}, {"user_id", user},
                   {"user_info", info}});
}

std::string SearchBody(const Bytes& picture) {
  return JsonBody({{"image", ToBase64(picture)}, {"image_type", "BASE64"}, {"group_id_list", "test"}});
}

TEST(ServiceProcess, KeepsFacesAndCertificatesAcrossAKill) {
  TemporaryDirectory folder;
  const std::string data = folder.path() + "/data", log = folder.path() + "/service.log";
  const int port = FreePort();
  const std::vector<std::string> arguments{"--listen", "127.0.0.1:" + std::to_string(port), "--data", data};
  const Bytes picture = FacePicture(0);
  std::string firstCa, firstToken;
  {
    ServiceProcess process(arguments, log, folder.path() + "/unused");
    firstToken = WaitForToken(port, data + "/ca.pem");
    ASSERT_FALSE(firstToken.empty()) << ReadWholeFile(log);
    Client client = MakeClient(port, data + "/ca.pem");
    ASSERT_EQ(client.Post(kAddPath + firstToken, AddBody(picture, "survivor", "活下来")).errorCode(), 0);
    firstCa = ReadWholeFile(data + "/ca.pem");
    process.Kill(SIGKILL);
  }
  for (const char* key : {"/ca-key.pem", "/server-key.pem"}) {
    struct stat info{};
    ASSERT_EQ(::stat((data + key).c_str(), &info), 0) << key;
    EXPECT_EQ(info.st_mode & 0777, 0600u) << key;
  }

  ServiceProcess process(arguments, log, folder.path() + "/unused");
  const std::string token = WaitForToken(port, data + "/ca.pem");
  ASSERT_FALSE(token.empty()) << ReadWholeFile(log);
  EXPECT_EQ(ReadWholeFile(data + "/ca.pem"), firstCa);
  Client client = MakeClient(port, data + "/ca.pem");
  // Tokens are stored too: the one from before the kill still works.
  const Reply found = client.Post(kSearchPath + firstToken, SearchBody(picture));
  ASSERT_EQ(found.errorCode(), 0) << found.body;
  const JsonValue& best = found.json->Find("result")->Find("user_list")->items().at(0);
  EXPECT_EQ(best.Find("user_id")->text(), "survivor");
  EXPECT_EQ(best.Find("user_info")->text(), "活下来");
  EXPECT_EQ(process.Kill(SIGTERM), 0);

  const std::string logText = ReadWholeFile(log);
  EXPECT_NE(logText.find("POST /rest/2.0/face/v3/search 200 error_code=0 "), std::string::npos) << logText;
  EXPECT_EQ(logText.find(token), std::string::npos);
  EXPECT_EQ(logText.find(firstToken), std::string::npos);
}

TEST(ServiceProcess, KeepsItsDataUnderXdgDataHomeByDefault) {
  TemporaryDirectory folder;
  const int port = FreePort();
  ServiceProcess process({"--listen", "127.0.0.1:" + std::to_string(port)}, folder.path() + "/service.log",
                         folder.path());
  EXPECT_FALSE(WaitForToken(port, folder.path() + "/vantorel/ca.pem").empty()) << ReadWholeFile(folder.path() + "/service.log");
  struct stat info{};
  EXPECT_EQ(::stat((folder.path() + "/vantorel/faces.db").c_str(), &info), 0);
}

TEST(ServiceProcess, RefusesBadCommandLines) {
  TemporaryDirectory folder;
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--listen", "nowhere"}, {"--data"}, {"--colour", "blue"}}) {
    ServiceProcess process(arguments, folder.path() + "/service.log", folder.path());
    const int status = process.Kill(0);  // signal 0 only waits for the exit
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << arguments[0];
  }
}

TEST(ServiceProcess, RefusesToStartWithoutUsableWeights) {
  TemporaryDirectory folder;
  const std::string log = folder.path() + "/service.log";
  ServiceProcess process({"--listen", "127.0.0.1:" + std::to_string(FreePort()), "--data", folder.path() + "/data",
                          "--models", folder.path() + "/no-weights"},
                         log, folder.path());
  const int status = process.Kill(0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
  const std::string logText = ReadWholeFile(log);
  EXPECT_NE(logText.find("cannot load the face recognition weights from " + folder.path() + "/no-weights"),
            std::string::npos)
      << logText;
  EXPECT_NE(logText.find("scripts/fetch-face-models.sh"), std::string::npos) << logText;
  struct stat info{};
  EXPECT_NE(::stat((folder.path() + "/data").c_str(), &info), 0) << "a data folder was made";
}

}  // namespace
}  // namespace vantorel::service

// The search and registration flows against the real local face service on a
// loopback port, over HTTPS with the service's own CA, with faces cut out of
// the sample photos and pictures made here.
#include "AppFixture.h"
#include "base/TextOps.h"
#include "service/ServiceTestSupport.h"
#include "support/TestPictures.h"

namespace vantorel {
namespace {

using test::AlteredFacePicture;
using test::FacePicture;

// A face still found but too smooth to describe at the quality the program
// asks for (LOW): a lighter blur passes, a heavier one hides the face.
Bytes BlurredPicture() { return AlteredFacePicture(5, "-blur 0x3.5"); }
// A picture without any face.
Bytes FacelessPicture() { return test::MakeGradientJpeg(320, 240); }

// The service trusts its CA at $XDG_DATA_HOME/vantorel/ca.pem, where the
// client looks for it. It starts before the application that talks to it.
struct WithLocalService {
  test::TemporaryDirectory dataHome;
  test::ScopedEnvironment trustedCa{"XDG_DATA_HOME", dataHome.path()};
  service::testing::RunningService service{dataHome.path() + "/vantorel"};

  Text baseAddress() const {
    return "https://127.0.0.1:" + std::to_string(service.started() ? service.port() : 0);
  }
};

class LocalServiceFlowsTest : protected WithLocalService, public AppFixture {
 protected:
  LocalServiceFlowsTest() : AppFixture(baseAddress()) {}

  void SetUp() override {
    ASSERT_TRUE(service.started()) << service.startError();
    ASSERT_FALSE(FacePicture(0).empty()) << "no sample photos; scripts/fetch-face-models.sh fetches them";
    app.OnMainWindowCreated();
    ASSERT_EQ(w.window.caption(), Chinese("Vantorel By：Quenmarsh---服务器验证成功"));
  }

  void Register(const Bytes& picture, const Text& userId, int groupIndex = 0, const Text& userInfo = "") {
    ChoosePicture(w.打开注册图, WritePicture("register.jpg", picture));
    w.编辑框2.SetText(userId);
    w.编辑框4.SetText(userInfo);
    w.组合框1.Select(groupIndex);
    w.注册人脸.Click();
  }

  void Search(const Bytes& picture, int groupIndex = 0) {
    ChoosePicture(w.打开识别图, WritePicture("search.jpg", picture));
    w.组合框2.Select(groupIndex);
    w.开始人脸识别.Click();
  }

  void ExpectRegistered() {
    EXPECT_EQ(w.透明标签59.text(), Chinese("成功"));
    EXPECT_EQ(w.外形框5.fillColour(), ui::kGreen);
    EXPECT_FALSE(w.错误框5.isShown());
    EXPECT_TRUE(w.图片框4.picture().empty());
  }

  std::vector<Text> ResultLabels() {
    return {w.透明标签52.text(), w.透明标签50.text(), w.透明标签51.text(),
            w.透明标签54.text(), w.透明标签47.text(), w.透明标签56.text()};
  }

  void ExpectError(const ErrorArea& area, const Text& code, std::string_view descriptionUtf8) {
    EXPECT_TRUE(area.box.isShown());
    EXPECT_EQ(area.code.text(), code);
    EXPECT_EQ(area.description.text(), Chinese(descriptionUtf8));
    EXPECT_FALSE(area.message.text().empty());  // the service's own words
  }

  void ExpectSearchError(const Text& code, std::string_view descriptionUtf8) {
    ExpectError(w.searchErrorArea, code, descriptionUtf8);
    EXPECT_EQ(w.外形框3.fillColour(), ui::kRed);
    EXPECT_EQ(w.透明标签46.text(), Chinese("返回异常,请检查..."));
    EXPECT_EQ(ResultLabels(), std::vector<Text>(6, "-"));
  }
};

TEST_F(LocalServiceFlowsTest, RegisteredFaceIsFoundWithItsUser) {
  const Bytes face = FacePicture(1);
  Register(face, "user_1", 1, Chinese("张三，前台"));
  ExpectRegistered();
  const Text faceToken = w.透明标签61.text();
  EXPECT_EQ(faceToken.size(), 32u) << faceToken;

  Search(face);
  EXPECT_EQ(w.透明标签46.text(), Chinese("成功，匹配到以下人员"));
  EXPECT_EQ(w.透明标签52.text(), faceToken);  // the service names a picture by its bytes
  EXPECT_EQ(w.透明标签50.text(), "girl");
  EXPECT_EQ(w.透明标签51.text(), "user_1");
  EXPECT_EQ(w.透明标签54.text(), Chinese("张三，前台"));
  EXPECT_GE(TextToInteger(w.透明标签47.text()), 80) << w.透明标签47.text();
  EXPECT_EQ(w.透明标签56.text(), Chinese("美女"));
  EXPECT_EQ(w.外形框3.fillColour(), ui::kGreen);
  EXPECT_FALSE(w.错误框3.isShown());
  EXPECT_TRUE(w.透明标签75.text().ends_with(Chinese("秒"))) << w.透明标签75.text();
}

TEST_F(LocalServiceFlowsTest, SomeoneElseIsNotFound) {
  Register(FacePicture(1), "user_1");
  ExpectRegistered();
  Search(FacePicture(2));
  EXPECT_EQ(w.透明标签46.text(), Chinese("失败，未找到此人"));
  EXPECT_EQ(ResultLabels(), std::vector<Text>(6, "-"));
  EXPECT_EQ(w.外形框3.fillColour(), ui::kGreen);
  EXPECT_FALSE(w.错误框3.isShown());
}

TEST_F(LocalServiceFlowsTest, SearchesTheServiceRefusesShowTheErrorArea) {
  Register(FacePicture(1), "user_1");  // into "test"
  ExpectRegistered();
  struct Case {
    const char* what;
    Bytes picture;
    int groupIndex;
    Text code;
    const char* descriptionUtf8;
  };
  const Case cases[] = {
      {"no face", FacelessPicture(), 0, "222202", "未检测到人脸"},
      {"not a picture", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'}, 0, "222203", ""},
      {"too blurred", BlurredPicture(), 0, "223114", "脸部不清晰"},
      {"empty group", FacePicture(1), 3, "222207", ""},  // nobody registered as 明星
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Search(c.picture, c.groupIndex);
    ExpectSearchError(c.code, c.descriptionUtf8);
  }
  // A later success hides the error area again.
  Search(FacePicture(1), 1);
  EXPECT_FALSE(w.错误框3.isShown());
  EXPECT_EQ(w.透明标签51.text(), "user_1");
}

TEST_F(LocalServiceFlowsTest, RegistrationsTheServiceRefusesKeepThePicture) {
  Register(FacePicture(1), "user_1");
  ExpectRegistered();
  struct Case {
    const char* what;
    Bytes picture;
    Text userId;
    Text code;
    const char* descriptionUtf8;
  };
  const Case cases[] = {
      {"the same face again", FacePicture(1), "user_1", "223105", "该人脸已存在"},
      {"no face", FacelessPicture(), "user_2", "222202", "未检测到人脸"},
      {"user id of spaces, judged by the service", FacePicture(3), "   ", "222002", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Register(c.picture, c.userId);
    ExpectError(w.registrationErrorArea, c.code, c.descriptionUtf8);
    EXPECT_EQ(w.外形框5.fillColour(), ui::kRed);
    EXPECT_EQ(w.透明标签59.text(), Chinese("注册中,请稍等..."));
    EXPECT_EQ(w.透明标签61.text(), "-");
    EXPECT_EQ(w.图片框4.picture(), c.picture);
  }
}

// Without a token the service refuses every request; the flows still run.
class WithoutTokenTest : protected WithLocalService, public AppFixture {
 protected:
  WithoutTokenTest() : AppFixture(baseAddress()) {}
};

TEST_F(WithoutTokenTest, SearchFailsWithTheServicesTokenError) {
  ASSERT_TRUE(service.started()) << service.startError();
  ChoosePicture(w.打开识别图, WritePicture("face.jpg", FacePicture(1)));
  w.开始人脸识别.Click();
  EXPECT_TRUE(w.错误框3.isShown());
  EXPECT_EQ(w.错误代码框3.text(), "110");
  EXPECT_EQ(w.外形框3.fillColour(), ui::kRed);
}

}  // namespace
}  // namespace vantorel

// The local face service answering a search for the largest picture the
// client sends (2,047,999 bytes), over loopback HTTPS. Every search posts the
// body the face client composes. Peers in the same run: decoding that picture
// alone (the floor of any search), a cpp-httplib client, the program's own
// FaceServiceClient::SearchFace and the curl tool.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "base/PictureDecoder.h"
#include "face/Base64.h"
#include "face/FaceServiceClient.h"
#include "face/RequestTemplates.h"
#include "service/ServiceTestSupport.h"
#include "support/TestPictures.h"

namespace {

using namespace vantorel;
using namespace vantorel::service::testing;
using namespace vantorel::test;

constexpr std::size_t kPictureBytes = 2047999;
constexpr char kAllGroups[] = "test,girl,star";

// A face enlarged to a JPEG just under the size, padded after its end marker.
Bytes LargestPicture() {
  Bytes picture;
  for (int side = 2000; side > 100; side -= 100) {
    picture = AlteredFacePicture(0, "-resize " + std::to_string(side) + "x" + std::to_string(side) + " -quality 100");
    if (picture.size() <= kPictureBytes) break;
  }
  picture.resize(kPictureBytes, 0);
  return picture;
}

struct Setup {
  TemporaryDirectory folder;
  RunningService service{folder.path()};
  Bytes picture = LargestPicture();
  std::string token = service.AccessToken();
  std::string body = SearchRequestBody(EncodeBase64(picture), kAllGroups);
  std::string bodyFile = folder.path() + "/body.json";

  Setup() {
    service.NewClient().Post(kAddPath + token, JsonBody({{"image", ToBase64(picture)}, {"image_type", "BASE64"},
                                                         {"group_id", "test"}, {"user_id", "bench"}}));
    std::ofstream(bodyFile, std::ios::binary) << body;
  }
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

void BM_DecodePicture(benchmark::State& state) {
  const Bytes& picture = Shared().picture;
  for (auto _ : state) benchmark::DoNotOptimize(DecodePicture(picture));
}
BENCHMARK(BM_DecodePicture)->Unit(benchmark::kMillisecond);

void BM_SearchThroughHttplibClient(benchmark::State& state) {
  Setup& setup = Shared();
  Client client = setup.service.NewClient();
  for (auto _ : state) {
    const Reply reply = client.Post(kSearchPath + setup.token, setup.body);
    if (reply.errorCode() != 0) state.SkipWithError(reply.body.c_str());
  }
}
BENCHMARK(BM_SearchThroughHttplibClient)->Unit(benchmark::kMillisecond);

// The whole client call: Base64, the request body, the HTTPS POST on the
// client's kept-alive session, and reading the reply text.
void BM_SearchFaceClient(benchmark::State& state) {
  Setup& setup = Shared();
  ScopedEnvironment trust("SSL_CERT_FILE", setup.service.service().caCertificatePath());
  FaceServiceClient client("https://127.0.0.1:" + std::to_string(setup.service.port()));
  if (client.AcquireToken() != "1") state.SkipWithError("no token");
  for (auto _ : state) {
    const Text reply = client.SearchFace(setup.picture, kAllGroups);
    if (reply.find("\"error_code\":0") == Text::npos) state.SkipWithError(reply.c_str());
  }
}
BENCHMARK(BM_SearchFaceClient)->Unit(benchmark::kMillisecond);

void BM_SearchThroughCurlTool(benchmark::State& state) {
  Setup& setup = Shared();
  const std::string command = "curl -s -o /dev/null --cacert '" + setup.service.service().caCertificatePath() +
                              "' -H 'Content-Type: application/json' --data-binary @'" + setup.bodyFile +
                              "' 'https://127.0.0.1:" + std::to_string(setup.service.port()) + kSearchPath +
                              setup.token + "'";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("curl failed");
}
BENCHMARK(BM_SearchThroughCurlTool)->Unit(benchmark::kMillisecond);

}  // namespace

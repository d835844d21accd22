// The evaluation of one face-search reply as the search flow does it, against
// the engine's plain JSON decoding of the same text.
#include <benchmark/benchmark.h>

#include <string>

#include "duktape.h"
#include "json/JsonDocument.h"

namespace vantorel {
namespace {

// A search reply with as many matched users as it takes to reach `size` bytes.
Text SearchReply(std::size_t size) {
  Text reply =
      R"({"error_code":0,"error_msg":"SUCCESS","log_id":3584051565,"timestamp":1700000000,"cached":0,)"
      R"("result":{"face_token":"2fa64a88a9d5118916f9a303782a97d3","user_list":[)";
  for (int user = 0; reply.size() < size; ++user) {
    if (user > 0) reply += ",";
    reply += R"({"group_id":"staff","user_id":"user)" + std::to_string(user) +
             R"(","user_info":"front desk, second floor, badge )" + std::to_string(1000 + user) +
             R"(","score":)" + std::to_string(97 - user % 50) + ".25}";
  }
  return reply + "]}}";
}

const char* const kReadPaths[] = {
    "result.face_token", "result['user_list'][0]['group_id']", "result['user_list'][0]['user_id']",
    "result['user_list'][0]['user_info']", "result['user_list'][0]['score']"};

void BM_EvaluateSearchReply(benchmark::State& state) {
  const Text reply = SearchReply(static_cast<std::size_t>(state.range(0)));
  JsonDocument replyDocument;
  for (auto _ : state) {
    replyDocument.Parse(reply);
    benchmark::DoNotOptimize(replyDocument.GetMember("error_code").ToText());
    replyDocument.Parse(reply);
    for (const char* path : kReadPaths) benchmark::DoNotOptimize(replyDocument.GetText(path));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_EvaluateSearchReply)->Arg(1 << 10)->Arg(50 << 10)->Unit(benchmark::kMicrosecond);

void BM_PlainJsonDecode(benchmark::State& state) {
  const Text reply = SearchReply(static_cast<std::size_t>(state.range(0)));
  duk_context* context = duk_create_heap_default();
  for (auto _ : state) {
    duk_push_lstring(context, reply.data(), reply.size());
    duk_json_decode(context, -1);
    duk_pop(context);
  }
  duk_destroy_heap(context);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * reply.size()));
}
BENCHMARK(BM_PlainJsonDecode)->Arg(1 << 10)->Arg(50 << 10)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantorel

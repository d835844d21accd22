// One HttpSession doing 1,000 keep-alive GETs of a 1 KB body and 20 POSTs
// of a 2.7 MB body to a local server, against raw libcurl easy handles
// doing the same in the same run.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

#include "net/HttpSession.h"
#include "support/RecordingServer.h"

namespace {

using vantorel::test::RecordingServer;
using vantorel::test::RoutesTo;
using vantorel::test::ScriptedReply;

constexpr int kGets = 1000;
constexpr int kPosts = 20;
const std::string kSmallBody(1024, 's');
const std::string kLargeBody(2700 * 1024, 'p');

RecordingServer& Server() {
  static RecordingServer server(RoutesTo({
      {"/small", ScriptedReply::Ok(kSmallBody)},
      {"/upload", ScriptedReply::Ok("ok")},
  }));
  return server;
}

void SessionWorkload(benchmark::State& state) {
  RecordingServer& server = Server();
  const std::string smallUrl = server.Url("/small");
  const std::string uploadUrl = server.Url("/upload");
  vantorel::HttpSession session;
  for (auto _ : state) {
    std::size_t received = 0;
    for (int i = 0; i < kGets; ++i) {
      session.Open("GET", smallUrl);
      session.SendText();
      received += session.GetResponseBytes().size();
    }
    for (int i = 0; i < kPosts; ++i) {
      session.Open("POST", uploadUrl);
      session.SendText(kLargeBody);
      received += session.GetResponseBytes().size();
    }
    if (received != kGets * kSmallBody.size() + kPosts * 2) state.SkipWithError("short response");
    state.PauseTiming();
    server.ForgetRequests();
    state.ResumeTiming();
  }
}

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

void RawCurlWorkload(benchmark::State& state) {
  RecordingServer& server = Server();
  const std::string smallUrl = server.Url("/small");
  const std::string uploadUrl = server.Url("/upload");
  CURL* easy = curl_easy_init();
  std::string body;
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Collect);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  // Without this libcurl waits for a "100 Continue" before each large upload;
  // the session never asks for one.
  curl_slist* headers = curl_slist_append(nullptr, "Expect:");
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
  for (auto _ : state) {
    std::size_t received = 0;
    for (int i = 0; i < kGets; ++i) {
      body.clear();
      curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
      curl_easy_setopt(easy, CURLOPT_URL, smallUrl.c_str());
      curl_easy_perform(easy);
      received += body.size();
    }
    for (int i = 0; i < kPosts; ++i) {
      body.clear();
      curl_easy_setopt(easy, CURLOPT_URL, uploadUrl.c_str());
      curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(kLargeBody.size()));
      curl_easy_setopt(easy, CURLOPT_POSTFIELDS, kLargeBody.data());
      curl_easy_perform(easy);
      received += body.size();
    }
    if (received != kGets * kSmallBody.size() + kPosts * 2) state.SkipWithError("short response");
    state.PauseTiming();
    server.ForgetRequests();
    state.ResumeTiming();
  }
  curl_easy_cleanup(easy);
  curl_slist_free_all(headers);
}

BENCHMARK(RawCurlWorkload)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(SessionWorkload)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

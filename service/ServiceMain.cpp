// vantorel-service: the local face service.
#include <signal.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "service/CommandLine.h"
#include "service/FaceService.h"

namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vantorel::service;
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const Environment environment{EnvironmentValue("HOME"), EnvironmentValue("XDG_DATA_HOME")};
  const CommandLineResult parsed = ParseCommandLine(arguments, environment, VANTOREL_FACE_MODEL_DIR);
  if (std::holds_alternative<UsageRequest>(parsed)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (const auto* problem = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "vantorel-service: %s\n%s", problem->c_str(), kUsage);
    return 2;
  }
  const auto& settings = std::get<ServiceSettings>(parsed);

  // The worker threads inherit this mask, so only the waiting thread below
  // sees the stop signals.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  signal(SIGPIPE, SIG_IGN);

  // The face library and the keys are the user's own business.
  ::umask(077);
  std::string error;
  auto service = FaceService::Create(settings, error);
  if (!service || !service->Bind(error)) {
    std::fprintf(stderr, "vantorel-service: %s\n", error.c_str());
    return 1;
  }
  std::fprintf(stderr, "vantorel-service: listening on https://%s:%d, data in %s (trust %s)\n",
               settings.host.c_str(), service->port(), settings.dataDir.c_str(),
               service->caCertificatePath().c_str());
  std::thread server([&service] { service->Run(); });
  int received = 0;
  sigwait(&stopSignals, &received);
  std::fprintf(stderr, "vantorel-service: stopping\n");
  service->Stop();
  server.join();
  return 0;
}

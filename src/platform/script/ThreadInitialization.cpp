#include "platform/script/ThreadInitialization.h"

namespace vantorel {
namespace {
thread_local int initializationCount = 0;
}  // namespace

void InitializeThread() { ++initializationCount; }
void UninitializeThread() { --initializationCount; }
int ThreadInitializationCount() { return initializationCount; }

}  // namespace vantorel

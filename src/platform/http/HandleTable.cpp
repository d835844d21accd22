#include "platform/http/HandleTable.h"

#include <map>
#include <mutex>

namespace vantorel::http {

namespace {

struct Table {
  std::mutex mutex;
  std::map<HttpHandle, std::unique_ptr<HandleObject>> objects;
  HttpHandle lastHandle = 0;
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

HttpHandle RegisterHandle(std::unique_ptr<HandleObject> object) {
  if (!object) return 0;
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  HttpHandle handle = ++table.lastHandle;
  table.objects.emplace(handle, std::move(object));
  return handle;
}

HandleObject* FindHandleObject(HttpHandle handle) {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  auto found = table.objects.find(handle);
  return found == table.objects.end() ? nullptr : found->second.get();
}

bool CloseHandleObject(HttpHandle handle) {
  std::unique_ptr<HandleObject> closing;
  Table& table = TheTable();
  {
    std::lock_guard lock(table.mutex);
    auto found = table.objects.find(handle);
    if (found == table.objects.end()) return false;
    closing = std::move(found->second);
    table.objects.erase(found);
  }
  return true;  // the object goes outside the lock: a request may take a moment to end
}

}  // namespace vantorel::http

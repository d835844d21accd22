#pragma once
// The objects behind integer handles. Handles are never reused, so a stale
// or made-up handle finds nothing.
#include <memory>

#include "platform/http/HttpApi.h"

namespace vantorel::http {

class HandleObject {
 public:
  virtual ~HandleObject() = default;
};

HttpHandle RegisterHandle(std::unique_ptr<HandleObject> object);
HandleObject* FindHandleObject(HttpHandle handle);
bool CloseHandleObject(HttpHandle handle);

template <typename T>
T* FindHandle(HttpHandle handle) {
  return dynamic_cast<T*>(FindHandleObject(handle));
}

}  // namespace vantorel::http

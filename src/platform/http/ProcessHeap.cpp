#include "platform/http/ProcessHeap.h"

#include <cstdlib>
#include <utility>

namespace vantorel::http {

namespace {
constexpr HeapHandle kProcessHeap = 1;
}

HeapHandle GetProcessHeap() { return kProcessHeap; }

void* HeapAlloc(HeapHandle heap, std::uint32_t, std::size_t size) {
  if (heap != kProcessHeap) return nullptr;
  return std::malloc(size == 0 ? 1 : size);
}

void* HeapReAlloc(HeapHandle heap, std::uint32_t, void* block, std::size_t size) {
  if (heap != kProcessHeap || block == nullptr) return nullptr;
  return std::realloc(block, size == 0 ? 1 : size);
}

bool HeapFree(HeapHandle heap, std::uint32_t, void* block) {
  if (heap != kProcessHeap) return false;
  std::free(block);
  return true;
}

HeapBlock::HeapBlock(HeapBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

HeapBlock& HeapBlock::operator=(HeapBlock&& other) noexcept {
  if (this != &other) {
    Free();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

bool HeapBlock::Allocate(std::size_t size) {
  Free();
  data_ = static_cast<std::uint8_t*>(HeapAlloc(GetProcessHeap(), 0, size));
  size_ = data_ ? size : 0;
  return data_ != nullptr;
}

bool HeapBlock::Resize(std::size_t size) {
  if (data_ == nullptr) return false;
  void* moved = HeapReAlloc(GetProcessHeap(), 0, data_, size);
  if (moved == nullptr) return false;
  data_ = static_cast<std::uint8_t*>(moved);
  size_ = size;
  return true;
}

void HeapBlock::Free() {
  if (data_ != nullptr) HeapFree(GetProcessHeap(), 0, data_);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace vantorel::http

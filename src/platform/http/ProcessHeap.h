#pragma once
// The process heap: plain malloc/realloc/free behind the names the HTTP
// session uses, and a block that frees itself.
#include <cstddef>
#include <cstdint>

namespace vantorel::http {

using HeapHandle = std::uintptr_t;

HeapHandle GetProcessHeap();
void* HeapAlloc(HeapHandle heap, std::uint32_t flags, std::size_t size);
// Null on failure; the old block then stays valid.
void* HeapReAlloc(HeapHandle heap, std::uint32_t flags, void* block, std::size_t size);
bool HeapFree(HeapHandle heap, std::uint32_t flags, void* block);

// One block of the process heap, owned.
class HeapBlock {
 public:
  HeapBlock() = default;
  HeapBlock(const HeapBlock&) = delete;
  HeapBlock& operator=(const HeapBlock&) = delete;
  HeapBlock(HeapBlock&& other) noexcept;
  HeapBlock& operator=(HeapBlock&& other) noexcept;
  ~HeapBlock() { Free(); }

  // Replaces any block held; false leaves no block.
  bool Allocate(std::size_t size);
  // False keeps the old block and size.
  bool Resize(std::size_t size);
  void Free();

  std::uint8_t* data() const { return data_; }
  std::size_t size() const { return size_; }
  explicit operator bool() const { return data_ != nullptr; }

 private:
  std::uint8_t* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace vantorel::http

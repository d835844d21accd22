#include <fstream>
#include <system_error>

#include "platform/shell/Shell.h"

namespace vantorel::shell {

std::int64_t FileSize(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return -1;
  const auto size = std::filesystem::file_size(path, error);
  return error ? -1 : static_cast<std::int64_t>(size);
}

Bytes ReadWholeFile(const std::filesystem::path& path) {
  const std::int64_t size = FileSize(path);
  if (size <= 0 || size >= kMaxWholeFileBytes) return {};
  std::ifstream file(path, std::ios::binary);
  Bytes content(static_cast<std::size_t>(size));
  if (!file.read(reinterpret_cast<char*>(content.data()), size)) return {};
  return content;
}

}  // namespace vantorel::shell

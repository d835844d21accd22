#pragma once
// User and shell services of the desktop: the desktop folder, the system
// up-time, and the file functions the picture pickers use. Paths are the
// file system's own bytes, not Text.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "base/Text.h"

namespace vantorel::shell {

// The user's desktop folder as the XDG user directories name it
// (`$HOME/Desktop` when none is set), not created; nothing when no home
// folder is known.
std::optional<std::string> DesktopFolder();

// Milliseconds since an arbitrary fixed point (boot), on a clock that never
// jumps, truncated to 32 bits: it wraps after about 49.7 days.
std::uint32_t TickCount();

// The size in bytes, or -1 when there is no such regular file.
std::int64_t FileSize(const std::filesystem::path& path);

// Files this large or larger are never read whole.
inline constexpr std::int64_t kMaxWholeFileBytes = std::int64_t{1} << 31;

// The whole content; empty when the file cannot be read or is 2 GiB or more.
Bytes ReadWholeFile(const std::filesystem::path& path);

}  // namespace vantorel::shell

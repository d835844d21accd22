#pragma once
// Scoped changes for tests: a fresh temporary folder, an environment
// variable set for a while.
#include <optional>
#include <string>

namespace vantorel::test {

class TemporaryDirectory {
 public:
  TemporaryDirectory();
  ~TemporaryDirectory();
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  const std::string& path() const { return path_; }
  // Writes a file below the folder, making its folders; returns its path.
  std::string WriteFile(const std::string& relativePath, const std::string& content) const;

 private:
  std::string path_;
};

class ScopedEnvironment {
 public:
  // Sets the variable, or unsets it when value is nullopt.
  ScopedEnvironment(std::string name, const std::optional<std::string>& value);
  ~ScopedEnvironment();
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace vantorel::test

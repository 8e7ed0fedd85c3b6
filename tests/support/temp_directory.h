// A fresh, empty directory for one test, removed with everything in it when the object goes,
// plus whole-file read and write helpers for checking what the program left on disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace rolvi::testing {

using Bytes = std::vector<std::uint8_t>;

class TempDirectory {
 public:
  TempDirectory();
  TempDirectory(const TempDirectory&) = delete;
  TempDirectory& operator=(const TempDirectory&) = delete;
  ~TempDirectory();

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

void WriteWholeFile(const std::filesystem::path& path, const Bytes& content);
// The file's bytes; empty when it cannot be read.
Bytes ReadWholeFile(const std::filesystem::path& path);

}  // namespace rolvi::testing

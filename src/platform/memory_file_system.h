// Files kept in memory, for the headless driver, the fuzzers and the tests: a map from name to
// content, plus names that refuse to open for writing or to be created, so that unwritable
// places can be played through without a disk.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace rolvi::platform {

class MemoryFileSystem final : public FileSystem {
 public:
  using Bytes = std::vector<std::uint8_t>;

  FileHandle OpenForReading(std::string_view name) override;
  FileHandle OpenForWriting(std::string_view name) override;
  FileHandle Create(std::string_view name) override;
  // Counts the locks held and taken; never waits.
  FileLockHandle Lock(std::string_view name) override;
  // The new content lands under the name only when the file is closed. Refused like Create,
  // except that an existing file may be replaced while creation fails.
  FileHandle CreateReplacement(std::string_view name) override;
  bool Remove(std::string_view name) override;

  // File contents by name; written bytes land here as they are written.
  std::map<std::string, Bytes, std::less<>> files;
  // Names for which OpenForWriting and Create fail even when the file exists.
  std::set<std::string, std::less<>> read_only;
  // When set, Create fails for every name.
  bool creation_fails = false;
  int locks_held = 0;
  int locks_taken = 0;
};

}  // namespace rolvi::platform

// Files kept in memory, for the headless driver, the fuzzers and the tests: a map from name to
// content, plus names that refuse to be read, opened for writing or created, and a capacity
// that writes cannot pass, so that unreadable, unwritable and full places can be played
// through without a disk.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
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
  FileError LastError() const override { return last_error_; }
  // "memory:" and the name.
  std::string Where(std::string_view name) const override;
  // Refused (kDenied) like Create, except that an existing file may be replaced while creation
  // fails; content larger than the capacity is refused (kFull) and the old content stays.
  FileError ReplaceAtomically(std::string_view name, std::span<const std::uint8_t> bytes) override;
  // Counts the locks held and taken; never waits.
  FileLockHandle Lock(std::string_view name) override;
  bool Remove(std::string_view name) override;

  // File contents by name; written bytes land here as they are written.
  std::map<std::string, Bytes, std::less<>> files;
  // Names for which OpenForReading fails (kDenied) even when the file exists.
  std::set<std::string, std::less<>> unreadable;
  // Names for which OpenForWriting and Create fail (kDenied) even when the file exists.
  std::set<std::string, std::less<>> read_only;
  // When set, Create fails (kDenied) for every name.
  bool creation_fails = false;
  // The most bytes a file may hold; a write past it stores what fits and fails with kFull.
  std::size_t capacity = std::numeric_limits<std::size_t>::max();
  int locks_held = 0;
  int locks_taken = 0;

 private:
  FileHandle Opened(Bytes& content);
  FileHandle Failed(FileError error);

  FileError last_error_ = FileError::kNone;
};

}  // namespace rolvi::platform

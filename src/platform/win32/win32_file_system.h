// The Windows program's files: the disk file system, with a lock that other programs in the
// folder wait for (LockFileEx on a lock file that goes with its last user) and whole-file
// replacement (a new file written beside the old one and moved over it with MoveFileExW).
#pragma once

#include <string_view>
#include <utility>

#include "platform/file_system.h"

namespace rolvi::platform::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  explicit Win32FileSystem(NativePath root) : disk_(std::move(root)) {}

  FileHandle OpenForReading(std::string_view name) override { return disk_.OpenForReading(name); }
  FileHandle OpenForWriting(std::string_view name) override { return disk_.OpenForWriting(name); }
  FileHandle Create(std::string_view name) override { return disk_.Create(name); }
  bool Remove(std::string_view name) override { return disk_.Remove(name); }
  // "NAME.lock" beside the file, open while the lock is held or waited for.
  FileLockHandle Lock(std::string_view name) override;
  // An existing file must be one that OpenForWriting opens.
  FileHandle CreateReplacement(std::string_view name) override;

 private:
  DiskFileSystem disk_;
};

}  // namespace rolvi::platform::win32

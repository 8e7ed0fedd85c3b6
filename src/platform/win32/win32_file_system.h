// The Windows program's files: the disk file system, with a lock that other programs in the
// folder wait for (LockFileEx on a lock file that goes with its last user) and whole-file
// replacement (a new file written beside the old one and moved over it with MoveFileExW).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "platform/file_system.h"

namespace rolvi::platform::win32 {

class Win32FileSystem final : public FileSystem {
 public:
  // `shown_root` as for DiskFileSystem.
  Win32FileSystem(NativePath root, std::string shown_root)
      : disk_(std::move(root), std::move(shown_root)) {}

  FileHandle OpenForReading(std::string_view name) override { return disk_.OpenForReading(name); }
  FileHandle OpenForWriting(std::string_view name) override { return disk_.OpenForWriting(name); }
  FileHandle Create(std::string_view name) override { return disk_.Create(name); }
  FileError LastError() const override { return disk_.LastError(); }
  std::string Where(std::string_view name) const override { return disk_.Where(name); }
  // An existing file must be one that OpenForWriting opens.
  FileError ReplaceAtomically(std::string_view name, std::span<const std::uint8_t> bytes) override;
  // "NAME.lock" beside the file, open while the lock is held or waited for.
  FileLockHandle Lock(std::string_view name) override;
  bool Remove(std::string_view name) override { return disk_.Remove(name); }

 private:
  DiskFileSystem disk_;
};

}  // namespace rolvi::platform::win32

// The file access the core may ask of the system: open an existing file for reading, open an
// existing file for writing without truncating it, create (or truncate) a file, read and write
// bytes, close; replace a file whole, lock it against other programs, remove it. Handles close
// themselves; a failed open or create gives a null handle, and each failure says why, and
// where the file was looked for, so that the player can be told.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace rolvi::platform {

// Why a file could not be opened, created, written or stored.
enum class FileError {
  kNone,
  kNotFound,  // the file, or a folder on the way to it, does not exist
  kDenied,    // no permission, or the storage is disabled
  kReadOnly,  // the file system is mounted read-only
  kFull,      // no space is left
  kNotAFile,  // a FIFO, a device or a folder stands under the name
  kFailed,    // any other failure
};

// What an error number of the C library (errno) says for the player.
FileError FileErrorFromErrno(int number);

// An open file with one position, starting at offset 0.
class File {
 public:
  virtual ~File() = default;

  // Reads up to into.size() bytes at the current position; returns how many were read (fewer
  // at the end of the file or on an error).
  virtual std::size_t Read(std::span<std::uint8_t> into) = 0;

  // Writes the bytes at the current position, overwriting what is there; returns how many
  // were accepted.
  virtual std::size_t Write(std::span<const std::uint8_t> bytes) = 0;

  // Flushes and releases the file. Returns false when data accepted by Write could not be
  // stored. Later calls do nothing and return true; the destructor closes an open file.
  virtual bool Close() = 0;

  // Why the last Write or Close fell short; kNone while nothing did.
  virtual FileError LastError() const = 0;
};

using FileHandle = std::unique_ptr<File>;

// Held while this program changes a file that other programs may change as well; released
// when it goes.
class FileLock {
 public:
  virtual ~FileLock() = default;
};

using FileLockHandle = std::unique_ptr<FileLock>;

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Each returns null when the file cannot be opened or created.
  virtual FileHandle OpenForReading(std::string_view name) = 0;
  // The file must exist; its content stays until overwritten.
  virtual FileHandle OpenForWriting(std::string_view name) = 0;
  // Makes an empty file, truncating one that exists, open for writing.
  virtual FileHandle Create(std::string_view name) = 0;

  // Why the last open or create gave a null handle; kNone after one that succeeded.
  virtual FileError LastError() const = 0;
  // Where a file of this name lives, as the player would look for it: its full name on disk,
  // or the storage that holds it. GBK text, made only when a problem is reported.
  virtual std::string Where(std::string_view name) const = 0;

  // Gives `name` exactly `bytes`, all at once: a reader, or the next start after a crash, finds
  // the old content or the new one, never a mixture. kNone when it was stored; else why not,
  // and the old content stays. The default writes through Create, which is whole where a file
  // is only stored when it is closed.
  virtual FileError ReplaceAtomically(std::string_view name, std::span<const std::uint8_t> bytes);
  // Waits until no other program holds the lock of `name` (two seconds at most, so that a
  // stuck program cannot hang this one) and holds it until the handle goes. Null where no
  // lock can be had; the caller then goes on without one. Here: no lock.
  virtual FileLockHandle Lock(std::string_view name);
  // Deletes the file; true when it is gone or was never there. Here: it is left empty.
  virtual bool Remove(std::string_view name);
};

// A directory name as the system's file calls take it: UTF-16 on Windows, bytes elsewhere.
// (A std::filesystem::path converts to it; the Windows program links no std::filesystem.)
#ifdef _WIN32
using NativePath = std::wstring;
#else
using NativePath = std::string;
#endif

// Files on disk through the C library's streams. Relative names resolve against the
// directory given at construction, not against the process's current directory. Only regular
// files open: a FIFO, a device or a directory is a file that cannot be opened, and opening one
// never waits. On Windows a name must be ASCII, as the program's own names are.
//
// On Linux a replacement is written beside the file and renamed over it (a symbolic link's
// target is replaced, the link kept), and the lock is an flock on the file's directory, so
// that it needs no file of its own. On Windows these are the base class's; the Windows
// program wraps this file system in one of its own that has them.
class DiskFileSystem final : public FileSystem {
 public:
  // `shown_root` is the directory as GBK text for the player, which only the back end can
  // convert; without it every character outside ASCII shows as '?'.
  explicit DiskFileSystem(NativePath root, std::string shown_root = {});

  FileHandle OpenForReading(std::string_view name) override;
  FileHandle OpenForWriting(std::string_view name) override;
  FileHandle Create(std::string_view name) override;
  FileError LastError() const override { return last_error_; }
  std::string Where(std::string_view name) const override;
  bool Remove(std::string_view name) override;
#ifndef _WIN32
  FileLockHandle Lock(std::string_view name) override;
  FileError ReplaceAtomically(std::string_view name, std::span<const std::uint8_t> bytes) override;
#endif

  // Where `name` is: relative names below the root, absolute ones as they are; empty for a
  // name the system cannot take.
  NativePath PathOf(std::string_view name) const;

 private:
  NativePath root_;
  std::string shown_root_;
  FileError last_error_ = FileError::kNone;
};

}  // namespace rolvi::platform

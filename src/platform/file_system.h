// The file access the core may ask of the system: open an existing file for reading, open an
// existing file for writing without truncating it, create (or truncate) a file, read and write
// bytes, close. Handles close themselves; a failed open or create gives a null handle.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace rolvi::platform {

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

  // Waits until no other program holds the lock of `name` (two seconds at most, so that a
  // stuck program cannot hang this one) and holds it until the handle goes. Null where no
  // lock can be had; the caller then goes on without one. Here: no lock.
  virtual FileLockHandle Lock(std::string_view name);
  // A new file that takes the place of `name` as a whole when it is closed: until then `name`
  // keeps its old content, and a reader sees the old content or the new, never a mix. Null
  // where `name` could not be created or overwritten. Close returns false, with `name` left
  // as it was, when the new content could not be stored. Here: Create, written in place.
  virtual FileHandle CreateReplacement(std::string_view name);
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
  explicit DiskFileSystem(NativePath root);

  FileHandle OpenForReading(std::string_view name) override;
  FileHandle OpenForWriting(std::string_view name) override;
  FileHandle Create(std::string_view name) override;
  bool Remove(std::string_view name) override;
#ifndef _WIN32
  FileLockHandle Lock(std::string_view name) override;
  FileHandle CreateReplacement(std::string_view name) override;
#endif

  // Where `name` is: relative names below the root, absolute ones as they are; empty for a
  // name the system cannot take.
  NativePath PathOf(std::string_view name) const;

 private:
  NativePath root_;
};

}  // namespace rolvi::platform

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

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Each returns null when the file cannot be opened or created.
  virtual FileHandle OpenForReading(std::string_view name) = 0;
  // The file must exist; its content stays until overwritten.
  virtual FileHandle OpenForWriting(std::string_view name) = 0;
  // Makes an empty file, truncating one that exists, open for writing.
  virtual FileHandle Create(std::string_view name) = 0;

  // Gives `name` exactly `bytes`, all at once: a reader, or the next start after a crash, finds
  // the old content or the new one, never a mixture. False when it could not be stored; the
  // old content then stays. The default writes through Create, which is whole where a file is
  // only stored when it is closed.
  virtual bool ReplaceAtomically(std::string_view name, std::span<const std::uint8_t> bytes);
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
class DiskFileSystem final : public FileSystem {
 public:
  explicit DiskFileSystem(NativePath root);

  FileHandle OpenForReading(std::string_view name) override;
  FileHandle OpenForWriting(std::string_view name) override;
  FileHandle Create(std::string_view name) override;
  // Writes a temporary file beside `name` and renames it over `name`.
  bool ReplaceAtomically(std::string_view name, std::span<const std::uint8_t> bytes) override;

 private:
  NativePath Join(std::string_view name) const;

  NativePath root_;
};

}  // namespace rolvi::platform

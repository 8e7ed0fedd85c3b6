// The record file kept in the page's storage: one key holds the file's bytes as base64. The
// key is read again whenever the file is opened, since another tab of the page may have
// stored it meanwhile; a file written and closed is stored under the key at once. Storage
// that is disabled or full loses what is written, and says why.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/memory_file_system.h"

namespace rolvi::platform::web {

// Text values under text keys that outlive the page (the browser's local storage).
class KeyValueStore {
 public:
  virtual ~KeyValueStore() = default;
  // Nothing when the key holds nothing or the store cannot be read.
  virtual std::optional<std::string> Read(std::string_view key) = 0;
  // kNone when the value was stored; else kFull, or kDenied when the store is disabled.
  virtual FileError Write(std::string_view key, std::string_view value) = 0;
};

class StorageFileSystem final : public FileSystem {
 public:
  // `file_name` is the one file there is; every other name is a file that does not exist
  // and cannot be made. A value that is not base64 counts as no file.
  StorageFileSystem(KeyValueStore& store, std::string key, std::string file_name);

  FileHandle OpenForReading(std::string_view name) override;
  FileHandle OpenForWriting(std::string_view name) override;
  FileHandle Create(std::string_view name) override;
  FileError LastError() const override { return last_error_; }
  // The page's storage and the key, as the browser's tools show it.
  std::string Where(std::string_view name) const override;
  // Stores the bytes under the key in one step; what is read stays the old content when the
  // store refuses them.
  FileError ReplaceAtomically(std::string_view name, std::span<const std::uint8_t> bytes) override;

 private:
  // The file's bytes live in memory; closing a file that was opened for writing stores them.
  FileHandle Storing(FileHandle file);
  // Takes the key's value as it is now into memory.
  void ReadStore();

  KeyValueStore& store_;
  std::string key_;
  std::string file_name_;
  MemoryFileSystem memory_;
  FileError last_error_ = FileError::kNone;
};

}  // namespace rolvi::platform::web

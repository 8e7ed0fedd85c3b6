#include "platform/web/storage_file_system.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/web/base64.h"

namespace rolvi::platform::web {
namespace {

// A file in memory whose bytes go to the store when it is closed.
class StoringFile final : public File {
 public:
  StoringFile(FileHandle file, std::function<FileError()> store)
      : file_(std::move(file)), store_(std::move(store)) {}
  ~StoringFile() override { Close(); }
  StoringFile(const StoringFile&) = delete;
  StoringFile& operator=(const StoringFile&) = delete;

  std::size_t Read(std::span<std::uint8_t> into) override { return file_->Read(into); }
  std::size_t Write(std::span<const std::uint8_t> bytes) override { return file_->Write(bytes); }
  bool Close() override {
    if (closed_) return true;
    closed_ = true;
    const bool closed = file_->Close();
    error_ = store_();
    return error_ == FileError::kNone && closed;
  }
  FileError LastError() const override {
    return error_ != FileError::kNone ? error_ : file_->LastError();
  }

 private:
  FileHandle file_;
  std::function<FileError()> store_;
  bool closed_ = false;
  FileError error_ = FileError::kNone;
};

}  // namespace

StorageFileSystem::StorageFileSystem(KeyValueStore& store, std::string key, std::string file_name)
    : store_(store), key_(std::move(key)), file_name_(std::move(file_name)) {}

void StorageFileSystem::ReadStore() {
  std::optional<std::vector<std::uint8_t>> bytes;
  if (const std::optional<std::string> value = store_.Read(key_)) bytes = DecodeBase64(*value);
  if (bytes) {
    memory_.files[file_name_] = std::move(*bytes);
  } else {
    memory_.files.erase(file_name_);
  }
}

FileHandle StorageFileSystem::OpenForReading(std::string_view name) {
  last_error_ = FileError::kNotFound;
  if (name != file_name_) return nullptr;
  ReadStore();
  FileHandle file = memory_.OpenForReading(name);
  last_error_ = memory_.LastError();
  return file;
}

FileHandle StorageFileSystem::OpenForWriting(std::string_view name) {
  last_error_ = FileError::kNotFound;
  if (name != file_name_) return nullptr;
  ReadStore();
  return Storing(memory_.OpenForWriting(name));
}

FileHandle StorageFileSystem::Create(std::string_view name) {
  last_error_ = FileError::kDenied;  // no other name can be made
  if (name != file_name_) return nullptr;
  return Storing(memory_.Create(name));
}

FileError StorageFileSystem::ReplaceAtomically(std::string_view name,
                                               std::span<const std::uint8_t> bytes) {
  if (name != file_name_) return FileError::kDenied;  // no other name can be made
  const FileError error = store_.Write(key_, EncodeBase64(bytes));
  if (error == FileError::kNone) memory_.files[file_name_].assign(bytes.begin(), bytes.end());
  return error;
}

std::string StorageFileSystem::Where(std::string_view) const {
  return "localStorage: " + key_;
}

FileHandle StorageFileSystem::Storing(FileHandle file) {
  last_error_ = memory_.LastError();
  if (!file) return nullptr;
  return std::make_unique<StoringFile>(std::move(file), [this] {
    return store_.Write(key_, EncodeBase64(memory_.files[file_name_]));
  });
}

}  // namespace rolvi::platform::web

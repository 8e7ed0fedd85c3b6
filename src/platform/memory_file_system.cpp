#include "platform/memory_file_system.h"

#include <algorithm>
#include <memory>
#include <string>

namespace rolvi::platform {
namespace {

// Reads and writes straight into the map entry, which outlives the handle as long as the
// file system does and the entry is not erased meanwhile.
class MemoryFile final : public File {
 public:
  MemoryFile(MemoryFileSystem::Bytes& content, std::size_t capacity)
      : content_(&content), capacity_(capacity) {}

  std::size_t Read(std::span<std::uint8_t> into) override {
    if (content_ == nullptr || position_ >= content_->size()) return 0;
    const std::size_t count = std::min(into.size(), content_->size() - position_);
    std::copy_n(content_->begin() + static_cast<std::ptrdiff_t>(position_), count, into.begin());
    position_ += count;
    return count;
  }

  std::size_t Write(std::span<const std::uint8_t> bytes) override {
    if (content_ == nullptr) return 0;
    const std::size_t room = position_ < capacity_ ? capacity_ - position_ : 0;
    if (bytes.size() > room) {
      bytes = bytes.first(room);
      last_error_ = FileError::kFull;
    }
    const std::size_t end = position_ + bytes.size();
    if (content_->size() < end) content_->resize(end);
    std::copy(bytes.begin(), bytes.end(),
              content_->begin() + static_cast<std::ptrdiff_t>(position_));
    position_ = end;
    return bytes.size();
  }

  bool Close() override {
    content_ = nullptr;
    return true;
  }

  FileError LastError() const override { return last_error_; }

 private:
  MemoryFileSystem::Bytes* content_;
  std::size_t capacity_;
  std::size_t position_ = 0;
  FileError last_error_ = FileError::kNone;
};

class MemoryLock final : public FileLock {
 public:
  explicit MemoryLock(int& held) : held_(held) { ++held_; }
  MemoryLock(const MemoryLock&) = delete;
  MemoryLock& operator=(const MemoryLock&) = delete;
  ~MemoryLock() override { --held_; }

 private:
  int& held_;
};

}  // namespace

FileLockHandle MemoryFileSystem::Lock(std::string_view) {
  ++locks_taken;
  return std::make_unique<MemoryLock>(locks_held);
}

FileError MemoryFileSystem::ReplaceAtomically(std::string_view name,
                                              std::span<const std::uint8_t> bytes) {
  if (read_only.contains(name) || (creation_fails && !files.contains(name))) {
    return FileError::kDenied;
  }
  if (bytes.size() > capacity) return FileError::kFull;
  files[std::string(name)].assign(bytes.begin(), bytes.end());
  return FileError::kNone;
}

bool MemoryFileSystem::Remove(std::string_view name) {
  if (read_only.contains(name)) return false;
  const auto found = files.find(name);
  if (found != files.end()) files.erase(found);
  return true;
}

FileHandle MemoryFileSystem::OpenForReading(std::string_view name) {
  const auto found = files.find(name);
  if (found == files.end()) return Failed(FileError::kNotFound);
  if (unreadable.contains(name)) return Failed(FileError::kDenied);
  return Opened(found->second);
}

FileHandle MemoryFileSystem::OpenForWriting(std::string_view name) {
  const auto found = files.find(name);
  if (found == files.end()) return Failed(FileError::kNotFound);
  if (read_only.contains(name)) return Failed(FileError::kDenied);
  return Opened(found->second);
}

FileHandle MemoryFileSystem::Create(std::string_view name) {
  if (creation_fails || read_only.contains(name)) return Failed(FileError::kDenied);
  Bytes& content = files[std::string(name)];
  content.clear();
  return Opened(content);
}

std::string MemoryFileSystem::Where(std::string_view name) const {
  return "memory:" + std::string(name);
}

FileHandle MemoryFileSystem::Opened(Bytes& content) {
  last_error_ = FileError::kNone;
  return std::make_unique<MemoryFile>(content, capacity);
}

FileHandle MemoryFileSystem::Failed(FileError error) {
  last_error_ = error;
  return nullptr;
}

}  // namespace rolvi::platform

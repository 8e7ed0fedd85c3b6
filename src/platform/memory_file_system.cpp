#include "platform/memory_file_system.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

namespace rolvi::platform {
namespace {

// Reads and writes straight into the map entry, which outlives the handle as long as the
// file system does and the entry is not erased meanwhile.
class MemoryFile final : public File {
 public:
  explicit MemoryFile(MemoryFileSystem::Bytes& content) : content_(&content) {}

  std::size_t Read(std::span<std::uint8_t> into) override {
    if (content_ == nullptr || position_ >= content_->size()) return 0;
    const std::size_t count = std::min(into.size(), content_->size() - position_);
    std::copy_n(content_->begin() + static_cast<std::ptrdiff_t>(position_), count, into.begin());
    position_ += count;
    return count;
  }

  std::size_t Write(std::span<const std::uint8_t> bytes) override {
    if (content_ == nullptr) return 0;
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

 private:
  MemoryFileSystem::Bytes* content_;
  std::size_t position_ = 0;
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

// Collects the bytes and puts them under the name at Close.
class MemoryReplacement final : public File {
 public:
  MemoryReplacement(MemoryFileSystem& files, std::string name)
      : files_(&files), name_(std::move(name)) {}
  ~MemoryReplacement() override { Close(); }
  MemoryReplacement(const MemoryReplacement&) = delete;
  MemoryReplacement& operator=(const MemoryReplacement&) = delete;

  std::size_t Read(std::span<std::uint8_t>) override { return 0; }
  std::size_t Write(std::span<const std::uint8_t> bytes) override {
    if (files_ == nullptr) return 0;
    content_.insert(content_.end(), bytes.begin(), bytes.end());
    return bytes.size();
  }
  bool Close() override {
    if (files_ == nullptr) return true;
    files_->files[name_] = std::move(content_);
    files_ = nullptr;
    return true;
  }

 private:
  MemoryFileSystem* files_;
  std::string name_;
  MemoryFileSystem::Bytes content_;
};

}  // namespace

FileLockHandle MemoryFileSystem::Lock(std::string_view) {
  ++locks_taken;
  return std::make_unique<MemoryLock>(locks_held);
}

FileHandle MemoryFileSystem::CreateReplacement(std::string_view name) {
  if (read_only.contains(name) || (creation_fails && !files.contains(name))) return nullptr;
  return std::make_unique<MemoryReplacement>(*this, std::string(name));
}

bool MemoryFileSystem::Remove(std::string_view name) {
  if (read_only.contains(name)) return false;
  const auto found = files.find(name);
  if (found != files.end()) files.erase(found);
  return true;
}

FileHandle MemoryFileSystem::OpenForReading(std::string_view name) {
  const auto found = files.find(name);
  if (found == files.end()) return nullptr;
  return std::make_unique<MemoryFile>(found->second);
}

FileHandle MemoryFileSystem::OpenForWriting(std::string_view name) {
  const auto found = files.find(name);
  if (found == files.end() || read_only.contains(name)) return nullptr;
  return std::make_unique<MemoryFile>(found->second);
}

FileHandle MemoryFileSystem::Create(std::string_view name) {
  if (creation_fails || read_only.contains(name)) return nullptr;
  Bytes& content = files[std::string(name)];
  content.clear();
  return std::make_unique<MemoryFile>(content);
}

}  // namespace rolvi::platform

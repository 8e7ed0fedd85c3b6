#include "platform/memory_file_system.h"

#include <algorithm>
#include <memory>

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

}  // namespace

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

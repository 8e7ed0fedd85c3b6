#include "platform/file_system.h"

#include <cstdio>
#include <string>
#include <utility>

namespace rolvi::platform {
namespace {

class DiskFile final : public File {
 public:
  explicit DiskFile(std::FILE* stream) : stream_(stream) {}
  DiskFile(const DiskFile&) = delete;
  DiskFile& operator=(const DiskFile&) = delete;
  ~DiskFile() override { Close(); }

  std::size_t Read(std::span<std::uint8_t> into) override {
    if (stream_ == nullptr || into.empty()) return 0;
    return std::fread(into.data(), 1, into.size(), stream_);
  }

  std::size_t Write(std::span<const std::uint8_t> bytes) override {
    if (stream_ == nullptr || bytes.empty()) return 0;
    return std::fwrite(bytes.data(), 1, bytes.size(), stream_);
  }

  bool Close() override {
    if (stream_ == nullptr) return true;
    const bool stored = std::fclose(stream_) == 0;
    stream_ = nullptr;
    return stored;
  }

 private:
  std::FILE* stream_;
};

std::FILE* OpenStream(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  // Wide names so that a directory outside the ANSI code page still works.
  std::wstring wide_mode;
  for (const char* c = mode; *c != '\0'; ++c)
    wide_mode.push_back(static_cast<wchar_t>(*c));
  return _wfopen(path.c_str(), wide_mode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace

DiskFileSystem::DiskFileSystem(std::filesystem::path root) : root_(std::move(root)) {}

FileHandle DiskFileSystem::Open(std::string_view name, const char* mode) const {
  std::error_code error;
  const std::filesystem::path path = root_ / std::filesystem::path(name);
  // Opening a directory for reading succeeds on some systems; it is not a file.
  if (std::filesystem::is_directory(path, error)) return nullptr;
  std::FILE* stream = OpenStream(path, mode);
  if (stream == nullptr) return nullptr;
  return std::make_unique<DiskFile>(stream);
}

FileHandle DiskFileSystem::OpenForReading(std::string_view name) {
  return Open(name, "rb");
}

// "r+" opens without creating and without truncating, with the position at 0.
FileHandle DiskFileSystem::OpenForWriting(std::string_view name) {
  return Open(name, "r+b");
}

FileHandle DiskFileSystem::Create(std::string_view name) {
  return Open(name, "wb");
}

}  // namespace rolvi::platform

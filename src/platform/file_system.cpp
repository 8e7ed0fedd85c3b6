#include "platform/file_system.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <utility>

#ifdef _WIN32
#include <stdio.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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

enum class Access { kRead, kOverwrite, kCreate };

#ifdef _WIN32

// Wide names so that a directory outside the ANSI code page still works. A device name such as
// CON or NUL opens as a device; only a regular file is taken.
std::FILE* OpenRegularFile(const NativePath& path, Access access) {
  const wchar_t* mode = access == Access::kRead        ? L"rb"
                        : access == Access::kOverwrite ? L"r+b"
                                                       : L"wb";
  std::FILE* stream = _wfopen(path.c_str(), mode);
  if (stream == nullptr) return nullptr;
  struct _stat status {};
  if (_fstat(_fileno(stream), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(stream);
    return nullptr;
  }
  return stream;
}

#else

// Opens without waiting: a FIFO would otherwise block until its other end is opened. What is
// open is then checked, and anything but a regular file (a FIFO, a device, a directory) is
// refused before a byte is read or written. Creating truncates only after that check.
std::FILE* OpenRegularFile(const NativePath& path, Access access) {
  int flags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  const char* mode = "rb";
  switch (access) {
    case Access::kRead:
      flags |= O_RDONLY;
      break;
    case Access::kOverwrite:
      flags |= O_RDWR;
      mode = "r+b";
      break;
    case Access::kCreate:
      flags |= O_WRONLY | O_CREAT;
      mode = "wb";
      break;
  }
  const int descriptor = ::open(path.c_str(), flags, 0666);
  if (descriptor < 0) return nullptr;
  struct stat status {};
  const int status_flags = ::fcntl(descriptor, F_GETFL);
  const bool usable = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
                      status_flags != -1 &&
                      ::fcntl(descriptor, F_SETFL, status_flags & ~O_NONBLOCK) == 0 &&
                      (access != Access::kCreate || ::ftruncate(descriptor, 0) == 0);
  std::FILE* stream = usable ? ::fdopen(descriptor, mode) : nullptr;
  if (stream == nullptr) ::close(descriptor);
  return stream;
}

#endif

FileHandle Open(const NativePath& path, Access access) {
  if (path.empty()) return nullptr;
  std::FILE* stream = OpenRegularFile(path, access);
  if (stream == nullptr) return nullptr;
  return std::make_unique<DiskFile>(stream);
}

}  // namespace

FileLockHandle FileSystem::Lock(std::string_view) {
  return nullptr;
}

FileHandle FileSystem::CreateReplacement(std::string_view name) {
  return Create(name);
}

bool FileSystem::Remove(std::string_view name) {
  FileHandle emptied = Create(name);
  return emptied != nullptr && emptied->Close();
}

DiskFileSystem::DiskFileSystem(NativePath root) : root_(std::move(root)) {}

#ifdef _WIN32

NativePath DiskFileSystem::PathOf(std::string_view name) const {
  NativePath wide;
  for (const char c : name) {
    if (static_cast<unsigned char>(c) >= 0x80) return {};  // not a name this program uses
    wide.push_back(static_cast<wchar_t>(c));
  }
  const bool absolute = (!wide.empty() && (wide[0] == L'\\' || wide[0] == L'/')) ||
                        wide.find(L':') != NativePath::npos;
  if (absolute || root_.empty()) return wide;
  const wchar_t last = root_.back();
  return root_ + (last == L'\\' || last == L'/' ? L"" : L"\\") + wide;
}

#else

NativePath DiskFileSystem::PathOf(std::string_view name) const {
  if ((!name.empty() && name.front() == '/') || root_.empty()) return NativePath(name);
  return root_ + (root_.back() == '/' ? "" : "/") + std::string(name);
}

#endif

FileHandle DiskFileSystem::OpenForReading(std::string_view name) {
  return Open(PathOf(name), Access::kRead);
}

// Opens without creating and without truncating, with the position at 0.
FileHandle DiskFileSystem::OpenForWriting(std::string_view name) {
  return Open(PathOf(name), Access::kOverwrite);
}

FileHandle DiskFileSystem::Create(std::string_view name) {
  return Open(PathOf(name), Access::kCreate);
}

#ifdef _WIN32

bool DiskFileSystem::Remove(std::string_view name) {
  const NativePath path = PathOf(name);
  if (path.empty()) return false;
  struct _stat status {};
  if (_wstat(path.c_str(), &status) != 0) return errno == ENOENT;
  return (status.st_mode & _S_IFMT) == _S_IFREG && _wremove(path.c_str()) == 0;
}

#else

// Only a regular file (or a link) is deleted: a FIFO or a device in its place stays.
bool DiskFileSystem::Remove(std::string_view name) {
  const NativePath path = PathOf(name);
  if (path.empty()) return false;
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return errno == ENOENT;
  if (!S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode)) return false;
  return ::unlink(path.c_str()) == 0 || errno == ENOENT;
}

#endif

}  // namespace rolvi::platform

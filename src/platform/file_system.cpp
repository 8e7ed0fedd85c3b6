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

FileError FileErrorFromErrno(int number) {
  switch (number) {
    case 0:
      return FileError::kFailed;  // failed without saying why
    case ENOENT:
    case ENOTDIR:
      return FileError::kNotFound;
    case EACCES:
    case EPERM:
      return FileError::kDenied;
    case EROFS:
      return FileError::kReadOnly;
    case ENOSPC:
    case EFBIG:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return FileError::kFull;
    case EISDIR:
    case ENXIO:
      return FileError::kNotAFile;
    default:
      return FileError::kFailed;
  }
}

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
    errno = 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stream_);
    if (written < bytes.size()) last_error_ = FileErrorFromErrno(errno);
    return written;
  }

  bool Close() override {
    if (stream_ == nullptr) return true;
    errno = 0;
    const bool stored = std::fclose(stream_) == 0;
    if (!stored) last_error_ = FileErrorFromErrno(errno);
    stream_ = nullptr;
    return stored;
  }

  FileError LastError() const override { return last_error_; }

 private:
  std::FILE* stream_;
  FileError last_error_ = FileError::kNone;
};

enum class Access { kRead, kOverwrite, kCreate };

#ifdef _WIN32

// Wide names so that a directory outside the ANSI code page still works. A device name such as
// CON or NUL opens as a device; only a regular file is taken.
std::FILE* OpenRegularFile(const NativePath& path, Access access, FileError& error) {
  const wchar_t* mode = access == Access::kRead        ? L"rb"
                        : access == Access::kOverwrite ? L"r+b"
                                                       : L"wb";
  errno = 0;
  std::FILE* stream = _wfopen(path.c_str(), mode);
  if (stream == nullptr) {
    error = FileErrorFromErrno(errno);
    // A folder under the name refuses access; it is no file, as on other systems.
    struct _stat status {};
    if (_wstat(path.c_str(), &status) == 0 && (status.st_mode & _S_IFMT) == _S_IFDIR) {
      error = FileError::kNotAFile;
    }
    return nullptr;
  }
  struct _stat status {};
  if (_fstat(_fileno(stream), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(stream);
    error = FileError::kNotAFile;
    return nullptr;
  }
  return stream;
}

#else

// Opens without waiting: a FIFO would otherwise block until its other end is opened. What is
// open is then checked, and anything but a regular file (a FIFO, a device, a directory) is
// refused before a byte is read or written. Creating truncates only after that check.
std::FILE* OpenRegularFile(const NativePath& path, Access access, FileError& error) {
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
  if (descriptor < 0) {
    error = FileErrorFromErrno(errno);
    return nullptr;
  }
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(descriptor);
    error = FileError::kNotAFile;
    return nullptr;
  }
  errno = 0;
  const int status_flags = ::fcntl(descriptor, F_GETFL);
  const bool usable = status_flags != -1 &&
                      ::fcntl(descriptor, F_SETFL, status_flags & ~O_NONBLOCK) == 0 &&
                      (access != Access::kCreate || ::ftruncate(descriptor, 0) == 0);
  std::FILE* stream = usable ? ::fdopen(descriptor, mode) : nullptr;
  if (stream == nullptr) {
    error = FileErrorFromErrno(errno);
    ::close(descriptor);
  }
  return stream;
}

#endif

FileHandle Open(const NativePath& path, Access access, FileError& error) {
  error = FileError::kNone;
  if (path.empty()) {
    error = FileError::kNotFound;
    return nullptr;
  }
  std::FILE* stream = OpenRegularFile(path, access, error);
  if (stream == nullptr) return nullptr;
  return std::make_unique<DiskFile>(stream);
}

// The directory as far as it is ASCII, for a back end that cannot convert it.
std::string AsciiOf(const NativePath& root) {
  std::string shown;
  for (const auto c : root) {
    const auto unit = static_cast<std::uint32_t>(c);
    shown.push_back(unit >= 0x20 && unit < 0x7F ? static_cast<char>(unit) : '?');
  }
  return shown;
}

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

}  // namespace

FileError FileSystem::ReplaceAtomically(std::string_view name,
                                        std::span<const std::uint8_t> bytes) {
  const FileHandle file = Create(name);
  if (!file) return LastError();
  const bool written = bytes.empty() || file->Write(bytes) == bytes.size();
  const bool stored = file->Close() && written;
  if (stored) return FileError::kNone;
  return file->LastError() != FileError::kNone ? file->LastError() : FileError::kFailed;
}

FileLockHandle FileSystem::Lock(std::string_view) {
  return nullptr;
}

bool FileSystem::Remove(std::string_view name) {
  FileHandle emptied = Create(name);
  return emptied != nullptr && emptied->Close();
}

DiskFileSystem::DiskFileSystem(NativePath root, std::string shown_root)
    : root_(std::move(root)),
      shown_root_(shown_root.empty() ? AsciiOf(root_) : std::move(shown_root)) {}

std::string DiskFileSystem::Where(std::string_view name) const {
  const bool absolute = !name.empty() && (name.front() == '/' || name.front() == kSeparator);
  if (shown_root_.empty() || absolute) return std::string(name);
  const char last = shown_root_.back();
  const bool separated = last == '/' || last == kSeparator;
  return shown_root_ + (separated ? "" : std::string(1, kSeparator)) + std::string(name);
}

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
  return Open(PathOf(name), Access::kRead, last_error_);
}

// Opens without creating and without truncating, with the position at 0.
FileHandle DiskFileSystem::OpenForWriting(std::string_view name) {
  return Open(PathOf(name), Access::kOverwrite, last_error_);
}

FileHandle DiskFileSystem::Create(std::string_view name) {
  return Open(PathOf(name), Access::kCreate, last_error_);
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

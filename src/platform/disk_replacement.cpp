// The disk file system's lock and whole-file replacement on POSIX systems: an flock on the
// directory, and a new file written beside the old one, flushed to the disk and renamed over
// it, so that a crash or a power cut leaves the old file or the new one, never a part.
#ifndef _WIN32

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <span>
#include <string>

#include "platform/file_system.h"

namespace rolvi::platform {
namespace {

constexpr int kLockAttempts = 200;
constexpr long kLockRetryNanoseconds = 10'000'000;  // 10 ms: two seconds in all

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

class DirectoryLock final : public FileLock {
 public:
  explicit DirectoryLock(int descriptor) : descriptor_(descriptor) {}
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;
  ~DirectoryLock() override { ::close(descriptor_); }  // closing releases the flock

 private:
  int descriptor_;
};

// Makes the directory's entries (a rename) durable.
void SyncDirectory(const std::string& directory) {
  const int descriptor = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  ::fsync(descriptor);
  ::close(descriptor);
}

// Writes all of `bytes` to the descriptor and flushes them to the disk; the reason when not.
FileError WriteDurably(int descriptor, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t count = ::write(descriptor, bytes.data() + done, bytes.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return FileErrorFromErrno(count < 0 ? errno : ENOSPC);
    done += static_cast<std::size_t>(count);
  }
  return ::fsync(descriptor) == 0 ? FileError::kNone : FileErrorFromErrno(errno);
}

// The file a replacement takes the place of: a link's target, so that the link stays.
bool ResolveTarget(std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return true;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return false;
  path = resolved;
  return true;
}

}  // namespace

FileLockHandle DiskFileSystem::Lock(std::string_view name) {
  const NativePath path = PathOf(name);
  if (path.empty()) return nullptr;
  const int descriptor = ::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) {
      return std::make_unique<DirectoryLock>(descriptor);
    }
    if (errno != EWOULDBLOCK && errno != EINTR) break;  // no locks on this file system
    const timespec pause{0, kLockRetryNanoseconds};
    ::nanosleep(&pause, nullptr);
  }
  ::close(descriptor);
  return nullptr;
}

// A file that exists must be a regular file this program may write, as for Create; the new
// file gets its permissions.
FileError DiskFileSystem::ReplaceAtomically(std::string_view name,
                                            std::span<const std::uint8_t> bytes) {
  std::string target = PathOf(name);
  if (target.empty()) return FileError::kNotFound;
  if (!ResolveTarget(target)) return FileErrorFromErrno(errno);
  struct stat status {};
  const bool exists = ::stat(target.c_str(), &status) == 0;
  if (!exists && errno != ENOENT) return FileErrorFromErrno(errno);
  if (exists && !S_ISREG(status.st_mode)) return FileError::kNotAFile;
  if (exists && ::access(target.c_str(), W_OK) != 0) return FileErrorFromErrno(errno);

  const std::string temporary = target + "." + std::to_string(::getpid()) + ".new";
  ::unlink(temporary.c_str());  // left by an earlier process of the same number
  const int descriptor =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  if (descriptor < 0) return FileErrorFromErrno(errno);
  if (exists) ::fchmod(descriptor, status.st_mode & 07777);
  FileError error = WriteDurably(descriptor, bytes);
  if (::close(descriptor) != 0 && error == FileError::kNone) error = FileErrorFromErrno(errno);
  if (error == FileError::kNone && ::rename(temporary.c_str(), target.c_str()) != 0) {
    error = FileErrorFromErrno(errno);
  }
  if (error != FileError::kNone) {
    ::unlink(temporary.c_str());
    return error;
  }
  SyncDirectory(DirectoryOf(target));
  return FileError::kNone;
}

}  // namespace rolvi::platform

#endif

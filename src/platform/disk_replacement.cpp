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
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <utility>

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

class ReplacementFile final : public File {
 public:
  ReplacementFile(std::FILE* stream, std::string temporary, std::string target)
      : stream_(stream), temporary_(std::move(temporary)), target_(std::move(target)) {}
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  ~ReplacementFile() override { Close(); }

  std::size_t Read(std::span<std::uint8_t>) override { return 0; }

  std::size_t Write(std::span<const std::uint8_t> bytes) override {
    if (stream_ == nullptr || bytes.empty()) return 0;
    const std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), stream_);
    failed_ = failed_ || written != bytes.size();
    return written;
  }

  bool Close() override {
    if (stream_ == nullptr) return true;
    bool stored = !failed_ && std::fflush(stream_) == 0 && ::fsync(::fileno(stream_)) == 0;
    stored = std::fclose(stream_) == 0 && stored;
    stream_ = nullptr;
    stored = stored && ::rename(temporary_.c_str(), target_.c_str()) == 0;
    if (!stored) {
      ::unlink(temporary_.c_str());
      return false;
    }
    SyncDirectory(DirectoryOf(target_));
    return true;
  }

 private:
  std::FILE* stream_;
  std::string temporary_;
  std::string target_;
  bool failed_ = false;
};

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
FileHandle DiskFileSystem::CreateReplacement(std::string_view name) {
  std::string target = PathOf(name);
  if (target.empty() || !ResolveTarget(target)) return nullptr;
  struct stat status {};
  const bool exists = ::stat(target.c_str(), &status) == 0;
  if (!exists && errno != ENOENT) return nullptr;
  if (exists && (!S_ISREG(status.st_mode) || ::access(target.c_str(), W_OK) != 0)) return nullptr;

  const std::string temporary = target + "." + std::to_string(::getpid()) + ".new";
  ::unlink(temporary.c_str());  // left by an earlier process of the same number
  const int descriptor =
      ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
  if (descriptor < 0) return nullptr;
  if (exists) ::fchmod(descriptor, status.st_mode & 07777);
  std::FILE* stream = ::fdopen(descriptor, "wb");
  if (stream == nullptr) {
    ::close(descriptor);
    ::unlink(temporary.c_str());
    return nullptr;
  }
  return std::make_unique<ReplacementFile>(stream, temporary, target);
}

}  // namespace rolvi::platform

#endif

#include "platform/win32/win32_file_system.h"

#include <memory>
#include <span>
#include <string>

#include "platform/win32/win32_api.h"

namespace rolvi::platform::win32 {
namespace {

constexpr int kLockAttempts = 200;
constexpr DWORD kLockRetryMs = 10;  // two seconds in all

class HandleLock final : public FileLock {
 public:
  explicit HandleLock(HANDLE handle) : handle_(handle) {}
  HandleLock(const HandleLock&) = delete;
  HandleLock& operator=(const HandleLock&) = delete;
  ~HandleLock() override {
    OVERLAPPED whole{};
    UnlockFileEx(handle_, 0, 1, 0, &whole);
    CloseHandle(handle_);  // the last handle deletes the lock file
  }

 private:
  HANDLE handle_;
};

// A lock file that another program is done with but still has open is "delete pending" and
// cannot be opened until it is gone: that is waited for like the lock.
HANDLE OpenLockFile(const std::wstring& path) {
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    const HANDLE handle = CreateFileW(
        path.c_str(), GENERIC_READ | GENERIC_WRITE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return handle;
    if (GetLastError() != ERROR_ACCESS_DENIED) break;
    Sleep(kLockRetryMs);
  }
  return INVALID_HANDLE_VALUE;
}

// What a failed file call's GetLastError says for the player.
FileError FileErrorOf(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FileError::kNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return FileError::kDenied;
    case ERROR_WRITE_PROTECT:
      return FileError::kReadOnly;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileError::kFull;
    default:
      return FileError::kFailed;
  }
}

// Writes all of `bytes` and flushes them to the disk.
bool WriteDurably(HANDLE handle, std::span<const std::uint8_t> bytes) {
  DWORD written = 0;
  return (bytes.empty() ||
          (WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size())) &&
         FlushFileBuffers(handle);
}

// Without std::to_wstring, whose formatting brings in much of the C++ library's locale code.
std::wstring Decimal(DWORD value) {
  std::wstring digits;
  do {
    digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + value % 10));
    value /= 10;
  } while (value != 0);
  return digits;
}

}  // namespace

FileLockHandle Win32FileSystem::Lock(std::string_view name) {
  const std::wstring path = disk_.PathOf(name);
  if (path.empty()) return nullptr;
  const HANDLE handle = OpenLockFile(path + L".lock");
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    OVERLAPPED whole{};
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
      return std::make_unique<HandleLock>(handle);
    }
    if (GetLastError() != ERROR_LOCK_VIOLATION) break;
    Sleep(kLockRetryMs);
  }
  CloseHandle(handle);
  return nullptr;
}

FileError Win32FileSystem::ReplaceAtomically(std::string_view name,
                                             std::span<const std::uint8_t> bytes) {
  const std::wstring target = disk_.PathOf(name);
  if (target.empty()) return FileError::kNotFound;
  // A file, a device or a directory there that OpenForWriting refuses is never replaced.
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
      disk_.OpenForWriting(name) == nullptr) {
    return disk_.LastError();
  }
  const std::wstring temporary = target + L"." + Decimal(GetCurrentProcessId()) + L".new";
  const HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return FileErrorOf(GetLastError());
  bool stored = WriteDurably(handle, bytes);
  DWORD error = stored ? ERROR_SUCCESS : GetLastError();
  stored = CloseHandle(handle) != FALSE && stored;
  stored = stored && MoveFileExW(temporary.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
  if (stored) return FileError::kNone;
  if (error == ERROR_SUCCESS) error = GetLastError();
  DeleteFileW(temporary.c_str());
  return FileErrorOf(error);
}

}  // namespace rolvi::platform::win32

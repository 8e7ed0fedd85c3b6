#include "platform/win32/win32_file_system.h"

#include <memory>
#include <string>
#include <utility>

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

class ReplacementFile final : public File {
 public:
  ReplacementFile(HANDLE handle, std::wstring temporary, std::wstring target)
      : handle_(handle), temporary_(std::move(temporary)), target_(std::move(target)) {}
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;
  ~ReplacementFile() override { Close(); }

  std::size_t Read(std::span<std::uint8_t>) override { return 0; }

  std::size_t Write(std::span<const std::uint8_t> bytes) override {
    if (handle_ == INVALID_HANDLE_VALUE || bytes.empty()) return 0;
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
      failed_ = true;
    }
    return written;
  }

  bool Close() override {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    bool stored = !failed_ && FlushFileBuffers(handle_) != FALSE;
    stored = CloseHandle(handle_) != FALSE && stored;
    handle_ = INVALID_HANDLE_VALUE;
    stored = stored && MoveFileExW(temporary_.c_str(), target_.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!stored) DeleteFileW(temporary_.c_str());
    return stored;
  }

 private:
  HANDLE handle_;
  std::wstring temporary_;
  std::wstring target_;
  bool failed_ = false;
};

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

FileHandle Win32FileSystem::CreateReplacement(std::string_view name) {
  const std::wstring target = disk_.PathOf(name);
  if (target.empty()) return nullptr;
  // A file, a device or a directory there that OpenForWriting refuses is never replaced.
  if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
      disk_.OpenForWriting(name) == nullptr) {
    return nullptr;
  }
  const std::wstring temporary = target + L"." + Decimal(GetCurrentProcessId()) + L".new";
  const HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<ReplacementFile>(handle, temporary, target);
}

}  // namespace rolvi::platform::win32

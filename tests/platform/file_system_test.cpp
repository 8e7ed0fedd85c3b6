#include "platform/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <future>
#include <iterator>
#include <memory>

#include "platform/memory_file_system.h"
#include "support/temp_directory.h"

namespace rolvi::platform {
namespace {

using testing::Bytes;
using testing::ReadWholeFile;
using testing::TempDirectory;
using testing::WriteWholeFile;

// The same contract checked on disk and in memory, so the fake cannot drift from the real
// thing. Each fixture seeds files and reads them back its own way.
class DiskFiles {
 public:
  FileSystem& files() { return files_; }
  void Put(const char* name, const Bytes& content) { WriteWholeFile(directory_ / name, content); }
  bool Exists(const char* name) const { return std::filesystem::exists(directory_ / name); }
  Bytes Get(const char* name) const { return ReadWholeFile(directory_ / name); }

 private:
  TempDirectory directory_;
  DiskFileSystem files_{directory_.path()};
};

class MemoryFiles {
 public:
  FileSystem& files() { return files_; }
  void Put(const char* name, const Bytes& content) { files_.files[name] = content; }
  bool Exists(const char* name) const { return files_.files.contains(name); }
  Bytes Get(const char* name) const { return files_.files.at(name); }

 private:
  MemoryFileSystem files_;
};

template <typename Fixture>
class FileSystemContractTest : public ::testing::Test {
 protected:
  Fixture fixture;
};

using Implementations = ::testing::Types<DiskFiles, MemoryFiles>;
TYPED_TEST_SUITE(FileSystemContractTest, Implementations);

// Each failure says the file is not there; the next open that succeeds clears that.
TYPED_TEST(FileSystemContractTest, MissingFileOpensNeitherForReadingNorForWriting) {
  FileSystem& files = this->fixture.files();
  EXPECT_EQ(files.OpenForReading("absent.res"), nullptr);
  EXPECT_EQ(files.LastError(), FileError::kNotFound);
  EXPECT_EQ(files.OpenForWriting("absent.res"), nullptr);
  EXPECT_EQ(files.LastError(), FileError::kNotFound);
  EXPECT_FALSE(this->fixture.Exists("absent.res"));
  EXPECT_NE(files.Create("present.res"), nullptr);
  EXPECT_EQ(files.LastError(), FileError::kNone);
}

TYPED_TEST(FileSystemContractTest, ReadingStopsAtTheEndWithAShortCount) {
  this->fixture.Put("data", {1, 2, 3, 4, 5});
  FileHandle file = this->fixture.files().OpenForReading("data");
  ASSERT_NE(file, nullptr);
  std::array<std::uint8_t, 3> buffer{};
  EXPECT_EQ(file->Read(buffer), 3u);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 3>{1, 2, 3}));
  EXPECT_EQ(file->Read(buffer), 2u);
  EXPECT_EQ(buffer[0], 4);
  EXPECT_EQ(buffer[1], 5);
  EXPECT_EQ(file->Read(buffer), 0u);
  EXPECT_TRUE(file->Close());
  EXPECT_TRUE(file->Close());
  EXPECT_EQ(file->Read(buffer), 0u);
}

TYPED_TEST(FileSystemContractTest, WritingOverwritesFromTheStartAndCreatingTruncatesOrMakesNew) {
  this->fixture.Put("data", {1, 2, 3, 4, 5, 6});
  const std::array<std::uint8_t, 2> bytes{9, 8};
  {
    FileHandle file = this->fixture.files().OpenForWriting("data");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Write(bytes), 2u);
  }  // closed by the handle
  EXPECT_EQ(this->fixture.Get("data"), (Bytes{9, 8, 3, 4, 5, 6}));
  for (const char* name : {"data", "new"}) {
    FileHandle file = this->fixture.files().Create(name);
    ASSERT_NE(file, nullptr) << name;
    EXPECT_EQ(file->Write(bytes), 2u);
    EXPECT_TRUE(file->Close());
    EXPECT_EQ(this->fixture.Get(name), (Bytes{9, 8})) << name;
  }
}

TYPED_TEST(FileSystemContractTest, ReplacingGivesTheFileExactlyTheNewBytesAndRemovingDeletesIt) {
  this->fixture.Put("settings", {1, 2, 3, 4, 5, 6});
  FileSystem& files = this->fixture.files();
  const std::array<std::uint8_t, 2> bytes{9, 8};
  for (const char* name : {"settings", "new"}) {
    EXPECT_EQ(files.ReplaceAtomically(name, bytes), FileError::kNone) << name;
    EXPECT_EQ(this->fixture.Get(name), (Bytes{9, 8})) << name;
  }
  EXPECT_EQ(files.ReplaceAtomically("settings", {}), FileError::kNone);
  EXPECT_EQ(this->fixture.Get("settings"), Bytes{});
  EXPECT_TRUE(files.Remove("new"));
  EXPECT_FALSE(this->fixture.Exists("new"));
  EXPECT_TRUE(files.Remove("new")) << "a file that is not there is gone";
  EXPECT_TRUE(this->fixture.Exists("settings"));
}

std::ptrdiff_t EntriesIn(const std::filesystem::path& directory) {
  return std::distance(std::filesystem::directory_iterator(directory),
                       std::filesystem::directory_iterator());
}

// The new content is written beside the file and renamed over it: a reader that opened the
// old file keeps reading all of the old bytes, a link stays and its target is replaced with
// its mode kept, and no temporary file is left behind.
TEST(DiskFileSystemTest, ReplacingRenamesACompleteNewFileOverTheOld) {
  TempDirectory directory;
  WriteWholeFile(directory / "table", {1, 2, 3});
  std::filesystem::create_symlink("table", directory / "winrolvi.res");
  ::chmod((directory / "table").c_str(), 0640);
  DiskFileSystem files(directory.path());
  FileHandle reader = files.OpenForReading("winrolvi.res");
  ASSERT_NE(reader, nullptr);
  const std::array<std::uint8_t, 4> bytes{7, 7, 7, 7};
  ASSERT_EQ(files.ReplaceAtomically("winrolvi.res", bytes), FileError::kNone);
  std::array<std::uint8_t, 8> buffer{};
  EXPECT_EQ(reader->Read(buffer), 3u);
  EXPECT_EQ(buffer[2], 3);
  EXPECT_TRUE(std::filesystem::is_symlink(directory / "winrolvi.res"));
  EXPECT_EQ(ReadWholeFile(directory / "table"), (Bytes{7, 7, 7, 7}));
  struct stat status {};
  ASSERT_EQ(::stat((directory / "table").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  EXPECT_EQ(EntriesIn(directory.path()), 2);

  // Where nothing can be written, or the name is a directory, nothing is made or changed, and
  // the failure says why.
  std::filesystem::create_directory(directory / "folder");
  EXPECT_EQ(files.ReplaceAtomically("folder", bytes), FileError::kNotAFile);
  EXPECT_FALSE(files.Remove("folder"));
  EXPECT_TRUE(std::filesystem::is_directory(directory / "folder"));
  DiskFileSystem missing(directory / "missing");
  EXPECT_EQ(missing.ReplaceAtomically("rolvi.ini", bytes), FileError::kNotFound);
  EXPECT_FALSE(std::filesystem::exists(directory / "missing"));
}

// Another program (here a second file system on the same folder) waits for the lock until
// its holder lets it go.
TEST(DiskFileSystemTest, ALockIsWaitedForUntilItsHolderLetsGo) {
  TempDirectory directory;
  DiskFileSystem mine(directory.path());
  DiskFileSystem theirs(directory.path());
  FileLockHandle held = mine.Lock("winrolvi.res");
  ASSERT_NE(held, nullptr);
  std::atomic<bool> taken = false;
  auto waiting = std::async(std::launch::async, [&] {
    FileLockHandle lock = theirs.Lock("winrolvi.res");
    taken = true;
    return lock != nullptr;
  });
  EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
  EXPECT_FALSE(taken);
  held.reset();
  EXPECT_TRUE(waiting.get()) << "taken once the holder let go";
  EXPECT_EQ(EntriesIn(directory.path()), 0) << "the lock needs no file";
}

TEST(DiskFileSystemTest, NamesResolveAgainstTheRootAndALinkToARegularFileIsThatFile) {
  // The root is not the current directory; the link is relative to the link's own folder.
  TempDirectory directory;
  std::filesystem::create_directory(directory / "sub");
  WriteWholeFile(directory / "sub" / "table", {1, 2, 3});
  std::filesystem::create_symlink("table", directory / "sub" / "winrolvi.res");
  DiskFileSystem files(directory / "sub");
  std::array<std::uint8_t, 4> buffer{};
  for (const char* name : {"table", "winrolvi.res"}) {
    FileHandle file = files.OpenForReading(name);
    ASSERT_NE(file, nullptr) << name;
    EXPECT_EQ(file->Read(buffer), 3u) << name;
    EXPECT_EQ(buffer[2], 3) << name;
  }
  FileHandle file = files.Create("winrolvi.res");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Write(std::span(buffer).first(1)), 1u);
  EXPECT_TRUE(file->Close());
  EXPECT_EQ(ReadWholeFile(directory / "sub" / "table"), Bytes{1});
}

TEST(DiskFileSystemTest, NothingOpensWhereNothingCanBeWritten) {
  TempDirectory directory;
  WriteWholeFile(directory / "plain", {1});
  std::filesystem::create_directory(directory / "folder");
  // A root that does not exist, and a root that is a regular file.
  for (const auto& root : {directory / "missing", directory / "plain"}) {
    DiskFileSystem files(root);
    EXPECT_EQ(files.Create("x"), nullptr) << root;
    EXPECT_EQ(files.LastError(), FileError::kNotFound) << root;
    EXPECT_EQ(files.OpenForWriting("x"), nullptr) << root;
    EXPECT_EQ(files.OpenForReading("x"), nullptr) << root;
  }
  EXPECT_FALSE(std::filesystem::exists(directory / "missing"));
  // A directory or a device is not a file in any mode; the device stays what it was.
  for (const auto& [root, name] : {std::pair{directory.path(), "folder"}, {"/dev", "null"}}) {
    DiskFileSystem files(root);
    EXPECT_EQ(files.OpenForReading(name), nullptr) << name;
    EXPECT_EQ(files.LastError(), FileError::kNotAFile) << name;
    EXPECT_EQ(files.OpenForWriting(name), nullptr) << name;
    EXPECT_EQ(files.LastError(), FileError::kNotAFile) << name;
    EXPECT_EQ(files.Create(name), nullptr) << name;
    EXPECT_EQ(files.LastError(), FileError::kNotAFile) << name;
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

// Where a file is, as the player is told: the folder as the program shows it, and the name.
// A folder whose name the back end did not convert keeps its ASCII and shows '?' for the rest.
TEST(DiskFileSystemTest, WhereJoinsTheFolderAsShownAndTheName) {
  EXPECT_EQ(DiskFileSystem("/home/ann/rolvi").Where("winrolvi.res"),
            "/home/ann/rolvi/winrolvi.res");
  EXPECT_EQ(DiskFileSystem("/").Where("winrolvi.res"), "/winrolvi.res");
  EXPECT_EQ(DiskFileSystem("/home/\xE7\x8E\x8B").Where("x"),
            "/home/?"
            "?"
            "?/x");
  EXPECT_EQ(DiskFileSystem("/home/\xE7\x8E\x8B", "/home/\xCD\xF5").Where("x"), "/home/\xCD\xF5/x");
  EXPECT_EQ(DiskFileSystem("").Where("winrolvi.res"), "winrolvi.res");
}

TEST(FileErrorTest, TheSystemsErrorNumbersSayWhatThePlayerCanDo) {
  EXPECT_EQ(FileErrorFromErrno(ENOENT), FileError::kNotFound);
  EXPECT_EQ(FileErrorFromErrno(ENOTDIR), FileError::kNotFound);
  EXPECT_EQ(FileErrorFromErrno(EACCES), FileError::kDenied);
  EXPECT_EQ(FileErrorFromErrno(EPERM), FileError::kDenied);
  EXPECT_EQ(FileErrorFromErrno(EROFS), FileError::kReadOnly);
  EXPECT_EQ(FileErrorFromErrno(ENOSPC), FileError::kFull);
  EXPECT_EQ(FileErrorFromErrno(EDQUOT), FileError::kFull);
  EXPECT_EQ(FileErrorFromErrno(EISDIR), FileError::kNotAFile);
  EXPECT_EQ(FileErrorFromErrno(EIO), FileError::kFailed);
  EXPECT_EQ(FileErrorFromErrno(0), FileError::kFailed);
}

// A FIFO, a device or a directory is never the record file: an open that waited for a writer
// or reader would hang the program, and one that succeeded would read or write nothing real.
class SpecialFileTest : public ::testing::Test {
 protected:
  // Whether `open` returned null within two seconds. An open stuck waiting for the other end
  // of the FIFO is released by opening that end, so that the test fails instead of hanging.
  bool RefusesQuickly(const std::function<FileHandle()>& open) {
    auto result = std::async(std::launch::async, open);
    if (result.wait_for(std::chrono::seconds(2)) == std::future_status::timeout) {
      const int other_end = ::open(fifo_.c_str(), O_RDWR | O_NONBLOCK);
      result.wait();
      if (other_end >= 0) ::close(other_end);
      ADD_FAILURE() << "the open blocked on the FIFO";
      return false;
    }
    return result.get() == nullptr;
  }

  bool StillAnEmptyFifo() const {
    struct stat status {};
    return ::stat(fifo_.c_str(), &status) == 0 && S_ISFIFO(status.st_mode) && status.st_size == 0;
  }

  TempDirectory directory_;
  std::filesystem::path fifo_ = directory_ / "winrolvi.res";
  DiskFileSystem files_{directory_.path()};
};

TEST_F(SpecialFileTest, AFifoOpensInNoModeWithOrWithoutAReaderAndStaysAFifo) {
  ASSERT_EQ(::mkfifo(fifo_.c_str(), 0600), 0);
  EXPECT_TRUE(RefusesQuickly([&] { return files_.OpenForReading("winrolvi.res"); }));
  EXPECT_EQ(files_.LastError(), FileError::kNotAFile);
  EXPECT_TRUE(RefusesQuickly([&] { return files_.OpenForWriting("winrolvi.res"); }));
  EXPECT_TRUE(RefusesQuickly([&] { return files_.Create("winrolvi.res"); }));
  // With a reader waiting, an open for writing would succeed at once; the type decides.
  const int reader = ::open(fifo_.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_TRUE(RefusesQuickly([&] { return files_.OpenForWriting("winrolvi.res"); }));
  EXPECT_TRUE(RefusesQuickly([&] { return files_.Create("winrolvi.res"); }));
  ::close(reader);
  EXPECT_EQ(files_.ReplaceAtomically("winrolvi.res", std::array<std::uint8_t, 1>{1}),
            FileError::kNotAFile);
  EXPECT_FALSE(files_.Remove("winrolvi.res"));
  EXPECT_TRUE(StillAnEmptyFifo());
}

TEST(MemoryFileSystemTest, ReadOnlyNamesAndFailingCreationRefuseToWrite) {
  MemoryFileSystem files;
  files.files["locked"] = {1, 2};
  files.read_only.insert("locked");
  EXPECT_NE(files.OpenForReading("locked"), nullptr);
  EXPECT_EQ(files.OpenForWriting("locked"), nullptr);
  EXPECT_EQ(files.Create("locked"), nullptr);
  EXPECT_EQ(files.files["locked"], (MemoryFileSystem::Bytes{1, 2}));
  EXPECT_EQ(files.LastError(), FileError::kDenied);
  EXPECT_EQ(files.ReplaceAtomically("locked", std::array<std::uint8_t, 1>{3}), FileError::kDenied);
  EXPECT_FALSE(files.Remove("locked"));
  EXPECT_EQ(files.files["locked"], (MemoryFileSystem::Bytes{1, 2}));
  files.creation_fails = true;
  EXPECT_EQ(files.Create("other"), nullptr);
  EXPECT_EQ(files.LastError(), FileError::kDenied);
  EXPECT_FALSE(files.files.contains("other"));
  EXPECT_EQ(files.Where("other"), "memory:other");
  EXPECT_EQ(files.ReplaceAtomically("other", std::array<std::uint8_t, 1>{1}), FileError::kDenied);
  EXPECT_FALSE(files.files.contains("other"));
  files.read_only.clear();
  EXPECT_EQ(files.ReplaceAtomically("locked", std::array<std::uint8_t, 1>{3}), FileError::kNone)
      << "an existing file is replaced";
  EXPECT_EQ(files.files["locked"], MemoryFileSystem::Bytes{3});
}

TEST(MemoryFileSystemTest, UnreadableNamesAndAFullDiskFailWithTheirReasons) {
  MemoryFileSystem files;
  files.files["secret"] = {1};
  files.unreadable.insert("secret");
  EXPECT_EQ(files.OpenForReading("secret"), nullptr);
  EXPECT_EQ(files.LastError(), FileError::kDenied);
  EXPECT_NE(files.OpenForWriting("secret"), nullptr);

  files.capacity = 3;
  FileHandle file = files.Create("big");
  ASSERT_NE(file, nullptr);
  const std::array<std::uint8_t, 5> bytes{1, 2, 3, 4, 5};
  EXPECT_EQ(file->Write(std::span(bytes).first(2)), 2u);
  EXPECT_EQ(file->LastError(), FileError::kNone);
  EXPECT_EQ(file->Write(bytes), 1u);  // one more fits
  EXPECT_EQ(file->LastError(), FileError::kFull);
  EXPECT_EQ(files.files["big"], (MemoryFileSystem::Bytes{1, 2, 1}));
  // A replacement that does not fit changes nothing.
  EXPECT_EQ(files.ReplaceAtomically("big", bytes), FileError::kFull);
  EXPECT_EQ(files.files["big"], (MemoryFileSystem::Bytes{1, 2, 1}));
}

}  // namespace
}  // namespace rolvi::platform

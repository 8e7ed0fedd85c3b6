#include "platform/file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <functional>
#include <future>
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

TYPED_TEST(FileSystemContractTest, MissingFileOpensNeitherForReadingNorForWriting) {
  FileSystem& files = this->fixture.files();
  EXPECT_EQ(files.OpenForReading("absent.res"), nullptr);
  EXPECT_EQ(files.OpenForWriting("absent.res"), nullptr);
  EXPECT_FALSE(this->fixture.Exists("absent.res"));
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

TYPED_TEST(FileSystemContractTest, AReplacementTakesThePlaceOfTheFileOnlyWhenClosed) {
  this->fixture.Put("data", {1, 2, 3});
  FileSystem& files = this->fixture.files();
  const std::array<std::uint8_t, 1> bytes{9};
  for (const char* name : {"data", "new"}) {
    FileHandle file = files.CreateReplacement(name);
    ASSERT_NE(file, nullptr) << name;
    EXPECT_EQ(file->Write(bytes), 1u);
    // Until the close the old content, or no file, stands.
    EXPECT_FALSE(this->fixture.Exists("new")) << name;
    EXPECT_EQ(this->fixture.Get("data").size(), name == std::string_view("data") ? 3u : 1u);
    EXPECT_TRUE(file->Close());
    EXPECT_EQ(this->fixture.Get(name), Bytes{9}) << name;
  }
  EXPECT_TRUE(files.Remove("new"));
  EXPECT_FALSE(this->fixture.Exists("new"));
  EXPECT_TRUE(files.Remove("new")) << "a file that is not there is gone";
  EXPECT_EQ(this->fixture.Get("data"), Bytes{9});
}

TEST(DiskFileSystemTest, AReplacementKeepsTheModeAndALinkAndLeavesNoOtherFile) {
  TempDirectory directory;
  WriteWholeFile(directory / "table", {1, 2, 3});
  std::filesystem::create_symlink("table", directory / "winrolvi.res");
  ::chmod((directory / "table").c_str(), 0640);
  DiskFileSystem files(directory.path());
  FileHandle file = files.CreateReplacement("winrolvi.res");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->Write(std::array<std::uint8_t, 2>{7, 8}), 2u);
  EXPECT_TRUE(file->Close());
  EXPECT_TRUE(std::filesystem::is_symlink(directory / "winrolvi.res"));
  EXPECT_EQ(ReadWholeFile(directory / "table"), (Bytes{7, 8}));
  struct stat status {};
  ASSERT_EQ(::stat((directory / "table").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory.path()))
    ++entries;
  EXPECT_EQ(entries, 2) << "no temporary file is left";
  // Nothing replaces a directory.
  std::filesystem::create_directory(directory / "folder");
  EXPECT_EQ(files.CreateReplacement("folder"), nullptr);
  EXPECT_FALSE(files.Remove("folder"));
  EXPECT_TRUE(std::filesystem::is_directory(directory / "folder"));
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
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory.path()))
    ++entries;
  EXPECT_EQ(entries, 0) << "the lock needs no file";
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
    EXPECT_EQ(files.OpenForWriting("x"), nullptr) << root;
    EXPECT_EQ(files.OpenForReading("x"), nullptr) << root;
  }
  EXPECT_FALSE(std::filesystem::exists(directory / "missing"));
  // A directory or a device is not a file in any mode; the device stays what it was.
  for (const auto& [root, name] : {std::pair{directory.path(), "folder"}, {"/dev", "null"}}) {
    DiskFileSystem files(root);
    EXPECT_EQ(files.OpenForReading(name), nullptr) << name;
    EXPECT_EQ(files.OpenForWriting(name), nullptr) << name;
    EXPECT_EQ(files.Create(name), nullptr) << name;
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
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
  EXPECT_TRUE(RefusesQuickly([&] { return files_.OpenForWriting("winrolvi.res"); }));
  EXPECT_TRUE(RefusesQuickly([&] { return files_.Create("winrolvi.res"); }));
  // With a reader waiting, an open for writing would succeed at once; the type decides.
  const int reader = ::open(fifo_.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_TRUE(RefusesQuickly([&] { return files_.OpenForWriting("winrolvi.res"); }));
  EXPECT_TRUE(RefusesQuickly([&] { return files_.Create("winrolvi.res"); }));
  ::close(reader);
  EXPECT_TRUE(RefusesQuickly([&] { return files_.CreateReplacement("winrolvi.res"); }));
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
  EXPECT_EQ(files.CreateReplacement("locked"), nullptr);
  EXPECT_FALSE(files.Remove("locked"));
  files.creation_fails = true;
  EXPECT_EQ(files.Create("other"), nullptr);
  EXPECT_EQ(files.CreateReplacement("other"), nullptr);
  EXPECT_FALSE(files.files.contains("other"));
  files.read_only.clear();
  EXPECT_NE(files.CreateReplacement("locked"), nullptr) << "an existing file is replaced";
}

}  // namespace
}  // namespace rolvi::platform

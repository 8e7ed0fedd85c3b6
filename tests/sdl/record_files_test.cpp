#include "platform/sdl/record_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/temp_directory.h"

namespace rolvi::platform::sdl {
namespace {

using testing::TempDirectory;

// Runs the choice with these arguments; keeps what it wrote for standard error.
class RecordFilesTest : public ::testing::Test {
 protected:
  // The arguments after the program's name.
  std::unique_ptr<FileSystem> Choose(std::initializer_list<const char*> arguments) {
    std::array<const char*, 4> command_line{"rolvi"};
    std::copy(arguments.begin(), arguments.end(), command_line.begin() + 1);
    std::FILE* errors = std::tmpfile();
    auto files =
        RecordFilesFor(std::span(command_line).first(arguments.size() + 1), environment_, errors);
    std::rewind(errors);
    errors_.clear();
    for (int c = std::fgetc(errors); c != EOF; c = std::fgetc(errors))
      errors_.push_back(static_cast<char>(c));
    std::fclose(errors);
    return files;
  }

  // Creates a record file through `files`.
  void Save(FileSystem& files) {
    FileHandle file = files.Create("winrolvi.res");
    ASSERT_NE(file, nullptr);
    const std::array<std::uint8_t, 1> bytes{7};
    EXPECT_EQ(file->Write(bytes), 1u);
  }

  TempDirectory directory_;
  std::string data_home_ = (directory_ / "data").string();
  std::string home_ = (directory_ / "home").string();
  StartEnvironment environment_{data_home_.c_str(), home_.c_str(), directory_ / "here"};
  std::string errors_;
};

// Without arguments the current directory; with the desktop entry's option the data
// directory, made on demand.
TEST_F(RecordFilesTest, TheCurrentDirectoryOrWithTheOptionTheDataDirectory) {
  std::filesystem::create_directory(directory_ / "here");
  EXPECT_NE(RecordFilesFor({}, environment_, stderr), nullptr) << "an empty command line";
  for (const bool user_data : {false, true}) {
    auto files = user_data ? Choose({"--user-data"}) : Choose({});
    ASSERT_NE(files, nullptr);
    Save(*files);
    EXPECT_EQ(std::filesystem::exists(directory_ / "data"), user_data);
    EXPECT_EQ(errors_, "");
  }
  EXPECT_TRUE(std::filesystem::exists(directory_ / "here" / "winrolvi.res"));
  EXPECT_TRUE(std::filesystem::exists(directory_ / "data" / "rolvi" / "winrolvi.res"));
}

TEST_F(RecordFilesTest, UnknownArgumentsGiveAUsageAndNoFiles) {
  for (const char* argument : {"--user", "-h", "", "winrolvi.res", "--keep"}) {
    EXPECT_EQ(Choose({argument}), nullptr) << argument;
    EXPECT_EQ(errors_.rfind("usage: rolvi [--user-data] [--keep-game]\n", 0), 0u) << errors_;
  }
  EXPECT_EQ(Choose({"--user-data", "x"}), nullptr);
  EXPECT_EQ(Choose({"x", "--user-data"}), nullptr);
  EXPECT_FALSE(std::filesystem::exists(directory_ / "data"));
}

// The game in progress is kept with the desktop entry's option or when asked for; the
// classic start from a terminal keeps nothing.
TEST_F(RecordFilesTest, TheGameIsKeptWithTheDataDirectoryOrWhenAsked) {
  using Line = std::vector<const char*>;
  for (const auto& [arguments, keeps] :
       {std::pair{Line{"rolvi"}, false}, std::pair{Line{"rolvi", "--user-data"}, true},
        std::pair{Line{"rolvi", "--keep-game"}, true},
        std::pair{Line{"rolvi", "--keep-game", "--user-data"}, true}, std::pair{Line{}, false}}) {
    EXPECT_EQ(KeepsGame(arguments), keeps) << arguments.size();
    // Only the desktop entry's option remembers the settings.
    EXPECT_EQ(KeepsSettings(arguments),
              arguments.size() > 1 && arguments.back() == std::string_view("--user-data"))
        << arguments.size();
  }
  // --keep-game alone leaves the record file where it was.
  std::filesystem::create_directory(directory_ / "here");
  auto files = Choose({"--keep-game"});
  ASSERT_NE(files, nullptr);
  Save(*files);
  EXPECT_TRUE(std::filesystem::exists(directory_ / "here" / "winrolvi.res"));
  EXPECT_FALSE(std::filesystem::exists(directory_ / "data"));
}

// --help anywhere among the arguments asks for the usage; the program's own name does not.
TEST(HelpOptionTest, HelpAnywhereAmongTheArgumentsAsksForTheUsage) {
  using Line = std::vector<const char*>;
  for (const Line& line : {Line{"rolvi", "--help"}, Line{"rolvi", "--user-data", "--help"},
                           Line{"rolvi", "x", "--help"}}) {
    EXPECT_TRUE(AsksForHelp(line)) << line.back();
  }
  for (const Line& line : {Line{}, Line{"rolvi"}, Line{"--help"}, Line{"rolvi", "--user-data"},
                           Line{"rolvi", "-help"}, Line{"rolvi", "--help=1"}}) {
    EXPECT_FALSE(AsksForHelp(line)) << line.size();
  }
  std::FILE* out = std::tmpfile();
  PrintUsage(out);
  std::rewind(out);
  std::array<char, 256> first_line{};
  ASSERT_NE(std::fgets(first_line.data(), first_line.size(), out), nullptr);
  std::fclose(out);
  EXPECT_STREQ(first_line.data(), "usage: rolvi [--user-data] [--keep-game]\n");
}

TEST_F(RecordFilesTest, ADataDirectoryThatCannotBeMadeIsReportedOnceAndSavesNothing) {
  testing::WriteWholeFile(directory_ / "data", {1});  // a file where the directory would go
  auto files = Choose({"--user-data"});
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(files->OpenForReading("winrolvi.res"), nullptr);
  EXPECT_EQ(files->Create("winrolvi.res"), nullptr);
  EXPECT_EQ(std::count(errors_.begin(), errors_.end(), '\n'), 1) << errors_;
  EXPECT_NE(errors_.find(data_home_ + "/rolvi"), std::string::npos) << errors_;
  EXPECT_NE(errors_.find("cannot be saved"), std::string::npos) << errors_;

  environment_ = {nullptr, nullptr, directory_.path()};
  files = Choose({"--user-data"});
  ASSERT_NE(files, nullptr);
  EXPECT_EQ(files->Create("winrolvi.res"), nullptr);
  EXPECT_FALSE(std::filesystem::exists(directory_ / "winrolvi.res"));
  EXPECT_EQ(std::count(errors_.begin(), errors_.end(), '\n'), 1) << errors_;
}

}  // namespace
}  // namespace rolvi::platform::sdl

#include "platform/sdl/user_data_directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_directory.h"

namespace rolvi::platform::sdl {
namespace {

using testing::TempDirectory;

// An absolute XDG_DATA_HOME wins; otherwise the home directory's .local/share; nothing
// without an absolute directory.
TEST(UserDataDirectoryTest, XdgDataHomeThenTheHomeDirectorysLocalShare) {
  EXPECT_EQ(UserDataDirectory("/data/home", "/home/ada"), "/data/home/rolvi");
  EXPECT_EQ(UserDataDirectory("/data/home", nullptr), "/data/home/rolvi");
  for (const char* ignored : {static_cast<const char*>(nullptr), "", "relative/data", "./x"}) {
    EXPECT_EQ(UserDataDirectory(ignored, "/home/ada"), "/home/ada/.local/share/rolvi")
        << (ignored ? ignored : "unset");
  }
  EXPECT_EQ(UserDataDirectory(nullptr, nullptr), std::nullopt);
  EXPECT_EQ(UserDataDirectory("", ""), std::nullopt);
  EXPECT_EQ(UserDataDirectory("data", "home/ada"), std::nullopt);
}

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return 0;
  return status.st_mode & 07777;
}

TEST(MakePrivateDirectoriesTest, MakesEveryMissingLevelPrivate) {
  TempDirectory directory;
  const mode_t before = ModeOf(directory.path());
  const auto target = directory / ".local" / "share" / "rolvi";
  std::error_code error;
  ASSERT_TRUE(MakePrivateDirectories(target, error)) << error.message();
  EXPECT_TRUE(std::filesystem::is_directory(target));
  for (const auto& made : {directory / ".local", directory / ".local" / "share", target}) {
    EXPECT_EQ(ModeOf(made) & 077, 0u) << made;
  }
  EXPECT_EQ(ModeOf(directory.path()), before) << "an existing directory was changed";
  // Again, with everything in place: nothing to do, and no error.
  EXPECT_TRUE(MakePrivateDirectories(target, error));
  EXPECT_FALSE(error);
}

TEST(MakePrivateDirectoriesTest, TrailingSeparatorsAndLinksToDirectories) {
  TempDirectory directory;
  std::filesystem::create_directory(directory / "real");
  std::filesystem::create_directory_symlink("real", directory / "link");
  std::error_code error;
  ASSERT_TRUE(MakePrivateDirectories((directory / "link" / "rolvi").string() + "/", error))
      << error.message();
  EXPECT_TRUE(std::filesystem::is_directory(directory / "real" / "rolvi"));
}

TEST(MakePrivateDirectoriesTest, AFileInTheWayIsAnError) {
  TempDirectory directory;
  testing::WriteWholeFile(directory / "share", {1});
  std::error_code error;
  EXPECT_FALSE(MakePrivateDirectories(directory / "share", error));
  EXPECT_TRUE(error);
  EXPECT_FALSE(MakePrivateDirectories(directory / "share" / "rolvi", error));
  EXPECT_TRUE(error);
  EXPECT_EQ(testing::ReadWholeFile(directory / "share"), testing::Bytes{1});
}

}  // namespace
}  // namespace rolvi::platform::sdl

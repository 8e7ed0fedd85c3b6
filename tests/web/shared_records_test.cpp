// The page's record table shared with other tabs and kept through a reload: another tab's save
// taken in at once, or at the end of the turn under way; the name typed when the page is
// hidden with the name dialog open; and storage that cannot take the table, told once.
#include <gtest/gtest.h>

#include <vector>

#include "game/kept_game.h"
#include "platform/web/base64.h"
#include "platform/web/storage_file_system.h"
#include "platform/web/web_window_system.h"
#include "records/record_file.h"
#include "res/tables.h"
#include "shell/main_window.h"
#include "support/program_assets.h"
#include "web/fake_page.h"

namespace rolvi::platform::web {
namespace {

using testing::FakePage;
using testing::FakeStore;
using testing::ScriptEnded;

const std::string kKey(kRecordsStorageKey);

std::uint32_t Seed() {
  return 3;
}

const records::DefaultNames& Names() {
  return rolvi::testing::ProgramTexts().default_names;
}

class SharedRecordsTest : public ::testing::Test {
 protected:
  SharedRecordsTest()
      : files(store, kKey, "winrolvi.res"),
        system(page, shell::kMainWindowSize, res::TablesFor("zh-CN"),
               shell::MainWindowIdentity(rolvi::testing::ProgramTexts().title), files, &Seed),
        window(system, rolvi::testing::ProgramAssets(), shell::RecordSaving::kWhenAResultEnters) {}

  // Runs the script, then Alt+x; true when the program ended there.
  bool RunToExit() {
    page.Press("KeyX", "x", kModifierAlt);
    try {
      system.Run(window);
      return true;
    } catch (const ScriptEnded&) {
      return false;
    }
  }

  // Another tab stores a table with these results below the King, and the page says so.
  void AnotherTabStores(std::initializer_list<std::pair<std::string_view, int>> given) {
    page.Do([this, results = std::vector(given)] {
      records::RecordTable table = records::DefaultRecordTable(Names());
      std::size_t index = 0;
      for (const auto& [name, score] : results) {
        records::StoreName(table[index].name, name);
        table[index++].score = static_cast<std::uint16_t>(score);
      }
      store.values[kKey] = EncodeBase64(records::EncodeRecordFile(table));
    });
    page.Push({.kind = PageEvent::Kind::kStorageChanged, .code = {}, .key = {}, .text = {}});
  }
  // The game ends (F4) with `score`, which enters the table and asks for the name.
  void EndGameWith(int score) {
    page.Do([this, score] { const_cast<game::Game&>(window.game()).score.score = score; });
    page.Press("F4", "F4");
  }
  void TypeOver(std::string_view name) {
    page.Press("End", "End");
    for (int i = 0; i < 20; ++i)
      page.Press("Backspace", "Backspace");
    page.Type(name);
  }
  const records::RecordBook& Book() const { return window.game().records; }
  std::string Name(std::size_t index) const {
    return std::string(records::NameText(Book().table[index].name));
  }
  // The name stored at `index`, as the next tab reads it.
  std::string StoredName(std::size_t index) {
    if (!store.values.contains(kKey)) return "<nothing stored>";
    StorageFileSystem stored(store, kKey, "winrolvi.res");
    records::RecordBook book;
    records::LoadRecords(book, stored, Names());
    return std::string(records::NameText(book.table[index].name));
  }

  FakePage page;
  FakeStore store;
  StorageFileSystem files;
  WebWindowSystem system;
  shell::MainWindow window;
};

TEST_F(SharedRecordsTest, AnotherTabsSaveComesInAtOnceAndABetterRecordCrownsItsHolder) {
  StorageFileSystem game_files(store, "rolvi.game", std::string(shell::kKeptGameFileName));
  window.KeepGame({&game_files, std::string(shell::kKeptGameFileName), true, nullptr});
  AnotherTabStores({{"Zed", 500}, {"Alpha", 50}});
  page.Do([&] {
    EXPECT_EQ(Name(0), "Zed");
    EXPECT_EQ(Name(1), "Alpha");
    EXPECT_EQ(Book().recordScore, 500);
    EXPECT_EQ(records::NameText(Book().kingName), "Zed");
    // ...and so does the game kept for a reload.
    const auto kept = game::DecodeKeptGame(DecodeBase64(store.values.at("rolvi.game")).value());
    EXPECT_EQ(kept.game.recordScore, 500);
  });
  // A result entered later merges with them, under them.
  EndGameWith(42);
  page.Type("Bravo");
  page.Press("Enter", "Enter");
  page.Press("Enter", "Enter");
  page.Do([&] {
    EXPECT_EQ(StoredName(0), "Zed");
    EXPECT_EQ(StoredName(1), "Alpha");
    EXPECT_EQ(StoredName(2), "Bravo");
  });
  EXPECT_TRUE(RunToExit());
}

TEST_F(SharedRecordsTest, AChangeWhileTheNameIsAskedWaitsAndTheSaveMergesItBeforeTheList) {
  EndGameWith(42);
  AnotherTabStores({{"Zed", 500}, {"Alpha", 50}});
  page.Do([&] {
    EXPECT_NE(Name(0), "Zed") << "the turn under way keeps its table";
    EXPECT_EQ(Book().recordScore, 100);
  });
  page.Type("Bravo");
  page.Press("Enter", "Enter");
  page.Do([&] {
    // The records list shows both tabs' results, and the table is stored so.
    EXPECT_EQ(Name(1), "Alpha");
    EXPECT_EQ(Name(2), "Bravo");
    EXPECT_EQ(StoredName(2), "Bravo");
    EXPECT_EQ(Book().recordScore, 100) << "the King waits for the turn's end";
  });
  page.Press("Enter", "Enter");
  page.Do([&] { EXPECT_EQ(Book().recordScore, 500); });
  EXPECT_TRUE(RunToExit());
}

TEST_F(SharedRecordsTest, AGameThatBeatTheRecordKeepsItsCrownUntilItEnds) {
  page.Do([&] {
    auto& game = const_cast<game::Game&>(window.game());
    game.score = {.score = 150, .recordBeaten = true};
  });
  AnotherTabStores({{"Zed", 500}});
  page.Do([&] {
    EXPECT_EQ(Name(0), "Zed");
    EXPECT_EQ(Book().recordScore, 100);
  });
  page.Press("F4", "F4");
  page.Press("Enter", "Enter");
  page.Press("Enter", "Enter");
  page.Do([&] {
    EXPECT_EQ(Book().recordScore, 500);
    EXPECT_EQ(records::NameText(Book().kingName), "Zed");
    EXPECT_EQ(Name(1), "Ulvo Dask");
  });
  EXPECT_TRUE(RunToExit());
}

TEST_F(SharedRecordsTest, AHiddenPageKeepsTheValidNameTypedSoFarElseTheNameOffered) {
  EndGameWith(42);
  page.Type("Grace");
  page.Do([&] {
    system.OnPageHidden();
    EXPECT_EQ(StoredName(1), "Grace");
  });
  page.Type("ABCDEFGHIJ");  // too long
  page.Do([&] {
    system.OnPageHidden();
    EXPECT_EQ(StoredName(1), "Ulvo Dask");
  });
  TypeOver("Hilda");
  page.Press("Enter", "Enter");
  page.Press("Enter", "Enter");
  page.Do([&] {
    EXPECT_EQ(StoredName(1), "Hilda");
    EXPECT_EQ(StoredName(2), records::NameText(records::DefaultRecordTable(Names())[1].name))
        << "stored once";
  });
  EXPECT_TRUE(RunToExit());
}

TEST_F(SharedRecordsTest, StorageThatIsFullIsToldOnceHoweverOftenASaveFails) {
  store.full = true;
  EndGameWith(42);
  page.Press("Enter", "Enter");
  page.Press("Enter", "Enter");
  page.Do([&] { system.OnPageHidden(); });
  EndGameWith(30);
  page.Press("Enter", "Enter");
  page.Press("Enter", "Enter");
  page.Do([&] {
    system.OnPageHidden();
    const auto& texts = rolvi::testing::ProgramTexts().file_problems;
    EXPECT_EQ(page.notices(), std::vector<std::string>{std::string(texts.not_saved) +
                                                       "\nlocalStorage: rolvi.records\n" +
                                                       std::string(texts.full)});
    EXPECT_TRUE(store.values.empty());
    EXPECT_EQ(Book().table[2].score, 30) << "both results stay in this tab's table";
  });
  EXPECT_TRUE(RunToExit());
}

}  // namespace
}  // namespace rolvi::platform::web

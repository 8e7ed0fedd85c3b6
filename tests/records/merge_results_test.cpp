#include "records/merge_results.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "records/insert_record.h"
#include "support/fake_record_dialogs.h"
#include "support/record_builders.h"

namespace rolvi::records {
namespace {

using testing::EntryOf;
using testing::FakeRecordDialogs;
using testing::TableWithScores;

const RecordTable kStart = TableWithScores({900, 500, 400, 300, 300, 200, 100, 50, 10, 0});

// `table` after the results entered one after the other, as one program enters them.
RecordTable Entered(RecordTable table,
                    const std::vector<std::pair<std::int32_t, std::string>>& results) {
  RecordBook book;
  book.table = table;
  FakeRecordDialogs dialogs;
  for (const auto& [score, name] : results) {
    dialogs.answers.push_back(name);
    InsertRecord(book, score, dialogs);
  }
  return book.table;
}

std::vector<std::pair<std::string, int>> Listed(const RecordTable& table) {
  std::vector<std::pair<std::string, int>> listed;
  for (const RecordEntry& entry : table)
    listed.emplace_back(NameText(entry.name), entry.score);
  return listed;
}

TEST(MergeResultsTest, WhenNobodyElseWroteTheFileTheMergeIsThisRunsTableByteForByte) {
  // Ties, a result past the end, one that pushes out an earlier one of this run, and names
  // typed over longer ones (their stale bytes included).
  const std::vector<std::vector<std::pair<std::int32_t, std::string>>> runs = {
      {},
      {{300, "Tie"}},
      {{5, "Low"}, {5, "Low"}, {1000, "Top"}},
      {{600, "ThirteenBytes"}, {301, "A"}, {2, "B"}, {11, "C"}, {12, "D"}, {13, "E"}}};
  for (const auto& run : runs) {
    const RecordTable ours = Entered(kStart, run);
    EXPECT_EQ(MergeResults(kStart, kStart, ours), ours) << run.size() << " results";
  }
}

TEST(MergeResultsTest, AnotherProgramsResultsStayAndThisRunsGoInAmongThem) {
  // Anna here and Bert there both started from the same file; Bert saved first.
  const RecordTable ours = Entered(kStart, {{450, "Anna"}, {20, "Anna"}});
  const RecordTable fresh = Entered(kStart, {{700, "Bert"}, {450, "Bert"}});
  const RecordTable merged = MergeResults(fresh, kStart, ours);
  EXPECT_EQ(Listed(merged),
            Listed(Entered(kStart, {{700, "Bert"}, {450, "Bert"}, {450, "Anna"}, {20, "Anna"}})));
  // A result that no longer qualifies against the other program's is dropped.
  const RecordTable full = TableWithScores({990, 980, 970, 960, 950, 940, 930, 920, 910, 905});
  EXPECT_EQ(MergeResults(full, kStart, ours), full);
}

TEST(MergeResultsTest, AResultStoredUnderTheOfferedNameTakesItsFinalNameInPlace) {
  // A save while the name was still asked stored "Ulvo Dask"; the player then typed "Grace".
  const RecordTable stored = Entered(kStart, {{350, "Ulvo Dask"}});
  RecordTable ours = stored;
  StoreName(ours[3].name, "Grace");
  ASSERT_EQ(ours[3].score, 350);
  EXPECT_EQ(MergeResults(stored, stored, ours, stored[3]), ours);
  // Meanwhile another program entered a result above it: the entry moved, and is still found.
  const RecordTable fresh = Entered(stored, {{800, "Bert"}});
  const RecordTable merged = MergeResults(fresh, stored, ours, stored[3]);
  EXPECT_EQ(Listed(merged), Listed(Entered(kStart, {{800, "Bert"}, {350, "Grace"}})));
  EXPECT_EQ(merged[4], ours[3]) << "the whole field as this run typed it";
}

// A table read from a damaged file need not be in order: a result may push out an entry with
// its own score, which is no entry stored under another name.
TEST(MergeResultsTest, AnUnorderedTableLosesNothingButWhatTheResultPushesOut) {
  const RecordTable unordered = TableWithScores({50, 10, 900, 50, 40, 30, 20, 10, 5, 50});
  const RecordTable ours = Entered(unordered, {{50, "Ann"}});
  RecordTable fresh = unordered;  // another program's result took its name there
  StoreName(fresh[4].name, "Zed");
  EXPECT_EQ(Listed(MergeResults(fresh, unordered, ours)), Listed(Entered(fresh, {{50, "Ann"}})));
}

TEST(MergeResultsTest, AResultAlreadyInTheFileIsNotEnteredTwiceButAnEqualNewOneIs) {
  // A write that reached the file although it was reported failed: the file already holds
  // this run's result.
  const RecordTable ours = Entered(kStart, {{250, "Ada"}});
  EXPECT_EQ(Listed(MergeResults(ours, kStart, ours)), Listed(ours));
  // The same name and score in an earlier run's entry is another result: both stand.
  const RecordTable earlier = Entered(kStart, {{250, "Ada"}});
  const RecordTable again = Entered(earlier, {{250, "Ada"}});
  const RecordTable merged = MergeResults(earlier, earlier, again);
  EXPECT_EQ(merged, again);
  EXPECT_EQ(merged[5], EntryOf("Ada", 250));
  EXPECT_EQ(merged[6], EntryOf("Ada", 250));
}

}  // namespace
}  // namespace rolvi::records

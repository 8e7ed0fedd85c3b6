#include "game/kept_game.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <vector>

#include "support/ascii_board.h"

namespace rolvi::game {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A game in the middle of a beaten record, every field away from its default.
KeptGame SampleGame() {
  KeptGame kept;
  kept.supply.board = testing::BoardFromAscii(
      "G........"
      ".R......."
      "..B......"
      "...Y....."
      "....C...."
      ".....M..."
      "......N.."
      ".......G."
      "........R");
  kept.supply.next.colours = {kBrown, kGreen, kCyan};
  kept.supply.random.state = 0xDEADBEEF;
  kept.supply.tally.removed = {0, 5, 0, 10, 0, 0, 7, 123456};
  kept.score = {250, true};
  kept.figures = {62, 6, 0, 6};
  kept.recordScore = 200;
  kept.kingName = records::MakeNameBuffer("\xB9\xFA King");
  kept.lastName = records::MakeNameBuffer("ThirteenBytes");
  kept.lastName[14] = 'x';  // a stale byte after the terminator goes along
  kept.selection = SelectionState::kSelected;
  kept.selectedCell = {4, 4};
  kept.frameCounter = 0xFFFFFFF0u;
  kept.pressCell = {8, 8};
  kept.pressMissed = true;
  kept.showNext = false;
  return kept;
}

Bytes Encoded(const KeptGame& kept) {
  const KeptGameImage image = EncodeKeptGame(kept);
  return Bytes(image.begin(), image.end());
}

// Puts a valid checksum (zlib's CRC-32) over a changed image.
void Reseal(Bytes& bytes) {
  const uLong crc = crc32(0L, bytes.data(), static_cast<uInt>(kKeptGameSize - 4));
  for (int i = 0; i < 4; ++i)
    bytes[kKeptGameSize - 4 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
}

void ExpectSameGame(const KeptGame& a, const KeptGame& b) {
  EXPECT_EQ(a.supply.board, b.supply.board);
  EXPECT_EQ(a.supply.next, b.supply.next);
  EXPECT_EQ(a.supply.random.state, b.supply.random.state);
  EXPECT_EQ(a.supply.tally, b.supply.tally);
  EXPECT_EQ(a.score.score, b.score.score);
  EXPECT_EQ(a.score.recordBeaten, b.score.recordBeaten);
  EXPECT_EQ(a.figures, b.figures);
  EXPECT_EQ(a.recordScore, b.recordScore);
  EXPECT_EQ(a.kingName, b.kingName);
  EXPECT_EQ(a.lastName, b.lastName);
  EXPECT_EQ(a.selection, b.selection);
  EXPECT_EQ(a.selectedCell, b.selectedCell);
  EXPECT_EQ(a.frameCounter, b.frameCounter);
  EXPECT_EQ(a.pressCell, b.pressCell);
  EXPECT_EQ(a.pressMissed, b.pressMissed);
  EXPECT_EQ(a.showNext, b.showNext);
}

TEST(KeptGameTest, EveryFieldComesBackFromTheFileWithItsMagicVersionAndChecksum) {
  const KeptGame sample = SampleGame();
  const Bytes bytes = Encoded(sample);
  ASSERT_EQ(bytes.size(), 184u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), (Bytes{'R', 'L', 'V', 'K', 1, 0, 184, 0}));
  EXPECT_EQ(bytes[8], kGreen);       // cell (0, 0)
  EXPECT_EQ(bytes[8 + 80], kRed);    // cell (8, 8)
  EXPECT_EQ(bytes[89], kBrown);      // the next ball to land
  EXPECT_EQ(bytes[92], 0xEF);        // the random state, little-endian
  EXPECT_EQ(bytes[136], 1 | 4 | 8);  // beaten, selected, press missed; preview off
  EXPECT_EQ(bytes[141], 4 * 9 + 4);  // the selected cell
  Bytes sealed = bytes;
  Reseal(sealed);
  EXPECT_EQ(sealed, bytes) << "the checksum is the standard CRC-32";

  const DecodedKeptGame decoded = DecodeKeptGame(bytes);
  ASSERT_EQ(decoded.outcome, KeptGameRead::kRead);
  ExpectSameGame(decoded.game, sample);
  EXPECT_EQ(Encoded(decoded.game), bytes);
}

TEST(KeptGameTest, CaptureAndResumeCarryTheGameButNotTheRecordTableOrThePath) {
  Game game;
  game.supply.board.at(3, 3) = kBlue;
  game.supply.next.colours = {1, 2, 3};
  game.supply.random.state = 77;
  game.score = {40, false};
  game.figures.playerOffset = 75;
  game.records.recordScore = 100;
  game.records.lastName = records::MakeNameBuffer("Ada");
  game.turn.frameCounter = 9;
  game.turn.pressCell = {3, 3};
  const KeptGame kept = CaptureGame(game, false);
  EXPECT_FALSE(kept.showNext);

  Game resumed;
  resumed.records.table[1].score = 55;  // the table comes from the record file, not from here
  resumed.path.length = 4;
  ResumeGame(resumed, kept);
  ExpectSameGame(CaptureGame(resumed, false), kept);
  EXPECT_EQ(resumed.records.table[1].score, 55);
  EXPECT_EQ(resumed.path.length, 4);
}

TEST(KeptGameTest, HostileOrDamagedFilesAreRefusedWithTheirReason) {
  const Bytes good = Encoded(SampleGame());
  struct Case {
    const char* what;
    std::function<void(Bytes&)> change;
    bool reseal;
    KeptGameRead outcome;
  };
  const auto set = [](std::size_t at, std::uint8_t value) {
    return [at, value](Bytes& bytes) { bytes[at] = value; };
  };
  const auto set32 = [](std::size_t at, std::uint32_t value) {
    return [at, value](Bytes& bytes) {
      for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
  };
  const Case cases[] = {
      {"empty", [](Bytes& b) { b.clear(); }, false, KeptGameRead::kShort},
      {"seven bytes", [](Bytes& b) { b.resize(7); }, false, KeptGameRead::kShort},
      {"cut short", [](Bytes& b) { b.resize(183); }, false, KeptGameRead::kShort},
      {"a record file", [](Bytes& b) { b.assign(160, 0); }, false, KeptGameRead::kNotAKeptGame},
      {"magic", set(0, 'r'), true, KeptGameRead::kNotAKeptGame},
      {"version 0", set(4, 0), true, KeptGameRead::kNotAKeptGame},
      {"version 2", set(4, 2), true, KeptGameRead::kNewerVersion},
      {"version 256", set(5, 1), false, KeptGameRead::kNewerVersion},
      {"longer", [](Bytes& b) { b.push_back(0); }, false, KeptGameRead::kDamaged},
      {"recorded length", set(6, 185), true, KeptGameRead::kDamaged},
      {"a changed cell", set(8 + 40, kGreen), false, KeptGameRead::kDamaged},
      {"a changed checksum", set(183, 0), false, KeptGameRead::kDamaged},
      {"cell code 8", set(8 + 1, 8), true, KeptGameRead::kOutOfRange},
      {"a marked ball", set(8 + 1, 0x41), true, KeptGameRead::kOutOfRange},
      {"a wave number", set(8 + 1, 90), true, KeptGameRead::kOutOfRange},
      {"next colour 0", set(90, 0), true, KeptGameRead::kOutOfRange},
      {"next colour 8", set(91, 8), true, KeptGameRead::kOutOfRange},
      {"a full board", [](Bytes& b) { std::fill_n(b.begin() + 8, 81, kBlue); }, true,
       KeptGameRead::kOutOfRange},
      {"a tally of empty cells", set32(96, 1), true, KeptGameRead::kOutOfRange},
      {"a negative score", set32(128, 0xFFFFFFFFu), true, KeptGameRead::kOutOfRange},
      {"a score past the race's range", set32(128, 17'179'870), true, KeptGameRead::kOutOfRange},
      {"a negative record", set32(132, 0x80000000u), true, KeptGameRead::kOutOfRange},
      {"beaten below the record", set32(132, 250), true, KeptGameRead::kOutOfRange},
      {"an unknown flag", set(136, 1 | 16), true, KeptGameRead::kOutOfRange},
      {"King below his foot plate", set(137, 126), true, KeptGameRead::kOutOfRange},
      {"King frame 7", set(138, 7), true, KeptGameRead::kOutOfRange},
      {"Player below his foot plate", set(139, 200), true, KeptGameRead::kOutOfRange},
      {"crown frame 255", set(140, 255), true, KeptGameRead::kOutOfRange},
      {"beaten, the Player not on top", set(139, 1), true, KeptGameRead::kOutOfRange},
      {"beaten, the crown half built", set(140, 3), true, KeptGameRead::kOutOfRange},
      {"chasing with the King dethroned",
       [&](Bytes& b) {
         set(136, 4 | 8)(b);  // not beaten
         set(137, 0)(b);      // the King on top
       },
       true, KeptGameRead::kOutOfRange},
      {"selected cell 81", set(141, 81), true, KeptGameRead::kOutOfRange},
      {"selected empty cell", set(141, 1), true, KeptGameRead::kOutOfRange},
      {"pressed cell 255", set(142, 255), true, KeptGameRead::kOutOfRange},
      {"reserved byte", set(143, 1), true, KeptGameRead::kOutOfRange},
      {"King's name without its end", [](Bytes& b) { std::fill_n(b.begin() + 148, 16, 'K'); }, true,
       KeptGameRead::kOutOfRange},
      {"last name of 14 bytes", [](Bytes& b) { std::fill_n(b.begin() + 164, 14, 'L'); }, true,
       KeptGameRead::kOutOfRange},
  };
  for (const Case& test : cases) {
    Bytes bytes = good;
    test.change(bytes);
    if (test.reseal) Reseal(bytes);
    EXPECT_EQ(DecodeKeptGame(bytes).outcome, test.outcome) << test.what;
  }
  // The edges that are still a game: the highest score, the King at his lowest, the last
  // cell; and a game chasing the record, with the Player anywhere on his pillar.
  Bytes edges = good;
  set32(128, kMaxKeptScore)(edges);
  set(137, 125)(edges);
  set(142, 80)(edges);
  std::fill_n(edges.begin() + 164, 13, 'L');
  edges[164 + 13] = 0;
  Reseal(edges);
  const DecodedKeptGame decoded = DecodeKeptGame(edges);
  ASSERT_EQ(decoded.outcome, KeptGameRead::kRead);
  EXPECT_EQ(decoded.game.score.score, 17'179'869);
  EXPECT_EQ(decoded.game.pressCell, (CellRef{8, 8}));
  EXPECT_EQ(records::NameLength(decoded.game.lastName), 13u);
  KeptGame chasing = SampleGame();
  chasing.score.recordBeaten = false;
  chasing.figures = {0, 0, 125, 0};
  EXPECT_EQ(DecodeKeptGame(Encoded(chasing)).outcome, KeptGameRead::kRead);
}

}  // namespace
}  // namespace rolvi::game

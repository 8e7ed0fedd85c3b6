#include "game/kept_game.h"

#include <algorithm>

namespace rolvi::game {
namespace {

// Every number little-endian:
//   0   4  magic "RLVK"                 136  1  flags (bits below)
//   4   2  version                      137  1  King's offset, 0..125
//   6   2  length of the file, 184      138  1  King's frame, 0..6
//   8  81  cells, row-major, 0..7       139  1  Player's offset, 0..125
//  89   3  next colours, 1..7           140  1  crown frame, 0..6
//  92   4  random state                 141  1  selected cell, 9 * row + column
//  96  32  removal tally, 8 x 32 bits   142  1  cell of the last press
// 128   4  score                        143  1  0
// 132   4  the King's score             144  4  frame counter
//                                       148 16  the King's name, zero-terminated
//                                       164 16  the last name entered
//                                       180  4  CRC-32 of bytes 0..179
constexpr std::array<std::uint8_t, 4> kMagic = {'R', 'L', 'V', 'K'};
constexpr std::size_t kChecksumOffset = kKeptGameSize - 4;

constexpr std::uint8_t kRecordBeatenBit = 1;
constexpr std::uint8_t kShowNextBit = 2;
constexpr std::uint8_t kSelectedBit = 4;
constexpr std::uint8_t kPressMissedBit = 8;
constexpr std::uint8_t kKnownBits = 15;

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

class Writer {
 public:
  explicit Writer(KeptGameImage& image) : image_(image) {}
  void Byte(std::uint8_t value) { image_[at_++] = value; }
  void Bytes(std::span<const std::uint8_t> values) {
    for (const std::uint8_t value : values)
      Byte(value);
  }
  void U16(std::uint16_t value) {
    Byte(static_cast<std::uint8_t>(value));
    Byte(static_cast<std::uint8_t>(value >> 8));
  }
  void U32(std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
      Byte(static_cast<std::uint8_t>(value >> shift));
  }
  void Name(const records::NameBuffer& name) {
    for (const char c : name)
      Byte(static_cast<std::uint8_t>(c));
  }

 private:
  KeptGameImage& image_;
  std::size_t at_ = 0;
};

// Reads a whole image: the caller has checked its length.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint8_t Byte() { return bytes_[at_++]; }
  std::uint16_t U16() {
    const std::uint16_t low = Byte();
    return static_cast<std::uint16_t>(low | (Byte() << 8));
  }
  std::uint32_t U32() {
    std::uint32_t value = 0;
    for (int shift = 0; shift < 32; shift += 8)
      value |= std::uint32_t{Byte()} << shift;
    return value;
  }
  records::NameBuffer Name() {
    records::NameBuffer name{};
    for (char& c : name)
      c = static_cast<char>(Byte());
    return name;
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

std::uint8_t CellByte(CellRef cell) {
  return static_cast<std::uint8_t>(CellIndex(cell.column, cell.row));
}
CellRef CellOf(std::uint8_t index) {
  return {index % kBoardSide, index / kBoardSide};
}

bool InRange(std::int64_t value, std::int64_t low, std::int64_t high) {
  return value >= low && value <= high;
}

bool NameFits(const records::NameBuffer& name) {
  return records::NameLength(name) <= records::kMaxNameLength;
}

// What a game can hold between turns. A full board has ended; a selected ball stands on its
// cell; the crown passes only above the record, and the figures stand as the race leaves
// them: while chasing, the King crowned on top and the Player without a crown; once the
// record is beaten, the King dethroned and the Player crowned on top. (The crown's passing
// counts the frames up from the chasing state's: from any other they would run past the
// last.)
bool Plausible(const KeptGame& kept, std::uint8_t selected, std::uint8_t pressed) {
  const Board& board = kept.supply.board;
  const bool cells_ok = std::all_of(board.cells.begin(), board.cells.end(),
                                    [](CellCode code) { return code <= kLastColour; });
  const bool next_ok =
      std::all_of(kept.supply.next.colours.begin(), kept.supply.next.colours.end(),
                  [](CellCode code) { return code >= kFirstColour && code <= kLastColour; });
  if (!cells_ok || !next_ok || CountEmptyCells(board) == 0) return false;
  if (kept.supply.tally.removed[kEmpty] != 0) return false;
  if (!InRange(kept.score.score, 0, kMaxKeptScore) || !InRange(kept.recordScore, 0, kMaxKeptScore))
    return false;
  if (kept.score.recordBeaten && kept.score.score <= kept.recordScore) return false;
  const FigureState& figures = kept.figures;
  if (!InRange(figures.kingOffset, 0, kLowestOffset) ||
      !InRange(figures.playerOffset, 0, kLowestOffset))
    return false;
  const bool chasing = figures.kingOffset == 0 && figures.kingFrame == 0 && figures.crownFrame == 0;
  const bool crowned = figures.playerOffset == 0 && figures.kingFrame == kDethronedFrame &&
                       figures.crownFrame == kCrownedFrame;
  if (kept.score.recordBeaten ? !crowned : !chasing) return false;
  if (selected >= kCellCount || pressed >= kCellCount) return false;
  if (kept.selection == SelectionState::kSelected && board.cells[selected] == kEmpty) return false;
  return NameFits(kept.kingName) && NameFits(kept.lastName);
}

}  // namespace

KeptGame CaptureGame(const Game& game, bool showNext) {
  KeptGame kept;
  kept.supply = game.supply;
  kept.score = game.score;
  kept.figures = game.figures;
  kept.recordScore = game.records.recordScore;
  kept.kingName = game.records.kingName;
  kept.lastName = game.records.lastName;
  kept.selection = game.turn.selection;
  kept.selectedCell = game.turn.selectedCell;
  kept.frameCounter = game.turn.frameCounter;
  kept.pressCell = game.turn.pressCell;
  kept.pressMissed = game.turn.pressMissed;
  kept.showNext = showNext;
  return kept;
}

void ResumeGame(Game& game, const KeptGame& kept) {
  game.supply = kept.supply;
  game.score = kept.score;
  game.figures = kept.figures;
  game.records.recordScore = kept.recordScore;
  game.records.kingName = kept.kingName;
  game.records.lastName = kept.lastName;
  game.turn.selection = kept.selection;
  game.turn.selectedCell = kept.selectedCell;
  game.turn.frameCounter = kept.frameCounter;
  game.turn.pressCell = kept.pressCell;
  game.turn.pressMissed = kept.pressMissed;
}

KeptGameImage EncodeKeptGame(const KeptGame& kept) {
  KeptGameImage image{};
  Writer out(image);
  out.Bytes(kMagic);
  out.U16(kKeptGameVersion);
  out.U16(static_cast<std::uint16_t>(kKeptGameSize));
  out.Bytes(kept.supply.board.cells);
  out.Bytes(kept.supply.next.colours);
  out.U32(kept.supply.random.state);
  for (const std::uint32_t removed : kept.supply.tally.removed)
    out.U32(removed);
  out.U32(static_cast<std::uint32_t>(kept.score.score));
  out.U32(static_cast<std::uint32_t>(kept.recordScore));
  out.Byte(static_cast<std::uint8_t>(
      (kept.score.recordBeaten ? kRecordBeatenBit : 0) | (kept.showNext ? kShowNextBit : 0) |
      (kept.selection == SelectionState::kSelected ? kSelectedBit : 0) |
      (kept.pressMissed ? kPressMissedBit : 0)));
  out.Byte(static_cast<std::uint8_t>(std::clamp(kept.figures.kingOffset, 0, 255)));
  out.Byte(kept.figures.kingFrame);
  out.Byte(static_cast<std::uint8_t>(std::clamp(kept.figures.playerOffset, 0, 255)));
  out.Byte(kept.figures.crownFrame);
  out.Byte(CellByte(kept.selectedCell));
  out.Byte(CellByte(kept.pressCell));
  out.Byte(0);
  out.U32(kept.frameCounter);
  out.Name(kept.kingName);
  out.Name(kept.lastName);
  out.U32(Crc32(std::span(image).first(kChecksumOffset)));
  return image;
}

DecodedKeptGame DecodeKeptGame(std::span<const std::uint8_t> bytes) {
  DecodedKeptGame decoded;
  if (bytes.size() < 8) return decoded;  // kShort
  Reader in(bytes);
  for (const std::uint8_t expected : kMagic) {
    if (in.Byte() != expected) {
      decoded.outcome = KeptGameRead::kNotAKeptGame;
      return decoded;
    }
  }
  const std::uint16_t version = in.U16();
  if (version > kKeptGameVersion) {
    decoded.outcome = KeptGameRead::kNewerVersion;
    return decoded;
  }
  if (version < kKeptGameVersion) {
    decoded.outcome = KeptGameRead::kNotAKeptGame;
    return decoded;
  }
  const std::uint16_t length = in.U16();
  if (bytes.size() < kKeptGameSize) return decoded;  // kShort
  Reader checksum(bytes.subspan(kChecksumOffset, 4));
  if (length != kKeptGameSize || bytes.size() != kKeptGameSize ||
      checksum.U32() != Crc32(bytes.first(kChecksumOffset))) {
    decoded.outcome = KeptGameRead::kDamaged;
    return decoded;
  }

  KeptGame& kept = decoded.game;
  for (CellCode& cell : kept.supply.board.cells)
    cell = in.Byte();
  for (CellCode& colour : kept.supply.next.colours)
    colour = in.Byte();
  kept.supply.random.state = in.U32();
  for (std::uint32_t& removed : kept.supply.tally.removed)
    removed = in.U32();
  // Two's complement: values above 2^31 come back negative and fail the range checks.
  kept.score.score = static_cast<std::int32_t>(in.U32());
  kept.recordScore = static_cast<std::int32_t>(in.U32());
  const std::uint8_t flags = in.Byte();
  kept.score.recordBeaten = (flags & kRecordBeatenBit) != 0;
  kept.showNext = (flags & kShowNextBit) != 0;
  kept.selection = (flags & kSelectedBit) != 0 ? SelectionState::kSelected : SelectionState::kNone;
  kept.pressMissed = (flags & kPressMissedBit) != 0;
  kept.figures.kingOffset = in.Byte();
  kept.figures.kingFrame = in.Byte();
  kept.figures.playerOffset = in.Byte();
  kept.figures.crownFrame = in.Byte();
  const std::uint8_t selected = in.Byte();
  const std::uint8_t pressed = in.Byte();
  const std::uint8_t reserved = in.Byte();
  kept.frameCounter = in.U32();
  kept.kingName = in.Name();
  kept.lastName = in.Name();

  if ((flags & ~kKnownBits) != 0 || reserved != 0 || !Plausible(kept, selected, pressed)) {
    decoded.outcome = KeptGameRead::kOutOfRange;
    return decoded;
  }
  kept.selectedCell = CellOf(selected);
  kept.pressCell = CellOf(pressed);
  decoded.outcome = KeptGameRead::kRead;
  return decoded;
}

std::string_view DescribeKeptGameRead(KeptGameRead outcome) {
  switch (outcome) {
    case KeptGameRead::kRead:
      return "read";
    case KeptGameRead::kShort:
      return "it is cut short";
    case KeptGameRead::kNotAKeptGame:
      return "it is not a kept game";
    case KeptGameRead::kNewerVersion:
      return "a newer version of the program wrote it";
    case KeptGameRead::kDamaged:
      return "it is damaged";
    case KeptGameRead::kOutOfRange:
      return "it holds values no game can have";
  }
  return "it cannot be read";
}

}  // namespace rolvi::game

// Feeds arbitrary bytes to the game as its kept game, as they are and again with a right
// header and checksum (zlib's CRC-32) around them, so that the values themselves are tried:
// the reader either refuses them or gives a game that writes back to the very same bytes;
// such a game is then continued for a few turns of clicks and ticks, drawn with the real
// sprite sheet, and must keep every cell, colour, score and figure in range.

#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "game/kept_game.h"
#include "game/turn_flow.h"
#include "game/view.h"
#include "gfx/board_renderer.h"
#include "gfx/figures.h"
#include "gfx/sprite_sheet.h"
#include "platform/software/soft_surface.h"
#include "records/record_dialogs.h"
#include "shell/assets.h"
#include "shell/layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using namespace rolvi;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The game's whole front end, drawing everything at once on a surface of the program's size.
class DrawingFrontend final : public game::View,
                              public platform::Feedback,
                              public records::RecordDialogs {
 public:
  DrawingFrontend(platform::SoftSurface& surface, const gfx::SpriteSheet& sheet,
                  const game::Game& game)
      : surface_(surface), sheet_(sheet), game_(game) {
    shell::PlaceAroundBoard(layout_, surface.width(), surface.height());
    shell::ApplyClientSize(layout_, surface.width(), surface.height());
  }

  void DrawCell(int column, int row, game::CellCode code, int frame) override {
    gfx::DrawCell(surface_, sheet_, layout_.board_origin, column, row, code, frame);
  }
  void DrawBoard() override {
    gfx::DrawBoard(surface_, sheet_, layout_.board_origin, game_.supply.board);
  }
  void DrawNextBalls() override {
    gfx::DrawNextBalls(surface_, sheet_, layout_.preview_origin, game_.supply.next, true);
  }
  void DrawScoreBox(game::ScoreBox, std::uint32_t value) override {
    gfx::DrawScoreBox(surface_, layout_.score_box_origin.x, layout_.score_box_origin.y, value);
  }
  void DrawKing(game::FigureParts parts) override {
    gfx::DrawKing(surface_, sheet_, layout_.king_base, game_.figures,
                  records::NameText(game_.records.kingName), parts);
  }
  void DrawPlayer(game::FigureParts parts, game::BodyUnderCrown body) override {
    gfx::DrawPlayer(surface_, sheet_, layout_.player_base, game_.figures, "Player", parts, body);
  }
  void RequestStatsRefresh() override {}

  void Pause(int) override {}
  bool Beep() override { return false; }
  void ShowMessageBox(std::string_view, std::string_view, platform::MessageIcon) override {}

  void RunNameDialog(records::NameBuffer& lastName) override {
    lastName = records::MakeNameBuffer("Fuzz");
  }
  void ShowRecordsDialog(const records::RecordTable&) override {}

 private:
  platform::SoftSurface& surface_;
  const gfx::SpriteSheet& sheet_;
  const game::Game& game_;
  shell::Layout layout_;
};

struct Drawing {
  platform::SoftSurface surface{612, 374};
  gfx::SpriteSheet sheet;
};

Drawing& SharedDrawing() {
  static const std::unique_ptr<Drawing> drawing = [] {
    auto made = std::make_unique<Drawing>();
    Require(gfx::LoadSpriteSheet(made->surface, shell::SpriteSheetStream(), made->sheet) ==
            gfx::SheetLoad::kLoaded);
    return made;
  }();
  return *drawing;
}

void RequireInRange(const game::Game& game) {
  for (const game::CellCode cell : game.supply.board.cells)
    Require(cell <= game::kLastColour);
  for (const game::CellCode colour : game.supply.next.colours)
    Require(colour >= game::kFirstColour && colour <= game::kLastColour);
  Require(game.score.score >= 0);
  Require(game.figures.kingOffset >= 0 && game.figures.kingOffset <= game::kLowestOffset);
  Require(game.figures.playerOffset >= 0 && game.figures.playerOffset <= game::kLowestOffset);
  Require(game.figures.kingFrame <= 6 && game.figures.crownFrame <= 6);
}

void Continue(std::span<const std::uint8_t> bytes) {
  const game::DecodedKeptGame decoded = game::DecodeKeptGame(bytes);
  if (decoded.outcome != game::KeptGameRead::kRead) return;
  const game::KeptGameImage again = game::EncodeKeptGame(decoded.game);
  Require(bytes.size() == again.size() && std::equal(again.begin(), again.end(), bytes.begin()));

  game::Game game;
  game::ResumeGame(game, decoded.game);
  Require(game::CaptureGame(game, decoded.game.showNext).frameCounter == decoded.game.frameCounter);
  Drawing& drawing = SharedDrawing();
  DrawingFrontend host(drawing.surface, drawing.sheet, game);
  // The texts only go to the message boxes, which show nothing here.
  const game::GameTexts texts{};
  const game::Frontend frontend{host, host, host, texts};
  host.DrawBoard();
  host.DrawNextBalls();
  host.DrawKing(game::FigureParts::kAll);
  host.DrawPlayer(game::FigureParts::kAll, game::BodyUnderCrown::kDraw);

  // Clicks chosen by the game's own random state: every ball, then every cell, in turn.
  std::uint32_t choice = decoded.game.supply.random.state;
  for (int turn = 0; turn < 12; ++turn) {
    choice = choice * 1664525u + 1013904223u;
    const int cell = static_cast<int>((choice >> 8) % game::kCellCount);
    const game::CellRef at{cell % game::kBoardSide, cell / game::kBoardSide};
    game::Press(game, at);
    game::Release(game, frontend, at);
    game::Tick(game, frontend);
    RequireInRange(game);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Continue(std::span(data, size));
  // The same bytes as the values of a well-made file.
  game::KeptGameImage image{'R', 'L', 'V', 'K', 1, 0, game::kKeptGameSize, 0};
  std::copy_n(data, std::min(size, image.size() - 12), image.begin() + 8);
  const uLong crc = crc32(0L, image.data(), static_cast<uInt>(image.size() - 4));
  for (int i = 0; i < 4; ++i)
    image[image.size() - 4 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
  Continue(image);
  return 0;
}

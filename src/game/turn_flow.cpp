#include "game/turn_flow.h"

#include <string_view>

#include "game/score_race.h"
#include "records/insert_record.h"

namespace rolvi::game {
namespace {

constexpr int kMoveStepPause = 50;
constexpr int kJumpFrames = 6;
// How long the selected ball stays hidden when a refused move blinks it instead of a beep.
constexpr int kRefusalBlinkPause = 120;
constexpr int kBallsPerTurn = 3;
constexpr int kBallsPerNewGame = 5;

// GBK " 玩  完  !" (game over!) and the program's title.
constexpr std::string_view kGameOverText = " \xCD\xE6  \xCD\xEA  !";
constexpr std::string_view kProgramTitle = "Color rolvi";

void DrawCellAt(const Game& game, Frontend& frontend, CellRef cell, int frame) {
  frontend.DrawCell(cell.column, cell.row, game.supply.board.at(cell.column, cell.row), frame);
}

void EndGame(Game& game, Frontend& frontend) {
  frontend.ShowMessageBox(kGameOverText, kProgramTitle, platform::MessageIcon::kExclamation);
  records::InsertRecord(game.records, game.score.score, frontend);
  NewGameTransition(game, frontend);
}

void DropTurnBalls(Game& game, Frontend& frontend) {
  for (int ball = 0; ball < kBallsPerTurn; ++ball)
    DropBall(game.supply, frontend);
  if (CountEmptyCells(game.supply.board) > 0) {
    frontend.DrawNextBalls();
    frontend.RequestStatsRefresh();
    return;
  }
  EndGame(game, frontend);
}

void AnimateMove(Game& game, Frontend& frontend) {
  Board& board = game.supply.board;
  const MovePath& path = game.path;
  const CellCode code = game.turn.moveCode;
  for (int step = 0; step + 1 < path.length; ++step) {
    const PathCell from = path.cells[step];
    const PathCell to = path.cells[step + 1];
    board.at(from.column, from.row) = kEmpty;
    frontend.DrawCell(from.column, from.row, kEmpty, 0);
    board.at(to.column, to.row) = code;
    frontend.DrawCell(to.column, to.row, code, step % kJumpFrames);
    frontend.Pause(kMoveStepPause);
  }
  // Finish the jump on the destination, without pauses, so the ball always ends on frame 5.
  const PathCell destination = path.cells[path.length - 1];
  for (int frame = path.length - 1; frame % kJumpFrames != 0; ++frame) {
    frontend.DrawCell(destination.column, destination.row, code, frame % kJumpFrames);
  }
}

void Move(Game& game, Frontend& frontend, CellRef destination) {
  TurnState& turn = game.turn;
  Board& board = game.supply.board;
  turn.moveCode = board.at(turn.selectedCell.column, turn.selectedCell.row);
  if (FindPath(board, game.path, turn.selectedCell.column, turn.selectedCell.row,
               destination.column, destination.row) == Route::kBlocked) {
    // Where nothing can be heard the refusal is shown: the ball blinks once.
    if (!frontend.Beep()) {
      const CellRef cell = turn.selectedCell;
      frontend.DrawCell(cell.column, cell.row, kEmpty, 0);
      frontend.Pause(kRefusalBlinkPause);
      frontend.DrawCell(cell.column, cell.row, turn.moveCode, 0);
    }
    return;
  }
  turn.selection = SelectionState::kNone;
  AnimateMove(game, frontend);

  const std::uint32_t sum = DetectLines(board, destination.column, destination.row, turn.moveCode);
  if (sum > 0) {
    RemoveMarkedBalls(board, game.supply.tally, frontend);
    AddScore(game, frontend, static_cast<std::int32_t>(LineScore(sum)));
    return;
  }
  DropTurnBalls(game, frontend);
}

}  // namespace

std::optional<CellRef> CellAtPoint(const Layout& layout, int x, int y) {
  const int dx = x - layout.board_origin.x;
  const int dy = y - layout.board_origin.y;
  if (dx < 0 || dy < 0) return std::nullopt;
  const int column = dx / kCellPitch;
  const int row = dy / kCellPitch;
  if (column >= kBoardSide || row >= kBoardSide) return std::nullopt;
  return CellRef{column, row};
}

void Press(Game& game, int x, int y) {
  const std::optional<CellRef> cell = CellAtPoint(game.layout, x, y);
  game.turn.pressMissed = !cell.has_value();
  if (cell) game.turn.pressCell = *cell;
}

void Release(Game& game, Frontend& frontend, int x, int y) {
  const std::optional<CellRef> cell = CellAtPoint(game.layout, x, y);
  TurnState& turn = game.turn;
  if (!cell || turn.pressMissed || *cell != turn.pressCell) return;

  const bool ball = game.supply.board.at(cell->column, cell->row) != kEmpty;
  if (turn.selection == SelectionState::kNone) {
    if (!ball) return;
    turn.selection = SelectionState::kSelected;
    turn.selectedCell = *cell;
    turn.frameCounter = 3;  // the jump starts at the next tick with frame 4
    return;
  }
  if (ball) {
    DrawCellAt(game, frontend, turn.selectedCell, 0);
    turn.selectedCell = *cell;
    turn.frameCounter |= 3;
    return;
  }
  Move(game, frontend, *cell);
}

void Tick(Game& game, Frontend& frontend) {
  TurnState& turn = game.turn;
  ++turn.frameCounter;
  if (turn.selection != SelectionState::kSelected) return;
  DrawCellAt(game, frontend, turn.selectedCell, static_cast<int>(turn.frameCounter % kJumpFrames));
}

void NewGameCommand(Game& game, Frontend& frontend) {
  game.turn.selection = SelectionState::kNone;
  records::InsertRecord(game.records, game.score.score, frontend);
  NewGameTransition(game, frontend);
}

void SetUpNewGame(Game& game, Frontend& frontend) {
  BallSupply& supply = game.supply;
  supply.board = Board{};
  supply.tally = RemovalTally{};
  RefillNextBalls(supply.next, supply.random);
  frontend.DrawBoard();
  for (int ball = 0; ball < kBallsPerNewGame; ++ball)
    DropBall(supply, frontend);
  game.score.score = 0;
  game.score.recordBeaten = false;
  frontend.DrawScoreBox(kRecordBoxOrigin.x, kRecordBoxOrigin.y,
                        static_cast<std::uint32_t>(game.records.recordScore));
  frontend.DrawScoreBox(game.layout.score_box_origin.x, game.layout.score_box_origin.y,
                        static_cast<std::uint32_t>(game.score.score));
  frontend.DrawNextBalls();
}

}  // namespace rolvi::game

#include "game/turn_flow.h"

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

void DrawCellAt(const Game& game, const Frontend& frontend, CellRef cell, int frame) {
  frontend.view.DrawCell(cell.column, cell.row, game.supply.board.at(cell.column, cell.row), frame);
}

void EndGame(Game& game, const Frontend& frontend) {
  frontend.view.GameOver();
  frontend.feedback.ShowMessageBox(frontend.texts.game_over, frontend.texts.title,
                                   platform::MessageIcon::kExclamation);
  records::InsertRecord(game.records, game.score.score, frontend.dialogs);
  NewGameTransition(game, frontend);
}

void DropTurnBalls(Game& game, const Frontend& frontend) {
  for (int ball = 0; ball < kBallsPerTurn; ++ball)
    DropBall(game.supply, frontend);
  if (CountEmptyCells(game.supply.board) > 0) {
    frontend.view.DrawNextBalls();
    frontend.view.RequestStatsRefresh();
    return;
  }
  // The statistics window counts the full board while the game-over box is up.
  frontend.view.RequestStatsRefresh();
  EndGame(game, frontend);
}

void AnimateMove(Game& game, const Frontend& frontend) {
  Board& board = game.supply.board;
  const MovePath& path = game.path;
  const CellCode code = game.turn.moveCode;
  for (int step = 0; step + 1 < path.length; ++step) {
    const CellRef from = path.cells[step];
    const CellRef to = path.cells[step + 1];
    board.at(from.column, from.row) = kEmpty;
    frontend.view.DrawCell(from.column, from.row, kEmpty, 0);
    board.at(to.column, to.row) = code;
    frontend.view.DrawCell(to.column, to.row, code, step % kJumpFrames);
    frontend.feedback.Pause(kMoveStepPause);
  }
  // Finish the jump on the destination, without pauses, so the ball always ends on frame 5.
  const CellRef destination = path.cells[path.length - 1];
  for (int frame = path.length - 1; frame % kJumpFrames != 0; ++frame) {
    frontend.view.DrawCell(destination.column, destination.row, code, frame % kJumpFrames);
  }
}

void Move(Game& game, const Frontend& frontend, CellRef destination) {
  TurnState& turn = game.turn;
  Board& board = game.supply.board;
  turn.moveCode = board.at(turn.selectedCell.column, turn.selectedCell.row);
  if (FindPath(board, game.path, turn.selectedCell.column, turn.selectedCell.row,
               destination.column, destination.row) == Route::kBlocked) {
    // Where nothing can be heard the refusal is shown: the ball blinks once.
    if (!frontend.feedback.Beep()) {
      const CellRef cell = turn.selectedCell;
      frontend.view.DrawCell(cell.column, cell.row, kEmpty, 0);
      frontend.feedback.Pause(kRefusalBlinkPause);
      frontend.view.DrawCell(cell.column, cell.row, turn.moveCode, 0);
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

void Press(Game& game, std::optional<CellRef> cell) {
  game.turn.pressMissed = !cell.has_value();
  if (cell) game.turn.pressCell = *cell;
}

void Release(Game& game, const Frontend& frontend, std::optional<CellRef> cell) {
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

bool TickDrawsNothing(const Game& game) {
  return game.turn.selection != SelectionState::kSelected;
}

void SkipTicks(Game& game, std::uint32_t count) {
  game.turn.frameCounter += count;  // unsigned: wraps as the single steps would
}

void Tick(Game& game, const Frontend& frontend) {
  TurnState& turn = game.turn;
  ++turn.frameCounter;
  if (turn.selection != SelectionState::kSelected) return;
  DrawCellAt(game, frontend, turn.selectedCell, static_cast<int>(turn.frameCounter % kJumpFrames));
}

void NewGameCommand(Game& game, const Frontend& frontend) {
  game.turn.selection = SelectionState::kNone;
  records::InsertRecord(game.records, game.score.score, frontend.dialogs);
  NewGameTransition(game, frontend);
}

void SetUpNewGame(Game& game, const Frontend& frontend) {
  BallSupply& supply = game.supply;
  supply.board = Board{};
  supply.tally = RemovalTally{};
  RefillNextBalls(supply.next, supply.random);
  frontend.view.DrawBoard();
  for (int ball = 0; ball < kBallsPerNewGame; ++ball)
    DropBall(supply, frontend);
  game.score.score = 0;
  game.score.recordBeaten = false;
  frontend.view.DrawScoreBox(ScoreBox::kRecord,
                             static_cast<std::uint32_t>(game.records.recordScore));
  frontend.view.DrawScoreBox(ScoreBox::kCurrent, static_cast<std::uint32_t>(game.score.score));
  frontend.view.DrawNextBalls();
}

}  // namespace rolvi::game

#include "game/score_race.h"

#include <algorithm>

#include "game/turn_flow.h"

namespace rolvi::game {
namespace {

constexpr int kRacePixelPause = 25;
constexpr int kCrownFramePause = 150;
constexpr int kReturnStepPause = 15;
constexpr int kReturnStep = 4;
constexpr int kFlourishCount = 3;

void SinkKing(Game& game, const Frontend& frontend) {
  FigureState& figures = game.figures;
  const std::int32_t target = KingTargetOffset(game.score.score, game.records.recordScore);
  // The King only ever sinks: a growing score never puts his target above him.
  while (figures.kingOffset < target) {
    ++figures.kingOffset;
    frontend.view.DrawKing(FigureParts::kBodyOnly);
    frontend.feedback.Pause(kRacePixelPause);
  }
}

void RaisePlayer(Game& game, const Frontend& frontend) {
  FigureState& figures = game.figures;
  const std::int32_t target = PlayerTargetOffset(game.score.score, game.records.recordScore);
  while (figures.playerOffset > target) {
    --figures.playerOffset;
    frontend.view.DrawPlayer(FigureParts::kBodyOnly, BodyUnderCrown::kLeave);
    frontend.feedback.Pause(kRacePixelPause);
  }
}

void PassCrown(Game& game, const Frontend& frontend) {
  FigureState& figures = game.figures;
  for (int step = 0; step < kDethronedFrame; ++step) {
    ++figures.kingFrame;
    ++figures.crownFrame;
    frontend.view.DrawKing(FigureParts::kBodyOnly);
    frontend.view.DrawPlayer(FigureParts::kBodyOnly, BodyUnderCrown::kLeave);
    frontend.feedback.Pause(kCrownFramePause);
  }
  for (int flourish = 0; flourish < kFlourishCount; ++flourish) {
    // Frames 5 and 6 differ in the raised sword.
    figures.crownFrame = kCrownedFrame - 1;
    frontend.view.DrawPlayer(FigureParts::kBodyOnly, BodyUnderCrown::kLeave);
    frontend.feedback.Pause(kCrownFramePause);
    figures.crownFrame = kCrownedFrame;
    frontend.view.DrawPlayer(FigureParts::kBodyOnly, BodyUnderCrown::kLeave);
    frontend.feedback.Pause(kCrownFramePause);
  }
  game.score.recordBeaten = true;
}

void CrownKingAgain(Game& game, const Frontend& frontend) {
  FigureState& figures = game.figures;
  game.records.kingName = game.records.lastName;
  game.records.recordScore = game.score.score;
  frontend.view.DrawKing(FigureParts::kAll);
  while (figures.kingFrame > 0) {
    --figures.kingFrame;
    frontend.view.DrawKing(FigureParts::kBodyOnly);
    frontend.feedback.Pause(kCrownFramePause);
  }
  while (figures.kingOffset != 0) {
    figures.kingOffset = std::max(figures.kingOffset - kReturnStep, 0);
    frontend.view.DrawKing(FigureParts::kBodyOnly);
    frontend.feedback.Pause(kReturnStepPause);
  }
}

void ReturnPlayer(Game& game, const Frontend& frontend) {
  FigureState& figures = game.figures;
  while (figures.crownFrame > 0) {
    --figures.crownFrame;
    frontend.view.DrawPlayer(FigureParts::kBodyOnly, BodyUnderCrown::kLeave);
    frontend.feedback.Pause(kCrownFramePause);
  }
  while (figures.playerOffset != kLowestOffset) {
    figures.playerOffset = std::min(figures.playerOffset + kReturnStep, kLowestOffset);
    frontend.view.DrawPlayer(FigureParts::kBodyOnly, BodyUnderCrown::kLeave);
    frontend.feedback.Pause(kReturnStepPause);
  }
}

}  // namespace

std::int32_t PlayerTargetOffset(std::int32_t score, std::int32_t recordScore) {
  if (recordScore <= 0) return 0;
  // 64-bit product: scores beyond 17 million would overflow 32 bits.
  const std::int64_t risen = std::int64_t{score} * kLowestOffset / recordScore;
  return static_cast<std::int32_t>(
      std::clamp<std::int64_t>(kLowestOffset - risen, 0, kLowestOffset));
}

std::int32_t KingTargetOffset(std::int32_t score, std::int32_t recordScore) {
  if (recordScore <= 0) return kLowestOffset;
  const std::int64_t sunk = (std::int64_t{score} - recordScore) * kLowestOffset / recordScore;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(sunk, 0, kLowestOffset));
}

void AddScore(Game& game, const Frontend& frontend, std::int32_t points) {
  ScoreState& state = game.score;
  // Saturate rather than overflow; no game comes anywhere near.
  state.score = static_cast<std::int32_t>(
      std::min<std::int64_t>(std::int64_t{state.score} + points, INT32_MAX));
  frontend.view.DrawScoreBox(ScoreBox::kCurrent, static_cast<std::uint32_t>(state.score));
  if (state.recordBeaten) {
    SinkKing(game, frontend);
    return;
  }
  RaisePlayer(game, frontend);
  if (state.score <= game.records.recordScore) return;
  PassCrown(game, frontend);
}

void NewGameTransition(Game& game, const Frontend& frontend) {
  if (game.score.recordBeaten) CrownKingAgain(game, frontend);
  ReturnPlayer(game, frontend);
  SetUpNewGame(game, frontend);
  frontend.view.RequestStatsRefresh();
}

}  // namespace rolvi::game

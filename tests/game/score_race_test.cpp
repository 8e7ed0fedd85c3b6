#include "game/score_race.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/recording_host.h"

namespace rolvi::game {
namespace {

using testing::KingDrawn;
using testing::Paused;
using testing::PlayerDrawn;
using testing::RecordingHost;

class ScoreRaceTest : public ::testing::Test {
 protected:
  void Race(std::int32_t recordScore, std::int32_t score) {
    game.records.recordScore = recordScore;
    game.score.score = score;
    game.figures.playerOffset = PlayerTargetOffset(score, recordScore);
  }

  Game game;
  RecordingHost host;
};

TEST_F(ScoreRaceTest, PlayerRisesOnePixelPer25MillisecondsUpToTheTopOnAnEqualScore) {
  Race(100, 0);
  AddScore(game, host, 10);
  EXPECT_EQ(game.figures.playerOffset, 113);
  EXPECT_EQ(host.Count<PlayerDrawn>(), 12);
  EXPECT_EQ(host.clock_ms, 12 * 25);
  EXPECT_EQ(host.events.front(),
            testing::HostEvent(testing::ScoreBoxDrawn{ScoreBox::kCurrent, 10}));
  EXPECT_FALSE(game.score.recordBeaten);

  Race(300, 0);
  AddScore(game, host, 10);
  EXPECT_EQ(game.figures.playerOffset, 121);

  // An equal score reaches the top without taking the crown.
  Race(100, 90);
  AddScore(game, host, 10);
  EXPECT_EQ(game.figures.playerOffset, 0);
  EXPECT_FALSE(game.score.recordBeaten);
  EXPECT_EQ(game.figures.kingFrame, 0);
}

TEST_F(ScoreRaceTest, OneLineFromBelowToAboveRisesThenPassesTheCrown) {
  Race(100, 95);
  const std::int32_t rise = game.figures.playerOffset;  // 7 pixels to go
  AddScore(game, host, 12);
  EXPECT_EQ(game.figures.playerOffset, 0);
  EXPECT_EQ(game.figures.kingFrame, kDethronedFrame);
  EXPECT_EQ(game.figures.crownFrame, kCrownedFrame);
  EXPECT_TRUE(game.score.recordBeaten);
  EXPECT_EQ(host.clock_ms, rise * 25 + 1800);

  // The crown transfer: six steps of both figures, then the flourish 5, 6 three times.
  EXPECT_EQ(host.Count<Paused>(), rise + 12);
  EXPECT_EQ(host.Count<KingDrawn>(), 6);
  EXPECT_EQ(game.figures.kingOffset, 0);  // he only starts to sink at the next points
}

TEST_F(ScoreRaceTest, KingSinksWithTheScoreBeyondTheRecord) {
  Race(100, 101);
  game.score.recordBeaten = true;
  game.figures.kingFrame = kDethronedFrame;
  AddScore(game, host, 49);
  EXPECT_EQ(game.figures.kingOffset, 62);
  EXPECT_EQ(host.Count<KingDrawn>(), 62);
  AddScore(game, host, 100);
  EXPECT_EQ(game.figures.kingOffset, 125);
}

TEST_F(ScoreRaceTest, ARecordOfZeroAndHugeScoresStayInRange) {
  // A record of zero is beaten by the first line, without dividing by zero.
  Race(0, 0);
  game.figures.playerOffset = 125;
  AddScore(game, host, 10);
  EXPECT_EQ(game.figures.playerOffset, 0);
  EXPECT_TRUE(game.score.recordBeaten);
  AddScore(game, host, 10);
  EXPECT_EQ(game.figures.kingOffset, 125);

  EXPECT_EQ(PlayerTargetOffset(20'000'000, 30'000'000), 42);  // 125 - 83.3
  EXPECT_EQ(KingTargetOffset(INT32_MAX, 1), 125);
  EXPECT_EQ(PlayerTargetOffset(INT32_MAX, 1), 0);
  Race(100, INT32_MAX - 5);  // the record stays beaten: only the King moves
  AddScore(game, host, 100);
  EXPECT_EQ(game.score.score, INT32_MAX);
}

TEST_F(ScoreRaceTest, NewGameAfterAChaseOnlyReturnsThePlayer) {
  Race(100, 30);
  game.records.kingName = records::MakeNameBuffer("Old King");
  NewGameTransition(game, host);
  EXPECT_EQ(game.figures, (FigureState{0, 0, 125, 0}));
  EXPECT_EQ(records::NameText(game.records.kingName), "Old King");
  EXPECT_EQ(game.records.recordScore, 100);
  // 125 - 88 = 37 pixels back in steps of 4: ten steps, the last one shorter.
  EXPECT_EQ(host.Count<PlayerDrawn>(), 10);
  EXPECT_EQ(host.Count<KingDrawn>(), 0);
}

TEST_F(ScoreRaceTest, NewGameAfterABeatenRecordHandsTheCrownOver) {
  Race(100, 150);
  game.score.recordBeaten = true;
  game.figures = {62, kDethronedFrame, 0, kCrownedFrame};
  game.records.lastName = records::MakeNameBuffer("Challenger");
  NewGameTransition(game, host);

  EXPECT_EQ(records::NameText(game.records.kingName), "Challenger");
  EXPECT_EQ(game.records.recordScore, 150);
  EXPECT_EQ(game.figures, (FigureState{0, 0, 125, 0}));
  EXPECT_FALSE(game.score.recordBeaten);
  // The King is drawn whole once with his new name, then crowned in 6 steps and lifted in
  // 16 steps of 4 pixels (62 -> 0); the Player loses his crown in 6 steps and sinks in 32.
  EXPECT_EQ(host.events.front(), testing::HostEvent(KingDrawn{FigureParts::kAll}));
  EXPECT_EQ(host.Count<KingDrawn>(), 1 + 6 + 16);
  EXPECT_EQ(host.Count<PlayerDrawn>(), 6 + 32);
  EXPECT_NE(std::find(host.events.begin(), host.events.end(),
                      testing::HostEvent(testing::ScoreBoxDrawn{ScoreBox::kRecord, 150})),
            host.events.end());
}

}  // namespace
}  // namespace rolvi::game

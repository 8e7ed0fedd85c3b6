#include "platform/sdl/beeper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace rolvi::platform::sdl {
namespace {

int opening_attempts = 0;

std::uint32_t NoAudioDevice() {
  ++opening_attempts;
  return 0;
}

// Without an audio device every refused move asks for a beep; the sound library, asked again
// each time, would print its complaints each time. The device is tried once per run.
TEST(BeeperTest, WithoutAnAudioDeviceTheDeviceIsTriedOncePerRun) {
  opening_attempts = 0;
  Beeper beeper(&NoAudioDevice);
  for (int refusal = 0; refusal < 18; ++refusal)
    EXPECT_FALSE(beeper.Play()) << refusal;
  EXPECT_EQ(opening_attempts, 1);
  EXPECT_FALSE(beeper.Service());  // nothing plays
}

// Two notes of 60 ms that fade in and out, so that the chime starts and ends without a click,
// and stay well below full scale.
TEST(BeeperTest, TheChimeIsTwoShortNotesWithoutClicks) {
  const auto chime = MakeChime(44100);
  ASSERT_EQ(chime.size(), 2u * 2646);
  const auto loudest = [](auto first, auto last) {
    int peak = 0;
    for (auto sample = first; sample != last; ++sample)
      peak = std::max(peak, std::abs(static_cast<int>(*sample)));
    return peak;
  };
  for (const std::size_t note_start : {std::size_t{0}, std::size_t{2646}}) {
    const auto note = chime.begin() + static_cast<std::ptrdiff_t>(note_start);
    EXPECT_LT(loudest(note, note + 8), 2000) << "a click where note " << note_start << " starts";
    EXPECT_LT(loudest(note + 2646 - 8, note + 2646), 2000) << "a click where it ends";
    EXPECT_GT(loudest(note, note + 2646), 8000) << "note " << note_start << " is heard";
  }
  EXPECT_LT(loudest(chime.begin(), chime.end()), 32767 / 2);
}

}  // namespace
}  // namespace rolvi::platform::sdl

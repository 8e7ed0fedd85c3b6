// The asterisk sound: a short two-tone chime played through SDL audio. The audio device is
// opened for each chime and closed once it has played, so an idle program keeps no audio
// thread busy; without an audio device the chime is silently dropped.
#pragma once

#include <cstdint>
#include <vector>

namespace rolvi::platform::sdl {

// The chime's samples: mono, signed 16-bit, at `sample_rate`.
std::vector<std::int16_t> MakeChime(int sample_rate);

class Beeper {
 public:
  Beeper() = default;
  ~Beeper();
  Beeper(const Beeper&) = delete;
  Beeper& operator=(const Beeper&) = delete;

  // False when no audio device could be opened: nothing is heard.
  bool Play();
  // Closes the device once the chime has played; returns true while it is still playing.
  bool Service();

 private:
  bool audio_ready_ = false;
  bool audio_failed_ = false;
  std::uint32_t device_ = 0;
  std::uint32_t drained_at_ = 0;  // when the queue ran dry, 0 while it has samples
};

}  // namespace rolvi::platform::sdl

// The asterisk sound: a short two-tone chime played through SDL audio. The audio device is
// opened for each chime and closed once it has played, so an idle program keeps no audio
// thread busy. Where no audio device opens, the chime is dropped for the rest of the run:
// the device is not tried again, so the sound library does not complain at every beep.
#pragma once

#include <cstdint>
#include <vector>

namespace rolvi::platform::sdl {

// The chime's samples: mono, signed 16-bit, at `sample_rate`.
std::vector<std::int16_t> MakeChime(int sample_rate);

// Opens SDL's audio device for the chime, starting SDL's audio first; 0 where there is none.
std::uint32_t OpenChimeDevice();

class Beeper {
 public:
  using DeviceOpener = std::uint32_t (*)();
  explicit Beeper(DeviceOpener open = &OpenChimeDevice) : open_(open) {}
  ~Beeper();
  Beeper(const Beeper&) = delete;
  Beeper& operator=(const Beeper&) = delete;

  // False when no audio device could be opened: nothing is heard.
  bool Play();
  // Closes the device once the chime has played; returns true while it is still playing.
  bool Service();

 private:
  DeviceOpener open_;
  bool audio_failed_ = false;
  std::uint32_t device_ = 0;
  std::uint32_t drained_at_ = 0;  // when the queue ran dry, 0 while it has samples
};

}  // namespace rolvi::platform::sdl

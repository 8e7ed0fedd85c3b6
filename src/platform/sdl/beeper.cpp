#include "platform/sdl/beeper.h"

#include <SDL.h>

#include <cmath>
#include <numbers>

namespace rolvi::platform::sdl {
namespace {

constexpr int kSampleRate = 44100;

}  // namespace

std::vector<std::int16_t> MakeChime(int sample_rate) {
  // Two notes a fifth apart (E6 then B6), 60 ms each, each with a quick attack and an
  // exponential decay, so the chime is soft and has no clicks.
  const double notes[] = {1318.5, 1975.5};
  const int note_samples = sample_rate * 60 / 1000;
  std::vector<std::int16_t> samples;
  samples.reserve(static_cast<std::size_t>(note_samples) * 2);
  for (const double frequency : notes) {
    for (int i = 0; i < note_samples; ++i) {
      const double t = static_cast<double>(i) / sample_rate;
      const double attack = std::min(1.0, i / (0.004 * sample_rate));
      const double decay = std::exp(-t * 40.0);
      const double release = std::min(1.0, (note_samples - i) / (0.003 * sample_rate));
      const double value =
          std::sin(2.0 * std::numbers::pi * frequency * t) * attack * decay * release * 0.35;
      samples.push_back(static_cast<std::int16_t>(std::lround(value * 32767.0)));
    }
  }
  return samples;
}

std::uint32_t OpenChimeDevice() {
  if (SDL_WasInit(SDL_INIT_AUDIO) == 0 && SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec wanted{};
  wanted.freq = kSampleRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = 1;
  wanted.samples = 1024;
  return SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
}

Beeper::~Beeper() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool Beeper::Play() {
  if (audio_failed_) return false;
  if (device_ == 0) {
    device_ = open_();
    // Tried once: the sound library explains each failed attempt at length on standard error.
    audio_failed_ = device_ == 0;
    if (audio_failed_) return false;
  }
  static const std::vector<std::int16_t> chime = MakeChime(kSampleRate);
  SDL_ClearQueuedAudio(device_);
  SDL_QueueAudio(device_, chime.data(), static_cast<Uint32>(chime.size() * sizeof(std::int16_t)));
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

bool Beeper::Service() {
  if (device_ == 0) return false;
  const std::uint32_t now = SDL_GetTicks();
  if (SDL_GetQueuedAudioSize(device_) > 0) {
    drained_at_ = 0;
    return true;
  }
  // The device still plays its last buffer for a moment after the queue ran dry.
  if (drained_at_ == 0) drained_at_ = now == 0 ? 1 : now;
  if (now - drained_at_ < 200) return true;
  SDL_CloseAudioDevice(device_);
  device_ = 0;
  drained_at_ = 0;
  return false;
}

}  // namespace rolvi::platform::sdl

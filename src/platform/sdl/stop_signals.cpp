#include "platform/sdl/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/sdl/callback_targets.h"

namespace rolvi::platform::sdl {
namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

void SetFlags(int fd, int flags) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | flags);
  fcntl(fd, F_SETFD, FD_CLOEXEC);
}

}  // namespace

void StopSignals::OnSignal(int signal_number) {
  const int saved_errno = errno;
  if (StopSignals* self = g_callback_targets.stop_signals.load(std::memory_order_relaxed)) {
    self->requested_ = signal_number;
    if (self->pipe_[1] >= 0) {
      const char byte = 1;
      // A full pipe already wakes its reader; the result does not matter.
      [[maybe_unused]] const ssize_t written = write(self->pipe_[1], &byte, 1);
    }
  }
  errno = saved_errno;
}

StopSignals::StopSignals() {
  if (pipe(pipe_) == 0) {
    SetFlags(pipe_[0], O_NONBLOCK);
    SetFlags(pipe_[1], O_NONBLOCK);
  } else {
    pipe_[0] = pipe_[1] = -1;
  }
  g_callback_targets.stop_signals.store(this);
  struct sigaction action {};
  action.sa_handler = &StopSignals::OnSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking wait returns at once with EINTR and sees the request.
  action.sa_flags = 0;
  for (int i = 0; i < 3; ++i)
    sigaction(kStopSignals[i], &action, &previous_[i]);
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, &previous_pipe_);
}

StopSignals::~StopSignals() {
  for (int i = 0; i < 3; ++i)
    sigaction(kStopSignals[i], &previous_[i], nullptr);
  sigaction(SIGPIPE, &previous_pipe_, nullptr);
  g_callback_targets.stop_signals.store(nullptr);
  for (int& fd : pipe_) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

int StopSignals::Requested() {
  const StopSignals* self = g_callback_targets.stop_signals.load();
  return self != nullptr ? self->requested_ : 0;
}

}  // namespace rolvi::platform::sdl

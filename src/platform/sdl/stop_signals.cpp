#include "platform/sdl/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace rolvi::platform::sdl {
namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

volatile std::sig_atomic_t g_requested = 0;
int g_pipe[2] = {-1, -1};
struct sigaction g_previous[3];
struct sigaction g_previous_pipe;

void OnStopSignal(int signal_number) {
  const int saved_errno = errno;
  g_requested = signal_number;
  if (g_pipe[1] >= 0) {
    const char byte = 1;
    // A full pipe already wakes its reader; the result does not matter.
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
  }
  errno = saved_errno;
}

void SetFlags(int fd, int flags) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | flags);
  fcntl(fd, F_SETFD, FD_CLOEXEC);
}

}  // namespace

StopSignals::StopSignals() {
  g_requested = 0;
  if (pipe(g_pipe) == 0) {
    SetFlags(g_pipe[0], O_NONBLOCK);
    SetFlags(g_pipe[1], O_NONBLOCK);
  } else {
    g_pipe[0] = g_pipe[1] = -1;
  }
  struct sigaction action {};
  action.sa_handler = &OnStopSignal;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a blocking wait returns at once with EINTR and sees the request.
  action.sa_flags = 0;
  for (int i = 0; i < 3; ++i)
    sigaction(kStopSignals[i], &action, &g_previous[i]);
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, &g_previous_pipe);
}

StopSignals::~StopSignals() {
  for (int i = 0; i < 3; ++i)
    sigaction(kStopSignals[i], &g_previous[i], nullptr);
  sigaction(SIGPIPE, &g_previous_pipe, nullptr);
  for (int& fd : g_pipe) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

int StopSignals::Requested() {
  return g_requested;
}

int StopSignals::wake_fd() const {
  return g_pipe[0];
}

}  // namespace rolvi::platform::sdl

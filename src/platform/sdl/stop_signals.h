// Stop requests from outside the program: SIGTERM, SIGINT and SIGHUP (the launching terminal
// went away). The handlers only note the request and write a byte into a pipe, so that a wait
// that watches the pipe wakes at once; the event loop then ends the program as its exit
// command does, saving the record table.
#pragma once

#include <csignal>

namespace rolvi::platform::sdl {

class StopSignals {
 public:
  // Installs the handlers (and ignores SIGPIPE, so that a broken display connection is
  // reported by the connection instead of killing the process). One instance at a time.
  StopSignals();
  // Puts the previous handlers back and closes the pipe.
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // The signal that asked the installed instance to stop, or 0 while none has (or none is
  // installed).
  static int Requested();
  // Becomes readable once a stop was requested; -1 when the pipe could not be made.
  int wake_fd() const { return pipe_[0]; }

 private:
  static void OnSignal(int signal_number);

  volatile std::sig_atomic_t requested_ = 0;
  int pipe_[2] = {-1, -1};
  struct sigaction previous_[3]{};
  struct sigaction previous_pipe_ {};
};

}  // namespace rolvi::platform::sdl

#include "devserver/Signals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace devserver::signals {
namespace {

volatile std::sig_atomic_t ctrlC = 0;
volatile std::sig_atomic_t ending = 0;
int wake[2] = {-1, -1};

void Note(int signal) {
  const int savedErrno = errno;
  if (signal == SIGINT) {
    ctrlC = 1;
  } else {
    ending = signal;
  }
  // Full means a wake-up is waiting already.
  [[maybe_unused]] const auto ignored = write(wake[1], "!", 1);
  errno = savedErrno;
}

// Waits until fd has input to read: true, or false once a signal came, which goes first.
bool WaitForInput(int fd) {
  pollfd ready[2] = {{fd, POLLIN, 0}, {wake[0], POLLIN, 0}};
  const nfds_t count = wake[0] < 0 ? 1 : 2;
  while (!Pending()) {
    if (poll(ready, count, -1) < 0) {
      if (errno == EINTR) continue;  // a signal, seen at the loop's test
      return true;                   // the read tells what is wrong
    }
    if (count == 2 && ready[1].revents != 0) Drain();
    if (ready[0].revents != 0) return !Pending();
  }
  return false;
}

}  // namespace

void Install() {
  if (pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) wake[0] = wake[1] = -1;
  struct sigaction action = {};
  action.sa_handler = Note;
  sigemptyset(&action.sa_mask);
  // Writes of events go on across a signal rather than fail; waits on input poll, which a
  // signal always cuts short.
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool Pending() { return ctrlC != 0 || ending != 0; }

bool TakeCtrlC() {
  const bool came = ctrlC != 0;
  ctrlC = 0;
  return came;
}

bool Terminating() { return ending != 0; }

int Ending() { return ending != 0 ? static_cast<int>(ending) : ctrlC != 0 ? SIGINT : 0; }

std::string Name(int signal) {
  switch (signal) {
    case SIGINT:
      return "Ctrl-C";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    default:
      return "signal " + std::to_string(signal);
  }
}

int WakeFd() { return wake[0]; }

void Drain() {
  char buffer[64];
  while (wake[0] >= 0 && read(wake[0], buffer, sizeof buffer) > 0) {
  }
}

void EndWith(int signal) {
  std::signal(signal, SIG_DFL);
  std::raise(signal);
  _exit(128 + signal);  // a signal whose default is not to end: end as a shell reports one
}

Stdin::int_type Stdin::underflow() {
  while (WaitForInput(STDIN_FILENO)) {
    const ssize_t count = read(STDIN_FILENO, buffer_, sizeof buffer_);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    setg(buffer_, buffer_, buffer_ + count);
    return traits_type::to_int_type(buffer_[0]);
  }
  return traits_type::eof();
}

}  // namespace devserver::signals

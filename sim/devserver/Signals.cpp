#include "devserver/Signals.h"

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <csignal>
#include <ios>
#include <system_error>

#include "framework/Server.h"

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
#ifdef _WIN32
  // Windows puts the default back before it calls a handler.
  std::signal(signal, Note);
#else
  // Full means a wake-up is waiting already.
  [[maybe_unused]] const auto ignored = write(wake[1], "!", 1);
  alarm(1);
#endif
  errno = savedErrno;
}

#ifndef _WIN32

// While a signal waits to be acted on, whatever blocks (a write to a pipe nobody reads, the
// unload's events among them) is cut short every second, so that devserver gets to act on it.
void Nudge(int /*signal*/) {
  const int savedErrno = errno;
  if (Pending()) alarm(1);
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
#endif

// A fault of the process itself, in the plugin or the game, ends the server as any crash does:
// server_crash, then out. Whatever it prints runs on a heap or a stack that may be broken, so
// an alarm ends a handler that cannot finish, and a second fault ends the process as the system
// would have.
void OnFault(int signal) {
#ifndef _WIN32
  std::signal(SIGALRM, SIG_DFL);
  alarm(10);
#endif
  framework::CrashServer("signal", Name(signal),
                         signal == SIGSEGV ? "an access to memory the process may not touch"
                                           : "an access to memory that is not there");
}

}  // namespace

#ifdef _WIN32
// Windows has no SIGHUP. A console's Ctrl-C comes on a thread of its own and cuts a read of the
// console short, which then reads as the end of input.
void Install() {
  for (const int signal : {SIGINT, SIGTERM}) std::signal(signal, Note);
}

void InstallCrashReport() { std::signal(SIGSEGV, OnFault); }
#else
void Install() {
  if (pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) wake[0] = wake[1] = -1;
  struct sigaction action = {};
  action.sa_handler = Note;
  sigemptyset(&action.sa_mask);
  // No SA_RESTART: a call that blocks (an open, a write to a pipe nobody reads) must end at the
  // signal rather than wait on after it.
  action.sa_flags = 0;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  action.sa_handler = Nudge;
  sigaction(SIGALRM, &action, nullptr);
  // A reader that went away is a write that fails, told and cleaned up after as any other,
  // rather than an end that leaves the server's folder behind.
  std::signal(SIGPIPE, SIG_IGN);
}

void InstallCrashReport() {
  // A stack of its own: an overflowed one is a likely cause.
  static char stack[256 * 1024];
  stack_t alternate = {};
  alternate.ss_sp = stack;
  alternate.ss_size = sizeof stack;
  sigaltstack(&alternate, nullptr);
  struct sigaction action = {};
  action.sa_handler = OnFault;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_ONSTACK | SA_RESETHAND;
  for (const int signal : {SIGSEGV, SIGBUS}) sigaction(signal, &action, nullptr);
}
#endif

bool Pending() { return ctrlC != 0 || ending != 0; }

bool TakeCtrlC() {
  const bool came = ctrlC != 0;
  ctrlC = 0;
#ifndef _WIN32
  // Nothing is left to act on: no call is cut short any more.
  if (came && !Pending()) alarm(0);
#endif
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
    case SIGSEGV:
      return "SIGSEGV";
#ifdef SIGBUS
    case SIGBUS:
      return "SIGBUS";
#endif
#ifdef SIGHUP
    case SIGHUP:
      return "SIGHUP";
#endif
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
#ifndef _WIN32
  std::signal(signal, SIG_DFL);
  std::raise(signal);
#endif
  // A signal whose default is not to end, or Windows, whose runtime ends a raised signal with 3,
  // devserver's status for a crash: end as a shell reports a signal.
  _exit(128 + signal);
}

// A read that fails is no end of input: the stream that called is marked bad and lets this out.
[[noreturn]] void Stdin::ThrowReadError() {
  throw std::ios_base::failure("can't read standard input",
                               std::error_code(errno, std::generic_category()));
}

#ifdef _WIN32
Stdin::int_type Stdin::underflow() {
  const int count = Pending() ? 0 : _read(0, buffer_, sizeof buffer_);
  // A read a Ctrl-C cut short ends the input; any other that fails is an error.
  if (count < 0 && !Pending()) ThrowReadError();
  if (count <= 0) return traits_type::eof();
  setg(buffer_, buffer_, buffer_ + count);
  return traits_type::to_int_type(buffer_[0]);
}
#else
Stdin::int_type Stdin::underflow() {
  while (WaitForInput(STDIN_FILENO)) {
    const ssize_t count = read(STDIN_FILENO, buffer_, sizeof buffer_);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) ThrowReadError();
    if (count == 0) break;
    setg(buffer_, buffer_, buffer_ + count);
    return traits_type::to_int_type(buffer_[0]);
  }
  return traits_type::eof();
}
#endif

}  // namespace devserver::signals

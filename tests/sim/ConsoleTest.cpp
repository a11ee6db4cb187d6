// devserver's console in a real terminal, as a person uses it.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace {

// The far end of the console's terminal: what it printed so far, and keys typed into it.
class Terminal {
 public:
  explicit Terminal(int fd) : fd_(fd) {}
  ~Terminal() { close(fd_); }

  void Type(const std::string& keys) {
    ASSERT_EQ(write(fd_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  // Reads until the output holds text after what was already seen; false after ten seconds.
  bool WaitFor(const std::string& text) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (output_.find(text, seen_) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline || !ReadSome()) return false;
    }
    seen_ = output_.find(text, seen_) + text.size();
    return true;
  }

  // Reads until the console closes its end.
  void ReadToEnd() {
    while (ReadSome()) {
    }
  }

  const std::string& Output() const { return output_; }

 private:
  bool ReadSome() {
    pollfd ready{fd_, POLLIN, 0};
    if (poll(&ready, 1, 10000) <= 0) return false;
    char buffer[4096];
    const ssize_t count = read(fd_, buffer, sizeof buffer);
    if (count <= 0) return false;
    output_.append(buffer, static_cast<std::size_t>(count));
    return true;
  }

  int fd_;
  std::string output_;
  std::size_t seen_ = 0;
};

// devserver on a terminal of its own, its temporary folder and history file in the test's; the
// history a FIFO when asked.
class Console {
 public:
  explicit Console(const char* events, bool historyFifo = false)
      : child(Start(events, historyFifo)), terminal(fd) {}

  // How it ended, once it has; killed when it has not within ten seconds of falling silent.
  int Status() {
    terminal.ReadToEnd();
    int status = 0;
    for (int wait = 0; wait < 1000; ++wait) {
      if (waitpid(child, &status, WNOHANG) == child) return status;
      usleep(10000);
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return -1;
  }

  testing_support::TempDir temporary, home;
  int fd = -1;
  const pid_t child;
  Terminal terminal;

 private:
  pid_t Start(const char* events, bool historyFifo) {
    if (historyFifo) mkfifo((home.Path() + "/.devserver_history").c_str(), 0600);
    const pid_t started = forkpty(&fd, nullptr, nullptr, nullptr);
    if (started == 0) {
      setenv("TMPDIR", temporary.Path().c_str(), 1);
      setenv("HOME", home.Path().c_str(), 1);
      execl(DEVSERVER_PATH, DEVSERVER_PATH, "--events", events, nullptr);
      _exit(127);
    }
    return started;
  }
};

// help answers; Ctrl-C drops a half-typed line rather than the server; quit unloads the plugin
// and removes the server's temporary folder.
TEST(ConsoleTest, HelpCtrlCAndQuitInATerminal) {
  Console console("jsonl");
  ASSERT_GT(console.child, 0);
  auto& terminal = console.terminal;
  ASSERT_TRUE(terminal.WaitFor("devserver> ")) << terminal.Output();
  EXPECT_FALSE(std::filesystem::is_empty(console.temporary.Path()));

  terminal.Type("help\n");
  EXPECT_TRUE(terminal.WaitFor("Help and leaving")) << terminal.Output();
  ASSERT_TRUE(terminal.WaitFor("devserver> "));

  terminal.Type("chat alice /trackd");
  ASSERT_TRUE(terminal.WaitFor("/trackd"));  // read and echoed before the interrupt comes
  terminal.Type("\x03");
  terminal.Type("chat alice /stoptrack\n");
  EXPECT_TRUE(terminal.WaitFor("You no longer track anything.")) << terminal.Output();
  // What shows in no event is told to the person.
  terminal.Type("chat alice hello\n");
  EXPECT_TRUE(terminal.WaitFor("no chat command took it")) << terminal.Output();

  terminal.Type("quit\n");
  const int status = console.Status();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << terminal.Output();
  EXPECT_NE(terminal.Output().find(R"("event":"plugin_unloaded")"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(console.temporary.Path()));
}

// Ctrl-C stops a long tick where it is and the console answers again; Ctrl-C twice at the empty
// prompt, or SIGTERM, ends the server as quit does: plugin unloaded, folder removed.
TEST(ConsoleTest, CtrlCStopsATickAndTheServerEndsCleanly) {
  const struct {
    const char* name;
    int signal;  // 0: Ctrl-C is typed twice
  } endings[] = {{"Ctrl-C twice", 0}, {"SIGTERM", SIGTERM}};
  for (const auto& ending : endings) {
    SCOPED_TRACE(ending.name);
    Console console("text");
    ASSERT_GT(console.child, 0);
    auto& terminal = console.terminal;
    ASSERT_TRUE(terminal.WaitFor("devserver> ")) << terminal.Output();
    terminal.Type("chat alice /trackmates on\n");
    ASSERT_TRUE(terminal.WaitFor("devserver> ")) << terminal.Output();

    terminal.Type("tick 100000000\n");
    ASSERT_TRUE(terminal.WaitFor("[  21] labels ")) << terminal.Output();
    terminal.Type("\x03");
    ASSERT_TRUE(terminal.WaitFor("stopped at tick ")) << terminal.Output();
    const auto at = terminal.Output().find("stopped at tick ") + 16;
    const std::string tick = terminal.Output().substr(at, terminal.Output().find(',', at) - at);
    EXPECT_TRUE(terminal.WaitFor(", after " + tick + " of 100000000 ticks")) << terminal.Output();
    EXPECT_TRUE(terminal.WaitFor("[" + tick + "] devserver> ")) << terminal.Output();

    terminal.Type("who\n");
    EXPECT_TRUE(terminal.WaitFor("connection")) << terminal.Output();
    ASSERT_TRUE(terminal.WaitFor("devserver> ")) << terminal.Output();

    if (ending.signal == 0) {
      terminal.Type("\x03");
      EXPECT_TRUE(terminal.WaitFor("Ctrl-C again to end the server")) << terminal.Output();
      terminal.Type("\x03");
    } else {
      kill(console.child, ending.signal);
    }
    const int status = console.Status();
    if (ending.signal == 0) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << terminal.Output();
    } else {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == ending.signal) << terminal.Output();
    }
    EXPECT_NE(terminal.Output().find("plugin_unloaded"), std::string::npos) << terminal.Output();
    EXPECT_TRUE(std::filesystem::is_empty(console.temporary.Path()));
  }
}

// A history that is no file (a FIFO, whose open would wait for a writer) is left alone: the
// console says so, keeps none, and starts and ends as ever.
TEST(ConsoleTest, HistoryThatIsNoFileIsLeftAlone) {
  Console console("none", true);
  ASSERT_GT(console.child, 0);
  auto& terminal = console.terminal;
  EXPECT_TRUE(terminal.WaitFor("devserver: no history kept: ")) << terminal.Output();
  ASSERT_TRUE(terminal.WaitFor("devserver> ")) << terminal.Output();
  terminal.Type("quit\n");
  const int status = console.Status();
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << terminal.Output();
  EXPECT_TRUE(std::filesystem::is_fifo(console.home.Path() + "/.devserver_history"));
}

}  // namespace

// devserver's console in a real terminal, as a person uses it.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
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

// help answers; Ctrl-C drops a half-typed line rather than the server; quit unloads the plugin
// and removes the server's temporary folder.
TEST(ConsoleTest, HelpCtrlCAndQuitInATerminal) {
  testing_support::TempDir temporary, home;
  int fd = -1;
  const pid_t child = forkpty(&fd, nullptr, nullptr, nullptr);
  ASSERT_GE(child, 0);
  if (child == 0) {
    setenv("TMPDIR", temporary.Path().c_str(), 1);
    setenv("HOME", home.Path().c_str(), 1);
    execl(DEVSERVER_PATH, DEVSERVER_PATH, "--events", "jsonl", nullptr);
    _exit(127);
  }
  Terminal terminal(fd);
  ASSERT_TRUE(terminal.WaitFor("devserver> ")) << terminal.Output();
  EXPECT_FALSE(std::filesystem::is_empty(temporary.Path()));

  terminal.Type("help\n");
  EXPECT_TRUE(terminal.WaitFor("Help and leaving")) << terminal.Output();
  ASSERT_TRUE(terminal.WaitFor("devserver> "));

  terminal.Type("chat alice /trackd");
  ASSERT_TRUE(terminal.WaitFor("/trackd"));  // read and echoed before the interrupt comes
  terminal.Type("\x03");
  terminal.Type("chat alice /stoptrack\n");
  EXPECT_TRUE(terminal.WaitFor("You no longer track anything.")) << terminal.Output();

  terminal.Type("quit\n");
  terminal.ReadToEnd();
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << terminal.Output();
  EXPECT_NE(terminal.Output().find(R"("event":"plugin_unloaded")"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(temporary.Path()));
}

}  // namespace

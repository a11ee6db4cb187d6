// Scripts devserver cannot run end at the offending line with its number and a reason: never a
// crash, and never a value the game or the printed events cannot take.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "devserver/DevServer.h"
#include "devserver/Script.h"
#include "support/HeldFifo.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Lines 1 to 3 of a script that edits config.json.
const std::string kSmallConfig = "config <<END\n{\"a\": [1, 2]}\nEND\n";

std::string Nested(std::size_t levels) {
  return std::string(levels, '[') + std::string(levels, ']');
}

struct ScriptCase {
  const char* name;
  std::string script;
  std::string errors;           // none: the script runs to its end
  std::string configJson = {};  // when given, what config.json holds afterwards
  // What stands at config.json before the script: a folder holding a file, or a FIFO.
  fs::file_type placed = fs::file_type::none;
};

std::vector<ScriptCase> Cases() {
  const std::string tooLong = "can't write config.json: it would nest deeper than 512 levels\n";
  std::string deepPointer;
  for (int i = 0; i < 513; ++i) deepPointer += "/b";
  return {
      {"a coordinate", "player alice steam=1 data=1 at nan 0 0",
       "t.scn:1: not a finite number: nan\n"},
      {"a move", "player alice steam=1 data=1\nmove alice 0 inf 0",
       "t.scn:2: not a finite number: inf\n"},
      {"health", "dino rex Rex\nset rex health=-infinity",
       "t.scn:2: not a finite number: -infinity\n"},
      {"a world setting", "world lat_scale=NaN", "t.scn:1: not a finite number: NaN\n"},
      {"a spread", "dinos 3 Dodo spread=nan", "t.scn:1: not a finite number: nan\n"},
      {"a negative spread", "dinos 3 Dodo spread=-5",
       "t.scn:1: spread must be from 0 to 1.7014117e+38: -5\n"},
      {"a spread wider than a float", "dinos 3 Dodo spread=3e38",
       "t.scn:1: spread must be from 0 to 1.7014117e+38: 3e38\n"},
      {"no spread", "dinos 3 Dodo spread=0", ""},

      {"removing an index no array has", kSmallConfig + "config-remove /a/99999999999999999999",
       "t.scn:4: config.json has nothing at /a/99999999999999999999\n"},
      {"setting an index no array has", kSmallConfig + "config-set /a/99999999999999999999 3",
       "t.scn:4: can't set /a/99999999999999999999: index 99999999999999999999 is past the end "
       "of an array of 2\n"},
      {"setting past the end", kSmallConfig + "config-set /a/3 3",
       "t.scn:4: can't set /a/3: index 3 is past the end of an array of 2\n"},
      {"setting past the end of a new array", kSmallConfig + "config-set /b/1 3",
       "t.scn:4: can't set /b/1: index 1 is past the end of an array of 0\n"},
      {"indices within reach",
       kSmallConfig + "config-set /a/2 3\nconfig-set /a/- 4\nconfig-set /b/0 5\n"
                      "config-remove /a/0\nconfig-set /c/0/d 6",
       "", R"({"a": [2, 3, 4], "b": [5], "c": [{"d": 6}]})"},
      {"a value under the nesting bound", kSmallConfig + "config-set /a " + Nested(511), "",
       R"({"a": )" + Nested(511) + "}"},
      {"a value nesting the document over the bound", kSmallConfig + "config-set /a " + Nested(512),
       "t.scn:4: " + tooLong},
      {"a value over the bound", kSmallConfig + "config-set /a " + Nested(513),
       "t.scn:4: the value nests deeper than 512 levels\n"},
      {"a value deep enough to exhaust the stack", kSmallConfig + "config-set /a " + Nested(200000),
       "t.scn:4: the value nests deeper than 512 levels\n"},
      {"a pointer deeper than the bound", kSmallConfig + "config-set " + deepPointer + " 1",
       "t.scn:4: can't set " + deepPointer.substr(0, 40) +
           "…: the pointer is deeper than 512 levels\n"},
      // Read back, a member after a deep one would copy it.
      {"a deep config.json edited",
       "config <<END\n{\"a\": " + Nested(200000) + ", \"b\": 1}\nEND\nconfig-remove /b",
       "t.scn:4: config.json nests deeper than 512 levels\n"},
      {"a key that is not UTF-8", kSmallConfig + "config-set /\xFF 1",
       "t.scn:4: can't write config.json: [json.exception.type_error.316] invalid UTF-8 byte at "
       "index 0: 0xFF\n"},
      {"config-file naming a folder", "config-file folder",
       "t.scn:1: folder is a folder, not a file\n"},
      {"config-file naming a device", "config-file /dev/zero",
       "t.scn:1: /dev/zero is not a regular file\n"},
      // The process's own memory: a regular file whose first read fails.
      {"config-file whose read fails", kSmallConfig + "config-file /proc/self/mem",
       "t.scn:4: can't read /proc/self/mem: Input/output error\n", R"({"a": [1, 2]})"},
      {"editing a folder", "config-set /a 1", "t.scn:1: config.json is a folder, not a file\n", "",
       fs::file_type::directory},
      {"deleting a folder", "config-delete", "t.scn:1: config.json is a folder, not a file\n", "",
       fs::file_type::directory},
      {"editing a FIFO", "config-set /a 1", "t.scn:1: config.json is not a regular file\n", "",
       fs::file_type::fifo},
      {"writing a FIFO", kSmallConfig, "t.scn:3: config.json is not a regular file\n", "",
       fs::file_type::fifo},
      {"deleting a FIFO", "config-delete", "t.scn:1: config.json is not a regular file\n", "",
       fs::file_type::fifo},
      {"the default world's config.json onto a FIFO", "default-world",
       "t.scn:1: config.json is not a regular file\n", "", fs::file_type::fifo},

      {"CRLF lines", "player alice steam=1 data=1\r\nconfig <<END\r\n{\"a\": 1}\r\nEND\r\ntick\r\n",
       "", R"({"a": 1})"},
      {"a CR beyond the line's end shown", "tick\r\r",
       "t.scn:1: unknown command: tick\\x0D; did you mean tick?\n"},
      {"a long unknown word cut", std::string(1 << 20, 'x'),
       "t.scn:1: unknown command: " + std::string(40, 'x') + "…\n"},

      // The nearest command or option is offered; too far from any, none is.
      {"a misspelt command", "tik 5", "t.scn:1: unknown command: tik; did you mean tick?\n"},
      {"letters swapped", "tcik", "t.scn:1: unknown command: tcik; did you mean tick?\n"},
      {"nothing near", "tickle", "t.scn:1: unknown command: tickle\n"},
      {"a misspelt option", "player alice stem=1 data=1",
       "t.scn:1: unknown player option: stem=1; did you mean steam=?\n"},
      // Words counted as a person counts them.
      {"a missing name", "labels", "t.scn:1: labels takes a player's name\n"},

      {"attaching to itself", "dino rex Rex\nattach rex rex",
       "t.scn:2: rex cannot be attached to itself\n"},
      {"attaching in a circle", "dino a A\ndino b B\nattach a b\nattach b a",
       "t.scn:4: can't attach b to a: a is attached to b\n"},
      {"attaching to nobody", "dino rex Rex\nattach rex nobody",
       "t.scn:2: no creature or player named nobody\n"},
      {"attaching to a player without a character",
       "player p steam=1 data=1\ndino rex Rex\ndestroy p\nattach rex p",
       "t.scn:4: p has no character\n"},
      {"an offset without Z", "dino a A\ndino b B\nattach a b 1 2",
       "t.scn:3: attach takes NAME PARENT, then the offset X Y Z if not 0 0 0\n"},
      {"detaching what hangs on nothing", "player p steam=1 data=1\ndetach p",
       "t.scn:2: p is not attached to anything\n"},
      {"attaching, detaching and attaching again",
       "player p steam=1 data=1\ndino rex Rex\nattach p rex 0 0 300\ndetach p\nattach p rex", ""},

      // RCON's text is the client's, as typed.
      {"rcon with an open quote", "rcon \"abc", ""},
      {"rcon with a quote inside a word", "rcon a\"b", ""},
      {"rcon with nothing to send", "rcon ", "t.scn:1: rcon takes TEXT\n"},

      {"a fault of the allocator", "fault FMemory.Malloc throw",
       "t.scn:1: FMemory.Malloc can't throw: the game's allocator never does, a failed "
       "allocation ends the server\n"},
      {"a fault of its release", "fault FMemory.Free throw 3",
       "t.scn:1: FMemory.Free can't throw: the game's allocator never does, a failed allocation "
       "ends the server\n"},
      {"forgetting the allocator", "forget FMemory.Realloc",
       "t.scn:1: FMemory.Realloc can't be forgotten: the stand-in's own texts and arrays reach "
       "the allocator by that name, so no line could run without it\n"},

      {"quit ends a script", "quit\nnosuch", ""},
      {"and exit", "  exit\nnosuch", ""},
      {"quit takes no words", "quit now", "t.scn:1: quit takes nothing after it\n"},
      {"quit within a config block is its text", "config <<END\nquit\nEND\nnosuch",
       "t.scn:4: unknown command: nosuch\n"},
  };
}

TEST(DevServerScriptTest, EndsAtTheLineItCannotRun) {
  for (const auto& c : Cases()) {
    SCOPED_TRACE(c.name);
    testing_support::TempDir dir;
    fs::create_directory(dir.Path() + "/folder");
    devserver::DevServer server({dir.Path() + "/server", TEST_PLUGIN_PATH, "", dir.Path()});
    std::optional<testing_support::HeldFifo> fifo;
    if (c.placed == fs::file_type::fifo) fifo.emplace(server.ConfigPath());
    if (c.placed == fs::file_type::directory) fs::create_directories(server.ConfigPath() + "/kept");
    std::istringstream script(c.script);
    std::ostringstream errors;
    const int status = devserver::RunScript(script, "t.scn", server, errors);

    EXPECT_EQ(errors.str(), c.errors);
    EXPECT_EQ(status, c.errors.empty() ? 0 : 1);
    if (!c.configJson.empty()) {
      std::ifstream written(server.ConfigPath());
      // Not JSON: discarded, which equals nothing, so the next cases still run.
      EXPECT_EQ(nlohmann::json::parse(written, nullptr, false),
                nlohmann::json::parse(c.configJson));
    }
  }
}

// Under the address sanitizer a process cannot start within a memory limit; g++ and clang++
// tell of it in their own ways.
#if defined(__SANITIZE_ADDRESS__)
#define MEMORY_CANNOT_BE_LIMITED
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MEMORY_CANNOT_BE_LIMITED
#endif
#endif
#if defined(MEMORY_CANNOT_BE_LIMITED)
constexpr bool kMemoryCanBeLimited = false;
// The sanitizer reports a bad read itself, before the process faults.
constexpr bool kFaultsReachDevserver = false;
#else
constexpr bool kMemoryCanBeLimited = true;
constexpr bool kFaultsReachDevserver = true;
#endif

struct Ended {
  int status;
  std::string errors;  // standard error, the folder's path in it written as <folder>
};

// Runs sh commands in folder, where devserver is the program (with --events none unless the
// commands choose other events), and t.scn a script of one tick. A devserver that hangs is
// killed: its status is then 124 or 137.
Ended RunInFolder(const std::string& folder, const std::string& commands) {
  std::ofstream(folder + "/t.scn") << "tick\n";
  const std::string shell = "cd '" + folder +
                            "' && devserver() { timeout -k 5 120 '" DEVSERVER_PATH
                            "' --events none \"$@\"; } && (" +
                            commands + ") 2>&1 >/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(shell.c_str(), "r"), &pclose);
  std::string errors;
  char buffer[4096];
  while (const auto read = std::fread(buffer, 1, sizeof buffer, pipe.get())) {
    errors.append(buffer, read);
  }
  const std::string path = fs::canonical(folder).string();
  for (auto at = errors.find(path); at != std::string::npos; at = errors.find(path, at)) {
    errors.replace(at, path.size(), "<folder>");
  }
  const int status = pclose(pipe.release());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, errors};
}

// A server folder devserver cannot use, or a script it cannot read, ends it with a usage error
// naming the path and why; a line too long for memory ends the script at it. Never an abort.
TEST(DevServerScriptTest, RefusesWhatItCannotUseOrRead) {
  const struct {
    const char* name;
    const char* commands;
    int status;
    const char* errors;
    bool limitsMemory = false;
    bool faults = false;
  } cases[] = {
      {"a server folder whose ArkApi is a file",
       "mkdir server && : >server/ArkApi && devserver t.scn --dir server", 2,
       "devserver: can't use server as the server's folder: Failed opening file "
       "<folder>/server/ArkApi/Logs/ArkApi.log for writing: Not a directory\n"},
      {"a folder nothing can be made in", "devserver t.scn --dir /proc/self", 2,
       "devserver: can't use /proc/self as the server's folder: Failed opening file "
       "/proc/self/ArkApi/Logs/ArkApi.log for writing: No such file or directory\n"},
      {"a script that is a folder", "mkdir folder && devserver folder", 2,
       "devserver: can't read folder: Is a directory\n"},
      // The process's own memory: a regular file whose first read fails.
      {"a script whose read fails", "devserver /proc/self/mem", 2,
       "devserver: can't read /proc/self/mem: Input/output error\n"},
      // Within 350 MB a line of 400 MB cannot be held; one of 100 MB can, but not copied as well
      // to be run.
      {"a line too long to read",
       "{ echo tick; head -c 400000000 /dev/zero | tr '\\0' x; } | "
       "(ulimit -v 350000 && devserver -)",
       1, "<stdin>:2: the line is too long to hold in memory\n", true},
      {"a line too long to run",
       "{ echo tick; head -c 100000000 /dev/zero | tr '\\0' x; } | "
       "(ulimit -v 350000 && devserver -)",
       1, "<stdin>:2: there is not enough memory to run the line\n", true},
      // Nothing is opened where a FIFO stands: its open would wait for a reader.
      {"a log file that is a FIFO",
       "mkdir -p server/ArkApi/Logs && mkfifo server/ArkApi/Logs/ArkApi.log && "
       "devserver t.scn --dir server",
       2,
       "devserver: can't use server as the server's folder: "
       "<folder>/server/ArkApi/Logs/ArkApi.log is not a regular file\n"},
      {"a snapshot onto a FIFO", "mkfifo map.svg && echo 'snapshot map.svg' | devserver -", 1,
       "<stdin>:1: map.svg is not a regular file\n"},
      // Standard input that fails to read is no end of the script; one that is closed is.
      {"standard input a folder", "devserver - <.", 2,
       "devserver: can't read <stdin>: Is a directory\n"},
      {"standard input closed", "devserver - <&-", 0, ""},
      {"commands without a script, standard input closed", "devserver <&-", 0, ""},
      // Events that cannot be written end the run, never with 0.
      {"standard output full", "echo stats | devserver - --events jsonl >/dev/full", 2,
       "devserver: can't write the events: No space left on device\n"},
      {"standard output closed", "echo stats | devserver - --events text >&-", 2,
       "devserver: can't write the events: Bad file descriptor\n"},
      // A plugin that reads a field the game no longer has reads the object's first word as the
      // field, and faults: the server ends as it crashed.
      {"a fault of the process",
       "printf 'default-world\\nload\\nforget APrimalCharacter.DescriptiveName\\n"
       "chat alice /trackdino rex\\n' | devserver - --events jsonl >events; "
       "status=$?; grep server_crash events >&2; exit $status",
       3,
       "{\"event\":\"server_crash\",\"tick\":0,\"kind\":\"signal\",\"name\":\"SIGSEGV\","
       "\"text\":\"an access to memory the process may not touch\"}\n",
       false, true},
  };
  for (const auto& c : cases) {
    if ((c.limitsMemory && !kMemoryCanBeLimited) || (c.faults && !kFaultsReachDevserver)) continue;
    SCOPED_TRACE(c.name);
    testing_support::TempDir folder;
    const auto ended = RunInFolder(folder.Path(), c.commands);
    EXPECT_EQ(ended.errors, c.errors);
    EXPECT_EQ(ended.status, c.status);
  }
}

// devserver started on script with events in JSON lines written to out, the caller's end of which
// it closes, and its errors to errors.
pid_t StartWithOutput(const std::string& script, const std::string& server, int out,
                      const std::string& errors) {
  const pid_t child = fork();
  if (child == 0) {
    dup2(out, STDOUT_FILENO);
    if (std::freopen(errors.c_str(), "w", stderr) == nullptr) _exit(126);
    execl(DEVSERVER_PATH, DEVSERVER_PATH, script.c_str(), "--events", "jsonl", "--dir",
          server.c_str(), nullptr);
    _exit(127);
  }
  close(out);
  return child;
}

// A signal ends devserver even while it waits to write events that nobody reads: that write is
// cut short, and so is every one after it (the unload's), and it ends by that signal.
TEST(DevServerScriptTest, SignalEndsItWhileItsOutputIsBlocked) {
  testing_support::TempDir folder;
  const std::string script = folder.Path() + "/long.scn";
  std::ofstream(script) << "default-world\nload\nchat alice /trackmates on\ntick 100000000\n";
  int out[2];
  ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
  const pid_t child =
      StartWithOutput(script, folder.Path() + "/server", out[1], folder.Path() + "/errors");
  // Until the pipe is about full: devserver then waits in a write.
  int waiting = 0;
  for (int i = 0; i < 6000 && waiting < 60000; ++i) {
    usleep(10000);
    ioctl(out[0], FIONREAD, &waiting);
  }
  kill(child, SIGTERM);
  int status = 0;
  bool ended = false;
  for (int i = 0; i < 3000 && !ended; ++i) {
    ended = waitpid(child, &status, WNOHANG) == child;
    if (!ended) usleep(10000);
  }
  if (!ended) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  close(out[0]);
  EXPECT_TRUE(ended);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
}

// Events written to a pipe whose reader went away are a write that fails: told, status 2, and
// the run cleaned up after as any other, not a death by SIGPIPE.
TEST(DevServerScriptTest, AReaderThatWentAwayIsAWriteThatFails) {
  testing_support::TempDir folder;
  const std::string script = folder.Path() + "/stats.scn";
  std::ofstream(script) << "stats\n";
  int out[2];
  ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
  close(out[0]);
  const std::string errors = folder.Path() + "/errors";
  const pid_t child = StartWithOutput(script, folder.Path() + "/server", out[1], errors);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
  std::ifstream written(errors);
  std::string line;
  std::getline(written, line);
  EXPECT_EQ(line, "devserver: can't write the events: Broken pipe");
}

// help answers beside the errors, so that standard output keeps only events; inside a config
// block it is text like any other.
TEST(DevServerScriptTest, HelpAnswersBesideTheEvents) {
  const struct {
    const char* script;
    std::string answer;  // all of it, or with a trailing "*" its start
    int status;
  } cases[] = {
      {"help", "Server and plugin\n*", 0},
      // What a command does, and an example.
      {"help tick",
       "  tick [N]            run N server ticks (default 1); Ctrl-C stops a long run\n"
       "                      e.g. tick 21\n",
       0},
      {"  help unload",
       "  unload              unload the plugin\n"
       "                      e.g. unload\n",
       0},
      {"help dinos",
       "  dinos COUNT \"Descriptive Name\" [spread=F] [seed=N] [max-level=N] [team=N]\n"
       "                      spawn COUNT creatures at random; spread: half the side of the "
       "square\n"
       "                      around the origin, 0 or more\n"
       "                      e.g. dinos 1000 Dodo spread=100000 seed=7\n",
       0},
      {"help config",
       "  config <<END ... END\n"
       "                      write the lines up to the line END as config.json (any word may "
       "follow <<)\n"
       "                      e.g. config <<END\n"
       "                           {\"UpdateTextEvery\": 5}\n"
       "                           END\n",
       0},
      {"help snapshot", "  snapshot FILE.svg [NAME] [radius=M]\n*", 0},
      {"help who",
       "  who                 players (position, tribe, team, groups, connection, character) and "
       "the\n*",
       0},
      {"help nosuch", "t.scn:1: no command nosuch; help lists them\n", 1},
      {"help tikc", "t.scn:1: no command tikc; did you mean tick?\n", 1},
      // Words of a description name no command.
      {"help plugin", "t.scn:1: no command plugin; help lists them\n", 1},
      {"help tick tock", "t.scn:1: help takes nothing, or the name of a command\n", 1},
      {"helper", "t.scn:1: unknown command: helper\n", 1},
      {"config <<END\nhelp\nEND", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    testing_support::TempDir dir;
    devserver::DevServer server({dir.Path() + "/server", TEST_PLUGIN_PATH, "", dir.Path()});
    std::istringstream script(c.script);
    std::ostringstream answer;
    EXPECT_EQ(devserver::RunScript(script, "t.scn", server, answer), c.status);
    if (!c.answer.empty() && c.answer.back() == '*') {
      EXPECT_EQ(answer.str().substr(0, c.answer.size() - 1),
                c.answer.substr(0, c.answer.size() - 1));
    } else {
      EXPECT_EQ(answer.str(), c.answer);
    }
  }
}

}  // namespace

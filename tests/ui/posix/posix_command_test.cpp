#include "ui/posix/posix_command.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>
#include <unistd.h>

#include "runtime/system_ops.h"

namespace {

TEST(CommandArgv, SplitsWithoutAShell) {
  struct Case {
    const char* line;
    std::vector<std::string> argv;
  } cases[] = {
      {"explorer https://example.org/kelvane", {"xdg-open", "https://example.org/kelvane"}},
      {"EXPLORER.EXE  http://example.org/a b ", {"xdg-open", "http://example.org/a b"}},
      {"explorer \"http://example.org/q\"", {"xdg-open", "http://example.org/q"}},
      {"explorer ", {"xdg-open"}},
      {"explorer; rm -rf x", {"explorer;", "rm", "-rf", "x"}},  // not the browser, and no shell either
      {"rundll32.exe shell32.dll,Control_RunDLL C:\\x\\Main.CPL",
       {"rundll32.exe", "shell32.dll,Control_RunDLL", "C:\\x\\Main.CPL"}},
      {"  a   b\tc ", {"a", "b", "c"}},
      {"\"/usr/bin/my prog\" $HOME `x` |y", {"/usr/bin/my prog", "$HOME", "`x`", "|y"}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandArgv(c.line), c.argv) << c.line;
}

TEST(StartDetached, RunsTheProgramWithoutWaiting) {
  char path[] = "/tmp/kelvane-start-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  std::remove(path);
  ASSERT_EQ(StartDetached({"touch", path}), kCommandStarted);
  // The program runs on its own; give it a generous while to appear.
  bool appeared = false;
  for (int i = 0; i < 500 && !appeared; ++i) {
    appeared = std::ifstream(path).good();
    if (!appeared) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(appeared);
  std::remove(path);
}

TEST(StartDetachedErrors, ReportsWhatCannotStart) {
  char path[] = "/tmp/kelvane-noexec-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);  // a plain file without execute permission
  const std::vector<std::vector<std::string>> cases = {
      {},
      {""},
      {"kelvane-no-such-program-anywhere"},
      {"/nonexistent/dir/prog"},
      {path},
  };
  for (const auto& argv : cases) EXPECT_EQ(StartDetached(argv), 2) << (argv.empty() ? "(none)" : argv[0]);
  EXPECT_EQ(StartPosixCommand("kelvane-no-such-program-anywhere --x"), 2);
  std::remove(path);
}

}  // namespace

#include "ui/posix/posix_command.h"

#include "runtime/system_ops.h"

#if defined(__unix__) || defined(__APPLE__)
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#define KELVANE_POSIX 1
#endif

namespace {

std::vector<std::string> SplitWords(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

bool IsExplorer(const std::string& word) {
  std::string w;
  for (char c : word) w += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
  return w == "explorer" || w == "explorer.exe";
}

}  // namespace

std::vector<std::string> CommandArgv(const std::string& commandLine) {
  std::vector<std::string> words = SplitWords(commandLine);
  if (words.empty() || !IsExplorer(words[0])) return words;
  // The address is everything after the program name, blanks trimmed.
  size_t start = commandLine.find_first_not_of(" \t");
  start = commandLine.find_first_of(" \t", start);
  std::string address;
  if (start != std::string::npos) {
    size_t first = commandLine.find_first_not_of(" \t", start);
    size_t last = commandLine.find_last_not_of(" \t");
    if (first != std::string::npos) address = commandLine.substr(first, last - first + 1);
  }
  if (address.size() >= 2 && address.front() == '"' && address.back() == '"')
    address = address.substr(1, address.size() - 2);
  std::vector<std::string> argv{"xdg-open"};
  if (!address.empty()) argv.push_back(address);
  return argv;
}

#ifdef KELVANE_POSIX

namespace {

std::string ResolveProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return access(name.c_str(), X_OK) == 0 ? name : std::string();
  const char* env = std::getenv("PATH");
  std::string path = env && *env ? env : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  for (;;) {
    size_t end = path.find(':', start);
    std::string dir = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (dir.empty()) dir = ".";
    std::string full = dir + "/" + name;
    if (access(full.c_str(), X_OK) == 0) return full;
    if (end == std::string::npos) return std::string();
    start = end + 1;
  }
}

}  // namespace

int StartDetached(const std::vector<std::string>& argv) {
  if (argv.empty() || argv[0].empty()) return 2;
  const std::string program = ResolveProgram(argv[0]);
  if (program.empty()) return 2;
  // Everything the children need is prepared before forking: between fork
  // and exec only async-signal-safe calls are made.
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  int report[2];
#ifdef __linux__
  if (pipe2(report, O_CLOEXEC) != 0) return 0;
#else
  if (pipe(report) != 0) return 0;
  fcntl(report[0], F_SETFD, FD_CLOEXEC);
  fcntl(report[1], F_SETFD, FD_CLOEXEC);
#endif

  const pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return 0;
  }
  if (child == 0) {
    // The middle process only starts the command and leaves, so the command
    // is adopted by init and nobody has to wait for it.
    close(report[0]);
    const pid_t grandchild = fork();
    if (grandchild < 0) {
      int e = errno;
      (void)!write(report[1], &e, sizeof e);
      _exit(1);
    }
    if (grandchild == 0) {
      setsid();
      int null = open("/dev/null", O_RDONLY);
      if (null >= 0) {
        dup2(null, 0);
        if (null != 0) close(null);
      }
      execv(program.c_str(), args.data());
      int e = errno;
      (void)!write(report[1], &e, sizeof e);
      _exit(127);
    }
    _exit(0);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  // The report pipe closes on a successful exec; a failure writes errno.
  int error = 0;
  ssize_t got;
  while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  if (got == 0) return kCommandStarted;
  return error == ENOMEM || error == EAGAIN ? 0 : 2;
}

#else

int StartDetached(const std::vector<std::string>&) { return 2; }

#endif

int StartPosixCommand(const std::string& commandLine) { return StartDetached(CommandArgv(commandLine)); }

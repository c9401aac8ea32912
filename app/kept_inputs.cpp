#include "app/kept_inputs.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &w[0], n);
  return w;
}

std::string Narrow(const wchar_t* w) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string s(static_cast<size_t>(n - 1), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w, -1, &s[0], n, nullptr, nullptr);
  return s;
}

FILE* Open(const std::string& path, const wchar_t* mode) { return _wfopen(Wide(path).c_str(), mode); }
bool MakeFolder(const std::string& path) {
  return CreateDirectoryW(Wide(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}
bool Replace(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}
bool IsMissing() { return errno == ENOENT; }
void Remove(const std::string& path) { _wremove(Wide(path).c_str()); }
#define KELVANE_READ L"rb"
#define KELVANE_WRITE L"wb"
#else
constexpr char kSeparator = '/';

FILE* Open(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }
bool MakeFolder(const std::string& path) { return mkdir(path.c_str(), 0700) == 0 || errno == EEXIST; }
bool Replace(const std::string& from, const std::string& to) { return std::rename(from.c_str(), to.c_str()) == 0; }
bool IsMissing() { return errno == ENOENT; }
void Remove(const std::string& path) { std::remove(path.c_str()); }
#define KELVANE_READ "rb"
#define KELVANE_WRITE "wb"
#endif

// Makes every folder of `path` above its last part.
bool MakeFoldersFor(const std::string& path) {
  for (size_t at = path.find_first_of("/\\", 1); at != std::string::npos; at = path.find_first_of("/\\", at + 1)) {
    const std::string folder = path.substr(0, at);
    if (folder.empty() || folder.back() == ':') continue;  // a drive, "C:"
    if (!MakeFolder(folder)) return false;
  }
  return true;
}

std::string Reason() { return std::strerror(errno); }

}  // namespace

bool ReadTextFile(const std::string& path, std::string& text, std::string& why, size_t limit) {
  text.clear();
  why.clear();
  errno = 0;
  FILE* f = Open(path, KELVANE_READ);
  if (!f) {
    if (!IsMissing()) why = Reason();
    return false;
  }
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
    text.append(buffer, n);
    if (text.size() > limit) {
      std::fclose(f);
      text.clear();
      why = "the file is larger than " + std::to_string(limit) + " bytes";
      return false;
    }
  }
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    text.clear();
    why = "the file could not be read";
    return false;
  }
  return true;
}

bool WriteTextFileAtomically(const std::string& path, const std::string& text, std::string& why) {
  why.clear();
  if (!MakeFoldersFor(path)) {
    why = "cannot make its folder: " + Reason();
    return false;
  }
  const std::string temporary = path + ".new";
  FILE* f = Open(temporary, KELVANE_WRITE);
  if (!f) {
    why = Reason();
    return false;
  }
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fflush(f) == 0;
#ifndef _WIN32
  ok = ok && fsync(fileno(f)) == 0;
#endif
  if (!ok) why = Reason();
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    why = Reason();
  }
  if (ok && !Replace(temporary, path)) {
    ok = false;
    why = "cannot put the new file in the old one's place";
  }
  if (!ok) Remove(temporary);
  return ok;
}

std::string UserConfigFolder(const std::string& program) {
#ifdef _WIN32
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (!appData || !*appData) return std::string();
  std::string name = program;
  if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return Narrow(appData) + kSeparator + name;
#else
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config == '/') return std::string(config) + kSeparator + program;
  const char* home = std::getenv("HOME");
  if (!home || !*home) return std::string();
  return std::string(home) + kSeparator + ".config" + kSeparator + program;
#endif
}

bool TFileInputStore::Load(std::string& text) {
  std::string why;
  if (ReadTextFile(path_, text, why)) return true;
  if (!why.empty()) Note("cannot read " + path_ + ": " + why);
  return false;
}

void TFileInputStore::Save(const std::string& text) {
  std::string why;
  if (!WriteTextFileAtomically(path_, text, why)) Note("cannot keep the inputs in " + path_ + ": " + why);
}

void TFileInputStore::Note(const std::string& line) { std::fprintf(stderr, "%s: %s\n", program_.c_str(), line.c_str()); }

std::string DefaultInputFile() {
  const std::string folder = UserConfigFolder("kelvane");
  if (folder.empty()) return std::string();
#ifdef _WIN32
  return folder + "\\designs.txt";
#else
  return folder + "/designs.txt";
#endif
}

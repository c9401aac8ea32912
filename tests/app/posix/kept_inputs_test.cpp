#include "app/kept_inputs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A fresh folder under the test's temporary directory.
std::string Folder(const char* name) {
  const char* tmp = std::getenv("TMPDIR");
  std::string base = std::string(tmp && *tmp ? tmp : "/tmp") + "/kelvane-text-file-XXXXXX";
  if (!mkdtemp(&base[0])) ADD_FAILURE() << "mkdtemp";
  return base + "/" + name;
}

TEST(TextFile, WritesReplaceWholeFilesAndMakeTheirFolders) {
  const std::string path = Folder("a/b") + "/designs.txt";
  std::string text, why;
  EXPECT_FALSE(ReadTextFile(path, text, why));
  EXPECT_EQ(why, "");  // missing: nothing to say
  ASSERT_TRUE(WriteTextFileAtomically(path, "first\n", why)) << why;
  ASSERT_TRUE(ReadTextFile(path, text, why));
  EXPECT_EQ(text, "first\n");
  ASSERT_TRUE(WriteTextFileAtomically(path, std::string("second\0with a zero", 18), why)) << why;
  ASSERT_TRUE(ReadTextFile(path, text, why));
  EXPECT_EQ(text, std::string("second\0with a zero", 18));
  // No temporary file is left beside it.
  EXPECT_NE(access((path + ".new").c_str(), F_OK), 0);
}

TEST(TextFile, FailuresLeaveTheOldFileAndSayWhy) {
  const std::string folder = Folder("ro");
  const std::string path = folder + "/designs.txt";
  std::string text, why;
  ASSERT_TRUE(WriteTextFileAtomically(path, "kept\n", why)) << why;
  // A folder is no file to read; a file where a folder should be cannot be written through.
  EXPECT_FALSE(ReadTextFile(folder, text, why));
  EXPECT_NE(why, "");
  EXPECT_FALSE(WriteTextFileAtomically(path + "/below.txt", "x", why));
  EXPECT_NE(why, "");
  ASSERT_TRUE(ReadTextFile(path, text, why));
  EXPECT_EQ(text, "kept\n");
  // Too large to be ours.
  ASSERT_TRUE(WriteTextFileAtomically(path, std::string(2000, 'x'), why));
  EXPECT_FALSE(ReadTextFile(path, text, why, 1000));
  EXPECT_EQ(why, "the file is larger than 1000 bytes");
  EXPECT_EQ(text, "");
}

TEST(TextFile, TheConfigurationFolderFollowsTheEnvironment) {
  const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
  const char* savedHome = std::getenv("HOME");
  const std::string xdg = savedXdg ? savedXdg : "", home = savedHome ? savedHome : "";
  const struct {
    const char* xdg;  // nullptr: unset
    const char* home;
    const char* folder;
  } cases[] = {
      {"/cfg", "/home/u", "/cfg/kelvane"},
      {nullptr, "/home/u", "/home/u/.config/kelvane"},
      {"", "/home/u", "/home/u/.config/kelvane"},
      {"relative", "/home/u", "/home/u/.config/kelvane"},  // not absolute: ignored
      {nullptr, nullptr, ""},
  };
  for (const auto& c : cases) {
    if (c.xdg) setenv("XDG_CONFIG_HOME", c.xdg, 1); else unsetenv("XDG_CONFIG_HOME");
    if (c.home) setenv("HOME", c.home, 1); else unsetenv("HOME");
    EXPECT_EQ(UserConfigFolder("kelvane"), c.folder) << (c.xdg ? c.xdg : "(unset)");
  }
  if (savedXdg) setenv("XDG_CONFIG_HOME", xdg.c_str(), 1); else unsetenv("XDG_CONFIG_HOME");
  if (savedHome) setenv("HOME", home.c_str(), 1); else unsetenv("HOME");
}

}  // namespace

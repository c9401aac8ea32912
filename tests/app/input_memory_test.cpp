// Inputs kept between runs: what a run keeps, what the next run starts
// with, and that a text it cannot use leaves the pages as they always
// start, with one note.
#include "ui/input_memory.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "pages/main_form.h"
#include "ui/headless/driver.h"

namespace {

class TMemoryStore : public TInputStore {
 public:
  bool Load(std::string& text) override {
    if (!has_) return false;
    text = kept_;
    return true;
  }
  void Save(const std::string& text) override {
    kept_ = text;
    has_ = true;
    ++saves_;
  }
  void Note(const std::string& line) override { notes_.push_back(line); }

  bool has_ = false;
  std::string kept_;
  int saves_ = 0;
  std::vector<std::string> notes_;
};

std::string Drive(const std::string& script, TInputStore* store, const std::vector<std::string>& args = {}) {
  std::istringstream in(script);
  std::ostringstream out;
  EXPECT_EQ(RunDrive(args, in, out, &MakeMainScheme, std::chrono::seconds(30), store), 0) << out.str();
  return out.str();
}

const char kLook[] = "get 0@315,15\nget 0@315,45\ncopy 2\ncopy 6\n";

TEST(InputMemory, TheNextRunStartsWithWhatTheLastLeftAndCalculatesWithIt) {
  TMemoryStore store;
  const std::string fresh = Drive(kLook, nullptr);
  Drive("set 0@315,15 12\npick 0@315,45 #3\naccurate on\ntab 2\npick 2@315,65 #2\nset 2@315,40 1.5\n"
        "tab 6\npick 6@315,15 7812\nset 6@315,40 20\nquit\n",
        &store);
  ASSERT_EQ(store.saves_, 1);
  EXPECT_NE(store.kept_.find("0 315,15 edit 12\n"), std::string::npos) << store.kept_;
  EXPECT_NE(store.kept_.find(" check 1\n"), std::string::npos) << store.kept_;
  const std::string again = Drive(kLook + std::string("calc 0\nwait\nget 0@310,75\n"), &store);
  EXPECT_EQ(again,
            "0@315,15 \"12\"\n0@315,45 \"180\"\n"
            "copy 2 \"L200\\nVout = 5 V\\nIout = 1.5 A\\nR1 = 1000 Om\\nR2 = 0 kOm\\nR3 = 0 Om\\nP(R3) = 0 W\\nR3 power rating = 0 W\"\n"
            "copy 6 \"78xx Voltage\\nType = 7812\\nVout = 20 V\\nR1 = 240 Om\\nR2 = 0 Om\"\n"
            // 1.535 kOm without the accurate search: the ticked box came back too.
            "0@310,75 \"1.536\"\n")
      << again;
  EXPECT_NE(fresh.substr(0, 20), again.substr(0, 20));
  EXPECT_TRUE(store.notes_.empty());
}

TEST(InputMemory, FreshStartsAsAlwaysAndAFieldThatIsNoNumberIsNotKept) {
  TMemoryStore store;
  const std::string fresh = Drive(kLook, nullptr);
  Drive("set 0@315,15 12\ntab 2\nset 2@315,15 abc\nquit\n", &store);
  EXPECT_EQ(store.kept_.find("abc"), std::string::npos);
  EXPECT_EQ(Drive(kLook, &store, {"--fresh"}), fresh);
  EXPECT_TRUE(store.notes_.empty());
}

TEST(InputMemory, AKeptTextThatDoesNotFitIsRefusedWholeWithOneNote) {
  const std::string fresh = Drive(kLook, nullptr);
  const struct {
    const char* text;
    const char* note;
  } cases[] = {
      {"", "not a Kelvane inputs file"},
      {"<html>\n0 315,15 edit 12\n", "not a Kelvane inputs file"},
      {"Kelvane inputs 2\n0 315,15 edit 12\n", "not a Kelvane inputs file"},
      {"Kelvane inputs 1\n0 315,15 edit 12\n0 315,16 edit 3\n", "line 3: no control at 0 315,16"},
      {"Kelvane inputs 1\n0 315,15 edit 12\n0 315,45 edit 3\n", "line 3: the control at 0 315,45 is no edit"},
      {"Kelvane inputs 1\n0 315,45 list #3 181\n", "line 2: the list has no such line"},
      {"Kelvane inputs 1\n0 315,45 list #99 180\n", "line 2: the list has no such line"},
      {"Kelvane inputs 1\n0 315,45 list 180\n", "line 2: \"180\" is no number"},
      {"Kelvane inputs 1\n0 315,15 edit 1,5\n", "line 2: \"1,5\" is no number"},
      {"Kelvane inputs 1\n0 315,15 edit\n", "line 2: \"\" is no number"},
      {"Kelvane inputs 1\n0 279,150/3,3 check yes\n", "line 2: a check box is 0 or 1"},
      {"Kelvane inputs 1\n12 315,15 edit 5\n", "line 2: no control at 12 315,15"},
      {"Kelvane inputs 1\n0 x,15 edit 5\n", "line 2: no address"},
      {"Kelvane inputs 1\n-1 315,15 edit 5\n", "line 2: no page number"},
  };
  for (const auto& c : cases) {
    TMemoryStore store;
    store.has_ = true;
    store.kept_ = c.text;
    EXPECT_EQ(Drive(kLook, &store), fresh) << c.text;
    ASSERT_EQ(store.notes_.size(), 1u) << c.text;
    EXPECT_EQ(store.notes_[0], std::string("the kept inputs were not used (") + c.note + "); the pages start as always");
  }
}

}  // namespace

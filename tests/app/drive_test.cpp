#include "ui/headless/driver.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

#include "pages/main_form.h"
#include "support/random_user.h"
#include "support/sample_scheme.h"

namespace {

struct TDriveRun {
  std::string out;
  int status = -1;
  TSampleScheme::TCounters counters;
};

TDriveRun Drive(const std::string& script, const std::vector<std::string>& args = {}, int steps = 2000,
                std::chrono::milliseconds waitLimit = std::chrono::seconds(30)) {
  TDriveRun run;
  std::istringstream in(script);
  std::ostringstream out;
  run.status = RunDrive(args, in, out, SampleFactory(&run.counters, steps), waitLimit);
  run.out = out.str();
  return run;
}

struct Case {
  const char* what;
  const char* script;
  const char* output;
};

template <size_t N>
void CheckAll(const Case (&cases)[N], int status) {
  for (const Case& c : cases) {
    TDriveRun run = Drive(c.script);
    EXPECT_EQ(run.out, c.output) << c.what;
    EXPECT_EQ(run.status, status) << c.what;
  }
}

TEST(Drive, CommandsActAndReadAsAUserWould) {
  const Case cases[] = {
      {"window", "window\n", "window \"Sample\" 290,231 445x307 maximize=yes sizable=no\n"},
      {"tabs and pages", "pages\ntab 1\npages\ntab 1\npages\ntab 2\npages\n",
       "visible 0\nvisible 1\nvisible 1\nvisible 2\n"},
      {"label caption", "get 0@280,20\n", "0@280,20 \"Vout\"\n"},
      {"set then calc", "set 0@315,15 7\ncalc 0\nget 0@310,100\n", "0@310,100 \"14\"\n"},
      {"set empty, with and without the blank", "set 0@315,15 \ncalc 0\nset 0@315,15\ncalc 0\nget 0@310,100\n",
       "box \"Warning!\" \"Output Voltage must be set. \" 48\n"
       "box \"Warning!\" \"Output Voltage must be set. \" 48\n0@310,100 \"0\"\n"},
      {"typing restores invalid text", "type 0@315,15 a\nget 0@315,15\ntype 0@315,15 1e\nget 0@315,15\ncalc 0\n",
       "0@315,15 \"5\"\n0@315,15 \"51e\"\nbox \"Warning!\" \"Output Voltage must be set. \" 48\n"},
      {"typing after a paste", "set 0@315,15 2.5\ntype 0@315,15 x5\nget 0@315,15\n", "0@315,15 \"2.55\"\n"},
      {"pick by text and number", "get 0@315,45\npick 0@315,45 240\nget 0@315,45\npick 0@315,45 #2\nget 0@315,45\n",
       "0@315,45 \"\"\n0@315,45 \"240\"\n0@315,45 \"1000\"\n"},
      {"editable list", "get 0@315,70\npick 0@315,70 1000\nget 0@315,70\ntype 0@315,70 5\nget 0@315,70\n"
       "set 0@315,70 x y \nget 0@315,70\n",
       "0@315,70 \"ComboBox\"\n0@315,70 \"1000\"\n0@315,70 \"10005\"\n0@315,70 \"x y \"\n"},
      {"enter", "key 0@315,15 enter\nget 0@310,100\nget 0@315,15\nkey 0@315,15 ENTER\n",
       "box \"Question\" \"Use this value?\" 36\n0@310,100 \"6\"\n0@315,15 \"\"\n"},
      {"answers go to the next boxes in turn",
       "answer no\nanswer yes\nkey 0@315,15 enter\nget 0@310,100\nset 0@315,15 1\nkey 0@315,15 enter\nget 0@310,100\n",
       "box \"Question\" \"Use this value?\" 36\n0@310,100 \"7\"\n"
       "box \"Question\" \"Use this value?\" 36\n0@310,100 \"6\"\n"},
      {"accurate clicks only on a change",
       "get 0@100,225\naccurate on\nget 0@100,225\naccurate on\nget 0@100,225\naccurate off\nget 0@100,225\n",
       "0@100,225 \"-\"\n0@100,225 \"1\"\n0@100,225 \"1\"\n0@100,225 \"0\"\n"},
      {"info label", "info 0@280,20\n",
       "info 0@280,20 kind=label rect=280,20,36,16 visible=1 enabled=1 tab=0 "
       "font=\"Arial\",10,1,0x00800000,204 hint=\"Output \\\"voltage\\\"\\\\\"\n"},
      {"info edit", "info 0@315,15\n",
       "info 0@315,15 kind=edit rect=315,15,55,21 visible=1 enabled=1 tab=1 "
       "font=\"Arial\",9,1,0x00000000,204 hint=\"Output voltage\"\n"},
      {"info panel, combo, image", "info 0@273,195\ninfo 0@315,45\ninfo 0@10,19\n",
       "info 0@273,195 kind=panel rect=273,195,130,32 visible=1 enabled=1 tab=0 font=\"Arial\",8,0,0x00000000,1 hint=\"\"\n"
       "info 0@315,45 kind=combo rect=315,45,55,21 visible=1 enabled=1 tab=0 font=\"\",0,0,0x00000000,0 hint=\"\"\n"
       "info 0@10,19 kind=image rect=10,19,250,200 visible=1 enabled=1 tab=0 font=\"\",0,0,0x00000000,0 hint=\"\"\n"},
      {"info on a hidden page", "info 1@273,195\n",
       "info 1@273,195 kind=panel rect=273,195,130,32 visible=0 enabled=1 tab=0 font=\"\",0,0,0x00000000,0 hint=\"\"\n"},
      {"quoting and code page", "set 0@315,70 a\"b\\c\t\xD0\x81\xD0\xB6\rq\nget 0@315,70\nset 0@315,70 \xE6\xBC\xA2\nget 0@315,70\n",
       "0@315,70 \"a\\\"b\\\\c\\t\xD0\x81\xD0\xB6\\rq\"\n0@315,70 \"?\"\n"},
      {"blank and comment lines", "\n   \n# get 0@1,1\n  # indented\nwindow\r\n",
       "window \"Sample\" 290,231 445x307 maximize=yes sizable=no\n"},
      {"answer ok", "answer ok\nset 0@315,15 \ncalc 0\n", "box \"Warning!\" \"Output Voltage must be set. \" 48\n"},
      {"quit stops reading", "quit\nfrobnicate\n", ""},
      {"worker finished by wait", "tab 1\ncalc 1\nwait\nget 1@10,10\nwait\n", "1@10,10 \"2000\"\n"},
  };
  CheckAll(cases, 0);
}

TEST(DriveErrors, EachBadLineSaysWhyAndTheScriptGoesOn) {
  const Case cases[] = {
      {"unknown command", "frobnicate\n", "error: unknown command \"frobnicate\"\n"},
      {"bad address", "get 0@x,1\n", "error: bad address \"0@x,1\" (expected P@X,Y)\n"},
      {"no control", "get 0@1,1\n", "error: no control at 0@1,1\n"},
      {"no page", "info 7@1,1\n", "error: no page 7\n"},
      {"no tab", "tab 9\n", "error: no tab 9\n"},
      {"tab without number", "tab\n", "error: tab needs a tab number\n"},
      {"typing into a label", "set 0@280,20 5\n", "error: 0@280,20 (label) is not a field one can type into\n"},
      {"picking from an edit", "pick 0@315,15 5\n", "error: 0@315,15 (edit) is not a drop-down list\n"},
      {"no such line", "pick 0@315,45 999\n", "error: no line \"999\" in 0@315,45\n"},
      {"no such line number", "pick 0@315,45 #3\n", "error: no line #3 in 0@315,45\n"},
      {"unknown key", "key 0@315,15 escape\n", "error: unknown key \"escape\" (known: enter, ctrl+tab, ctrl+shift+tab, ctrl+pgdn, ctrl+pgup, ctrl+c)\n"},
      {"page without button", "calc 2\n", "error: page 2 has no Calculate button\n"},
      {"button not on screen", "calc 1\n", "error: the Calculate button of page 1 is not on screen\n"},
      {"field not on screen", "tab 1\ntype 0@315,15 1\nget 0@315,15\n",
       "error: 0@315,15 is not on screen\n0@315,15 \"5\"\n"},
      {"a Ctrl key in a field not on screen", "tab 1\nkey 0@315,15 ctrl+tab\npages\n",
       "error: 0@315,15 is not on screen\nvisible 1\n"},
      {"calc without number", "calc x\n", "error: calc needs a page number\n"},
      {"accurate what", "accurate maybe\n", "error: accurate takes on or off\n"},
      {"stray argument", "pages now\n", "error: \"pages\" takes no arguments\n"},
      {"unknown button", "answer maybe\n", "error: unknown button \"maybe\" (ok, cancel, yes, no, abort, retry or ignore)\n"},
      {"answer the box cannot take", "answer cancel\nset 0@315,15 \ncalc 0\nget 0@310,100\n",
       "box \"Warning!\" \"Output Voltage must be set. \" 48\nerror: the box has no cancel button\n0@310,100 \"0\"\n"},
      {"goes on after an error", "frobnicate\nget 0@280,20\n",
       "error: unknown command \"frobnicate\"\n0@280,20 \"Vout\"\n"},
  };
  CheckAll(cases, 1);
}

// What the user typed is echoed quoted like every text, so a tab, a zero
// byte or bytes that are not UTF-8 cannot break the line protocol.
TEST(DriveErrors, EchoedInputIsQuotedAndEscaped) {
  const Case cases[] = {
      {"bytes that are not UTF-8", "\xff\xfe\n", "error: unknown command \"\\xFF\\xFE\"\n"},
      {"a tab inside the command", "tab\t3\n", "error: unknown command \"tab\\t3\"\n"},
      {"escape in an address", "get 0@1,\x1b[2J\n", "error: bad address \"0@1,\\x1B[2J\" (expected P@X,Y)\n"},
      {"quote in a key name", "key 0@315,15 \"enter\"\n", "error: unknown key \"\\\"enter\\\"\" (known: enter, ctrl+tab, ctrl+shift+tab, ctrl+pgdn, ctrl+pgup, ctrl+c)\n"},
      {"cut-short sequence in a line", "pick 0@315,45 \xd0\n", "error: no line \"\\xD0\" in 0@315,45\n"},
      {"junk after a line mark", "pick 0@315,45 #\x07\n", "error: no line \"#\\x07\" in 0@315,45\n"},
      {"Cyrillic stays readable", "answer \xd0\xb4\xd0\xb0\n",
       "error: unknown button \"\xd0\xb4\xd0\xb0\" (ok, cancel, yes, no, abort, retry or ignore)\n"},
  };
  CheckAll(cases, 1);
  TDriveRun zero = Drive(std::string("wait\0x\n", 7));
  EXPECT_EQ(zero.out, "error: unknown command \"wait\\x00x\"\n");
  EXPECT_EQ(zero.status, 1);
}

// A stream that takes `room` bytes and then fails, as a full disk or a
// closed pipe does.
class TFullBuf : public std::streambuf {
 public:
  explicit TFullBuf(size_t room) : room_(room) {}
  std::string taken;

 protected:
  int_type overflow(int_type c) override {
    if (c == traits_type::eof() || taken.size() >= room_) return traits_type::eof();
    taken += traits_type::to_char_type(c);
    return c;
  }

 private:
  size_t room_;
};

TEST(DriveErrors, OutputThatCannotBeWrittenStopsTheRunWithStatusTwo) {
  struct OutputCase {
    const char* what;
    size_t room;
    const char* taken;
  } cases[] = {
      {"nothing can be written", 0, ""},
      {"the disk fills up in the second line", 20, "0@280,20 \"Vout\"\n0@28"},
  };
  for (const OutputCase& c : cases) {
    TSampleScheme::TCounters counters;
    std::istringstream in("get 0@280,20\nget 0@280,20\ncalc 0\nget 0@310,100\n");
    TFullBuf full(c.room);
    std::ostream out(&full);
    EXPECT_EQ(RunDrive({}, in, out, SampleFactory(&counters, 2000)), kDriveOutputFailed) << c.what;
    EXPECT_EQ(full.taken, c.taken) << c.what;
    // The run stopped at the failed line: Calculate was never pressed, and
    // the window still closed as a user would close it.
    EXPECT_EQ(counters.order, (std::vector<std::string>{"create", "show", "close"})) << c.what;
  }
}

TEST(Drive, InfoSwitchPrintsTheBoxAndReadsNothing) {
  TDriveRun run = Drive("frobnicate\n", {"/ih"});
  EXPECT_EQ(run.out, "box \"Wirebench Info\" \"\xD0\xA1\xD0\xB4\xD0\xB5\xD0\xBB\xD0\xB0\xD0\xBD\xD0\xBE \xD0\xB2 Wirebench.\" 0\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(run.counters.order.empty());
}

TEST(Drive, EndOfInputAndQuitCloseTheWindowAsAUserWould) {
  for (const char* script : {"", "window\n", "quit\n"}) {
    TDriveRun run = Drive(script);
    EXPECT_EQ(run.counters.order, (std::vector<std::string>{"create", "show", "close"})) << script;
    EXPECT_TRUE(run.counters.dispatchAtClose);
    EXPECT_EQ(run.counters.destroyed, 1);
  }
}

TEST(DriveErrors, WaitGivesUpWithTimeout) {
  TDriveRun run = Drive("tab 1\ncalc 1\nwait\n", {}, 1000000000, std::chrono::milliseconds(50));
  EXPECT_EQ(run.out, "timeout\n");
  EXPECT_EQ(run.status, 0) << "a timeout is an answer, not an error";
  EXPECT_EQ(run.counters.destroyed, 1) << "closing still ends the worker";
}

TEST(DriveErrors, NoSchemeNoSession) {
  std::istringstream in("window\n");
  std::ostringstream out;
  EXPECT_EQ(RunDrive({}, in, out, [] { return std::unique_ptr<TMainScheme>(); }), 1);
  EXPECT_EQ(out.str(), "error: the program could not start\n");
}

TEST(QuoteText, EscapesOnlyWhatItMust) {
  const Case cases[] = {
      {"plain", "Kelvane v1.3", "\"Kelvane v1.3\""},
      {"specials", "a\\b\"c\rd\ne\tf", "\"a\\\\b\\\"c\\rd\\ne\\tf\""},
      {"cyrillic", "R\xED<", "\"R\xD0\xBD<\""},
      {"others stay", "'$%{}/", "\"'$%{}/\""},
      {"empty", "", "\"\""},
      {"control bytes", "\x01\x1b\x7f", "\"\\x01\\x1B\\x7F\""},
      {"a byte the code page lacks", "\x98", "\"?\""},
  };
  for (const Case& c : cases) EXPECT_EQ(QuoteText(c.script), c.output) << c.what;
}

// Every quoted line is valid UTF-8 without control characters, and the
// escapes give back the very bytes that were quoted.
TEST(QuoteUtf8, EscapesWhatIsNotCleanUtf8AndKeepsTheRest) {
  const struct {
    const char* what;
    std::string text;
    const char* quoted;
  } cases[] = {
      {"two-, three- and four-byte characters", "\xd0\x9e\xe2\x82\xac\xf0\x9f\x98\x80", "\"\xd0\x9e\xe2\x82\xac\xf0\x9f\x98\x80\""},
      {"stray continuation byte", "a\x80" "b", "\"a\\x80b\""},
      {"overlong slash", "\xc0\xaf", "\"\\xC0\\xAF\""},
      {"surrogate half", "\xed\xa0\x80", "\"\\xED\\xA0\\x80\""},
      {"past U+10FFFF", "\xf4\x90\x80\x80", "\"\\xF4\\x90\\x80\\x80\""},
      {"cut short at the end", "x\xe2\x82", "\"x\\xE2\\x82\""},
      {"C1 control character", "\xc2\x85", "\"\\xC2\\x85\""},
      {"no-break space is no control", "\xc2\xa0", "\"\xc2\xa0\""},
      {"zero byte and escape", std::string("\0\x1b", 2), "\"\\x00\\x1B\""},
      {"a backslash before x stays apart", "\\x41", "\"\\\\x41\""},
  };
  for (const auto& c : cases) {
    const std::string quoted = QuoteUtf8(c.text);
    EXPECT_EQ(quoted, c.quoted) << c.what;
    std::string back;
    EXPECT_TRUE(UnquoteDriveText(quoted, back)) << c.what;
    EXPECT_EQ(back, c.text) << c.what;
  }
}

// The application's main window, driven as the scenario tests will drive it.
TEST(DriveMainWindow, StartsOnTheFirstPageWithoutMaximiseBox) {
  std::istringstream in("window\npages\ntab 3\npages\ntab 3\npages\ntab 9\npages\ntab 0\npages\n");
  std::ostringstream out;
  EXPECT_EQ(RunDrive({}, in, out, &MakeMainScheme), 0);
  EXPECT_EQ(out.str(),
            "window \"Kelvane v1.3\" 290,231 445x307 maximize=no sizable=no\n"
            "visible 0\nvisible 3\nvisible 3\nvisible 9\nvisible 0\n");
}

// The driver works in the layout's pixels: a scale asked for changes
// nothing it prints, and "/ih" after it is no switch.
TEST(DriveMainWindow, StaysAtScaleOneWhateverTheArgumentsAsk) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--scale", "2"}, {"--scale", "3", "/ih"}, {"--scale", "junk"}}) {
    std::istringstream in("window\ninfo 0@315,15\n");
    std::ostringstream out;
    EXPECT_EQ(RunDrive(args, in, out, &MakeMainScheme), 0) << args[1];
    EXPECT_EQ(out.str().substr(0, out.str().find('\n') + 1),
              "window \"Kelvane v1.3\" 290,231 445x307 maximize=no sizable=no\n") << args[1];
    EXPECT_NE(out.str().find("rect=315,15,"), std::string::npos) << out.str();
  }
}

}  // namespace

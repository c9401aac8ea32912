#include "ui/headless/driver.h"

#include <gtest/gtest.h>

#include <sstream>

#include "pages/main_form.h"
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
      {"unknown key", "key 0@315,15 escape\n", "error: unknown key \"escape\" (known: enter, ctrl+tab, ctrl+shift+tab, ctrl+pgdn, ctrl+pgup)\n"},
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
  };
  for (const Case& c : cases) EXPECT_EQ(QuoteText(c.script), c.output) << c.what;
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

}  // namespace

#include "elements/system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/probe.h"
#include "support/recording_system.h"

namespace {

class SystemElements : public DispatchOn {};

TEST_F(SystemElements, MessageStyleFromButtonsAndIcon) {
  struct Case {
    uint8_t buttons, icon;
    uint32_t style;
  };
  const Case cases[] = {
      {0, 0, 0},  {1, 0, 1},  {2, 2, 36}, {3, 1, 19}, {4, 4, 69},
      {5, 3, 50}, {0, 5, 48}, {2, 5, 52}, {6, 6, 0},  {255, 1, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "buttons " << int(c.buttons) << " icon " << int(c.icon));
    TRecordingSystem system;
    THIMessage box;
    box.Message = "m";
    box.Buttons = c.buttons;
    box.Icon = c.icon;
    FireNone(MakeLink<&THIMessage::doMessage>(&box));
    ASSERT_EQ(system.boxes().size(), 1u);
    EXPECT_EQ(system.boxes()[0].style, c.style);
    EXPECT_TRUE(system.boxes()[0].owned);
  }
}

TEST_F(SystemElements, MessageTextAndCaption) {
  struct Case {
    const char* name;
    std::string message, caption;
    bool wired;  // Text reads "linked text", Caption reads "linked caption"
    TData incoming;
    std::string text, shownCaption;
  };
  const Case cases[] = {
      {"defaults", "Output current must be < 100mA. ", "Warning!", false, Int(5), "Output current must be < 100mA. ",
       "Warning!"},
      {"incoming value as the text", "", "Warning!", false, Int(12), "12", "Warning!"},
      {"the caption cannot take it after the text", "", "", false, Str("x"), "x", ""},
      {"the caption takes it when the text has a default", "m", "", false, Str("x"), "m", "x"},
      {"inputs win", "m", "c", true, Str("x"), "linked text", "linked caption"},
      {"empty box", "", "", false, TData(), "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRecordingSystem system;
    THIMessage box;
    TSource text, caption;
    text.value = Str("linked text");
    caption.value = Str("linked caption");
    box.Message = c.message;
    box.CaptionDef = c.caption;
    if (c.wired) {
      box.Text = text.Out();
      box.Caption = caption.Out();
    }
    TData d = c.incoming;
    FireEvent(MakeLink<&THIMessage::doMessage>(&box), d);
    ASSERT_EQ(system.boxes().size(), 1u);
    EXPECT_EQ(system.boxes()[0].text, c.text);
    EXPECT_EQ(system.boxes()[0].caption, c.shownCaption);
  }
}

TEST_F(SystemElements, MessageFiresThePressedButton) {
  TRecordingSystem system;
  system.answers = {IdNo, IdCancel};
  THIMessage box;
  TProbe pressed;
  box.onMessage = pressed.In();
  box.Buttons = 3;
  FireString(MakeLink<&THIMessage::doMessage>(&box), "Save?");
  FireString(MakeLink<&THIMessage::doMessage>(&box), "Save?");
  FireString(MakeLink<&THIMessage::doMessage>(&box), "Save?");
  EXPECT_EQ(pressed.got, (std::vector<std::string>{"int 7", "int 2", "int 1"}));
}

TEST_F(SystemElements, MessageWithoutPlatformAnswersOk) {
  THIMessage box;
  TProbe pressed;
  box.onMessage = pressed.In();
  FireString(MakeLink<&THIMessage::doMessage>(&box), "x");
  EXPECT_EQ(pressed.got, std::vector<std::string>{"int 1"});
}

TEST_F(SystemElements, WinExecBuildsTheCommandLine) {
  struct Case {
    const char* name;
    std::string file, params;
    uint8_t showMode;
    int status;
    std::string command;
    int shownAs;
    bool fired;
  };
  const Case cases[] = {
      {"control panel item", "C:\\x\\Main.CPL", "p", 3, kCommandStarted,
       "rundll32.exe shell32.dll,Control_RunDLL C:\\x\\Main.CPL", 1, false},
      {"control panel item, small letters", "desk.cpl", "", 0, kCommandStarted,
       "rundll32.exe shell32.dll,Control_RunDLL desk.cpl", 1, false},
      {"web address", "explorer", "http://www.example.com/", 1, kCommandStarted, "explorer http://www.example.com/", 1,
       true},
      {"empty parameters keep the blank", "explorer", "", 1, kCommandStarted, "explorer ", 1, true},
      {"dot only in a directory", "C:\\dir.cpl\\prog", "", 1, kCommandStarted, "C:\\dir.cpl\\prog ", 1, true},
      {"show mode passed on", "notepad.exe", "a.txt", 3, kCommandStarted, "notepad.exe a.txt", 3, true},
      {"not started", "nothing", "", 1, 2, "nothing ", 1, false},
      {"started means exactly 33", "nothing", "", 1, 32, "nothing ", 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRecordingSystem system;
    system.startStatus = c.status;
    THIWinExec exec;
    TProbe started;
    exec.FileNameDef = c.file;
    exec.ParamDef = c.params;
    exec.ShowMode = c.showMode;
    exec.onExec = started.In();
    FireNone(MakeLink<&THIWinExec::doExec>(&exec));
    ASSERT_EQ(system.commands().size(), 1u);
    EXPECT_EQ(system.commands()[0].commandLine, c.command);
    EXPECT_EQ(system.commands()[0].showMode, c.shownAs);
    EXPECT_EQ(started.got, c.fired ? std::vector<std::string>{"none"} : std::vector<std::string>{});
  }
}

TEST_F(SystemElements, WinExecReadsFileNameFirst) {
  struct Case {
    const char* name;
    std::string fileDef, paramDef;
    bool wired;
    TData incoming;
    std::string command;
  };
  const Case cases[] = {
      {"incoming value is the file name", "", "", false, Str("calc"), "calc "},
      {"incoming value is the parameter", "explorer", "", false, Str("http://a/"), "explorer http://a/"},
      {"inputs win", "x", "y", true, Str("z"), "explorer http://b/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRecordingSystem system;
    THIWinExec exec;
    TSource file, param;
    file.value = Str("explorer");
    param.value = Str("http://b/");
    exec.FileNameDef = c.fileDef;
    exec.ParamDef = c.paramDef;
    if (c.wired) {
      exec.FileName = file.Out();
      exec.Param = param.Out();
    }
    TData d = c.incoming;
    FireEvent(MakeLink<&THIWinExec::doExec>(&exec), d);
    ASSERT_EQ(system.commands().size(), 1u);
    EXPECT_EQ(system.commands()[0].commandLine, c.command);
  }
}

TEST_F(SystemElements, WinExecUsesTheStartRoutineItIsGiven) {
  TRecordingSystem system;
  THIWinExec exec;
  std::vector<std::string> calls;
  exec.StartRoutine = [&](const std::string& file, const std::string& params) { calls.push_back(file + "|" + params); };
  exec.FileNameDef = "f";
  exec.ParamDef = "p";
  FireNone(MakeLink<&THIWinExec::doExec>(&exec));
  EXPECT_EQ(calls, std::vector<std::string>{"f|p"});
  EXPECT_TRUE(system.commands().empty());
}

TEST_F(SystemElements, WinExecWithoutPlatformStartsNothing) {
  THIWinExec exec;
  TProbe started;
  exec.FileNameDef = "explorer";
  exec.onExec = started.In();
  FireNone(MakeLink<&THIWinExec::doExec>(&exec));
  EXPECT_TRUE(started.got.empty());
}

TEST_F(SystemElements, SysMenuRemovesTheMaximizeBox) {
  struct Case {
    const char* name;
    bool wired;  // the handle input reads 100
    TData incoming;
    int32_t style;  // the window's style afterwards
    std::vector<int32_t> redraws;
  };
  const Case cases[] = {
      {"handle from the input", true, TData(), 0x00CE0000, {100}},
      {"handle from the incoming value", false, Int(100), 0x00CE0000, {100}},
      {"no handle does nothing", false, TData(), 0x00CF0000, {}},
      {"handle 0 does nothing", false, Int(0), 0x00CF0000, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRecordingSystem system;
    system.styles[100] = 0x00CF0000;
    THISysMenu menu;
    TSource handle;
    handle.value = Int(100);
    if (c.wired) menu.Handle = handle.Out();
    TData d = c.incoming;
    FireEvent(MakeLink<&THISysMenu::doRemoveMaximize>(&menu), d);
    EXPECT_EQ(system.styles[100], c.style);
    EXPECT_EQ(system.menuRedraws, c.redraws);
    if (!c.redraws.empty()) {
      EXPECT_EQ(menu.HandleValue, 100);
      EXPECT_EQ(menu.Style, 0x00CF0000);
    }
  }
}

}  // namespace

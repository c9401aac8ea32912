#include "ui/headless/driver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>

#include "runtime/data.h"
#include "runtime/scheme_lock.h"
#include "ui/encoding.h"
#include "ui/headless/headless.h"
#include "ui/main_form.h"
#include "ui/program.h"
#include "ui/tab_control.h"

namespace {

void AppendByteEscape(std::string& out, unsigned char b) {
  static const char kHex[] = "0123456789ABCDEF";
  out += "\\x";
  out += kHex[b >> 4];
  out += kHex[b & 15];
}

}  // namespace

std::string QuoteUtf8(const std::string& text) {
  std::string out = "\"";
  out.reserve(text.size() + 2);
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0 || IsControlCharacterAt(text, i)) {
      const size_t bytes = std::max<size_t>(length, 1);
      switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
          for (size_t k = 0; k < bytes; ++k) AppendByteEscape(out, static_cast<unsigned char>(text[i + k]));
      }
      i += bytes;
      continue;
    }
    if (c == '\\') out += "\\\\";
    else if (c == '"') out += "\\\"";
    else out.append(text, i, length);
    i += length;
  }
  return out + "\"";
}

std::string QuoteText(const std::string& text) { return QuoteUtf8(Cp1251ToUtf8(text)); }

std::string ClipboardUtf8(const std::string& text) {
  std::string out = Cp1251ToUtf8(text);
  for (size_t at = out.find("\r\n"); at != std::string::npos; at = out.find("\r\n", at)) out.erase(at, 1);
  return out;
}

namespace {

struct TAddress {
  int Page = 0;
  int X = 0;
  int Y = 0;
  std::string Text() const { return IntegerToText(Page) + "@" + IntegerToText(X) + "," + IntegerToText(Y); }
};

// A whole decimal integer, optionally negative, of at most nine digits.
bool ParseInt(const std::string& s, int& out) {
  size_t i = (!s.empty() && s[0] == '-') ? 1 : 0;
  if (i == s.size() || s.size() - i > 9) return false;
  for (size_t k = i; k < s.size(); ++k)
    if (s[k] < '0' || s[k] > '9') return false;
  out = TextToInteger(s);
  return true;
}

bool ParseAddress(const std::string& s, TAddress& a) {
  const size_t at = s.find('@'), comma = s.find(',', at == std::string::npos ? 0 : at);
  if (at == std::string::npos || comma == std::string::npos) return false;
  return ParseInt(s.substr(0, at), a.Page) && a.Page >= 0 && ParseInt(s.substr(at + 1, comma - at - 1), a.X) &&
         ParseInt(s.substr(comma + 1), a.Y);
}

// Splits "WORD REST" at the first blank; REST is everything after it.
void SplitFirst(const std::string& s, std::string& word, std::string& rest, bool& hadBlank) {
  const size_t blank = s.find(' ');
  hadBlank = blank != std::string::npos;
  word = s.substr(0, blank);
  rest = hadBlank ? s.substr(blank + 1) : std::string();
}

std::string KindName(TControlKind k) {
  switch (k) {
    case TControlKind::Form: return "form";
    case TControlKind::Button: return "button";
    case TControlKind::CheckBox: return "checkbox";
    case TControlKind::GroupBox: return "groupbox";
    case TControlKind::Edit: return "edit";
    case TControlKind::Label: return "label";
    case TControlKind::PickList:
    case TControlKind::EditList: return "combo";
    case TControlKind::TabStrip: return "tabs";
    case TControlKind::Panel: return "panel";
    case TControlKind::Image: return "image";
    case TControlKind::Table: return "table";
  }
  return "control";
}

std::string Hex32(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", v);
  return buf;
}

struct TButtonName {
  const char* name;
  int id;
};
const TButtonName kButtons[] = {{"ok", IdOk},     {"cancel", IdCancel}, {"yes", IdYes},      {"no", IdNo},
                                {"abort", IdAbort}, {"retry", IdRetry},   {"ignore", IdIgnore}};

std::string ButtonName(int id) {
  for (const TButtonName& b : kButtons)
    if (b.id == id) return b.name;
  return "?";
}

class TDriver {
 public:
  TDriver(THeadlessPlatform& platform, std::istream& in, std::ostream& out, std::chrono::milliseconds waitLimit)
      : p_(platform), in_(in), out_(out), wait_limit_(waitLimit) {}

  TMainScheme* Scheme = nullptr;
  bool Failed = false;
  bool OutputFailed = false;  // standard output could not be written: the run stops

  int AnswerBox(const THeadlessPlatform::TBox& box) {
    Print("box " + QuoteText(box.Caption) + " " + QuoteText(box.Text) + " " + IntegerToText(static_cast<int32_t>(box.Style)));
    if (answers_.empty()) return FirstButtonOf(box.Style);
    const int wanted = answers_.front();
    answers_.pop_front();
    for (int id : BoxButtons(box.Style))
      if (id == wanted) return id;
    Error("the box has no " + ButtonName(wanted) + " button");
    return FirstButtonOf(box.Style);
  }

  // Prints the menu and answers it from the queue (default: dismissed).
  int32_t AnswerMenu(const THeadlessPlatform::TMenu& menu) {
    std::string line = "menu";
    for (const std::string& item : menu.Items) line += " " + QuoteText(item);
    Print(line);
    if (menu_answers_.empty()) return TPlatform::kNoMenuItem;
    const std::string wanted = menu_answers_.front();
    menu_answers_.pop_front();
    if (wanted == "none") return TPlatform::kNoMenuItem;
    for (size_t i = 0; i < menu.Items.size(); ++i)
      if (menu.Items[i] == wanted) return static_cast<int32_t>(i);
    int index = -1;
    if (wanted.size() > 1 && wanted[0] == '#' && ParseInt(wanted.substr(1), index) && index >= 0 &&
        index < static_cast<int>(menu.Items.size()))
      return index;
    Error("the menu has no line " + QuoteText(wanted));
    return TPlatform::kNoMenuItem;
  }

  // The simulated user: runs inside the message loop.
  void Run() {
    std::string line;
    while (!p_.QuitRequested() && !OutputFailed && std::getline(in_, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const size_t first = line.find_first_not_of(" \t");
      if (first == std::string::npos || line[first] == '#') continue;
      p_.Pump();
      const bool quit = Execute(line.substr(first));
      p_.Pump();
      Flush();
      if (quit) break;
    }
    Close();
  }

 private:
  void Print(const std::string& s) {
    out_ << s << '\n';
    Flush();
  }

  void Flush() {
    out_.flush();
    if (!out_) OutputFailed = true;
  }

  void Error(const std::string& reason) {
    Failed = true;
    Print("error: " + reason);
  }

  void Close() {
    THIMainForm* form = Scheme ? Scheme->Form() : nullptr;
    if (!form || form->Closed() || !form->Control()) return;
    if (!p_.RequestClose(form->Control())) Error("the main window refused to close");
    p_.Pump();
  }

  // Answers true for quit.
  bool Execute(const std::string& line) {
    std::string cmd, rest;
    bool blank;
    SplitFirst(line, cmd, rest, blank);
    if (cmd == "wait" || cmd == "pages" || cmd == "window" || cmd == "quit" || cmd == "clipboard") {
      if (blank) {
        Error("\"" + cmd + "\" takes no arguments");
        return false;
      }
      if (cmd == "wait") Wait();
      else if (cmd == "pages") Pages();
      else if (cmd == "window") Window();
      else if (cmd == "clipboard") Print("clipboard " + QuoteUtf8(ClipboardUtf8(p_.ClipboardText())));
      return cmd == "quit";
    }
    if (cmd == "tab") Tab(rest);
    else if (cmd == "set" || cmd == "type") Field(cmd, rest);
    else if (cmd == "key") Key(rest);
    else if (cmd == "pick") PickLine(rest);
    else if (cmd == "calc") Calc(rest);
    else if (cmd == "accurate") Accurate(rest);
    else if (cmd == "get" || cmd == "info") Look(cmd, rest);
    else if (cmd == "answer") Answer(rest);
    else if (cmd == "copy") Copy(rest);
    else if (cmd == "parts" || cmd == "heat") Parts(cmd, rest);
    else if (cmd == "rclick") RightClick(rest);
    else if (cmd == "choose") menu_answers_.push_back(Utf8ToCp1251(rest));
    else if (cmd == "select") Select(rest);
    else Error("unknown command " + QuoteUtf8(cmd));
    return false;
  }

  // The control at an address, or none after printing why.
  TControl* Find(const std::string& text, TAddress& a) {
    if (!ParseAddress(text, a)) {
      Error("bad address " + QuoteUtf8(text) + " (expected P@X,Y)");
      return nullptr;
    }
    TControl* box = a.Page < Scheme->PageCount() ? Scheme->PageBox(a.Page) : nullptr;
    if (!box) {
      Error("no page " + IntegerToText(a.Page));
      return nullptr;
    }
    if (TControl* c = ChildAt(box, a.X, a.Y)) return c;
    Error("no control at " + a.Text());
    return nullptr;
  }

  // Whether the user can reach the control; prints why not.
  bool Usable(TControl* c, const std::string& what) {
    if (!c->Showing()) {
      Error(what + " is not on screen");
      return false;
    }
    if (!c->EnabledTree()) {
      Error(what + " is disabled");
      return false;
    }
    return true;
  }

  void Tab(const std::string& rest) {
    int n = 0;
    if (!ParseInt(rest, n)) return Error("tab needs a tab number");
    THITabControl* tabs = Scheme->Tabs();
    TControl* c = tabs ? tabs->Control() : nullptr;
    if (!c) return Error("there is no tab strip");
    if (n < 0 || n >= static_cast<int>(c->Items().size())) return Error("no tab " + rest);
    if (!Usable(c, "the tab strip")) return;
    p_.SelectTab(c, n);
  }

  void Field(const std::string& cmd, const std::string& rest) {
    std::string address, text;
    bool blank;
    SplitFirst(rest, address, text, blank);
    TAddress a;
    TControl* c = Find(address, a);
    if (!c) return;
    if (c->Kind() != TControlKind::Edit && c->Kind() != TControlKind::EditList)
      return Error(a.Text() + " (" + KindName(c->Kind()) + ") is not a field one can type into");
    if (!Usable(c, a.Text())) return;
    const std::string cp = Utf8ToCp1251(text);
    if (cmd == "set")
      p_.PasteText(c, cp);
    else
      p_.TypeText(c, cp);
  }

  void Key(const std::string& rest) {
    std::string address, name;
    bool blank;
    SplitFirst(rest, address, name, blank);
    TAddress a;
    TControl* c = Find(address, a);
    if (!c) return;
    // Enter goes to the control; the Ctrl keys to its window, as a desktop
    // delivers them.
    struct TKeyName {
      const char* name;
      int32_t key;
      bool shift;
    };
    static const TKeyName kControlKeys[] = {
        {"ctrl+tab", VkTab, false}, {"ctrl+shift+tab", VkTab, true}, {"ctrl+pgdn", VkNext, false},
        {"ctrl+pgup", VkPrior, false}, {"ctrl+c", 'C', false}};
    const std::string key = LowerCp1251(name);
    const TKeyName* control = nullptr;
    for (const TKeyName& k : kControlKeys)
      if (key == k.name) control = &k;
    if (key != "enter" && !control)
      return Error("unknown key " + QuoteUtf8(name) + " (known: enter, ctrl+tab, ctrl+shift+tab, ctrl+pgdn, ctrl+pgup, ctrl+c)");
    if (!Usable(c, a.Text())) return;
    if (control)
      p_.PressControlKey(control->key, control->shift);
    else
      p_.PressKey(c, VkReturn);
  }

  void PickLine(const std::string& rest) {
    std::string address, text;
    bool blank;
    SplitFirst(rest, address, text, blank);
    TAddress a;
    TControl* c = Find(address, a);
    if (!c) return;
    if (c->Kind() != TControlKind::PickList && c->Kind() != TControlKind::EditList)
      return Error(a.Text() + " (" + KindName(c->Kind()) + ") is not a drop-down list");
    const std::vector<std::string> items = c->Items();
    int index = -1;
    if (text.size() > 1 && text[0] == '#') {
      if (!ParseInt(text.substr(1), index)) return Error("no line " + QuoteUtf8(text) + " in " + a.Text());
      if (index < 0 || index >= static_cast<int>(items.size()))
        return Error("no line #" + IntegerToText(index) + " in " + a.Text());
    } else {
      const std::string wanted = Utf8ToCp1251(text);
      for (size_t i = 0; i < items.size() && index < 0; ++i)
        if (items[i] == wanted) index = static_cast<int>(i);
      if (index < 0) return Error("no line " + QuoteUtf8(text) + " in " + a.Text());
    }
    if (!Usable(c, a.Text())) return;
    p_.Pick(c, index);
  }

  void Calc(const std::string& rest) {
    int page = 0;
    if (!ParseInt(rest, page)) return Error("calc needs a page number");
    TControl* box = page >= 0 && page < Scheme->PageCount() ? Scheme->PageBox(page) : nullptr;
    if (!box) return Error("no page " + rest);
    TControl* button = FindFirstOfKind(box, TControlKind::Button);
    if (!button) return Error("page " + rest + " has no Calculate button");
    if (!Usable(button, "the Calculate button of page " + rest)) return;
    p_.Click(button);
  }

  void Accurate(const std::string& rest) {
    if (rest != "on" && rest != "off") return Error("accurate takes on or off");
    TControl* box = nullptr;
    for (int i = 0; i < Scheme->PageCount() && !box; ++i) box = FindFirstOfKind(Scheme->PageBox(i), TControlKind::CheckBox);
    if (!box) return Error("there is no \"Accurate result\" check box");
    if (box->Checked() == (rest == "on")) return;
    if (!Usable(box, "the \"Accurate result\" check box")) return;
    p_.Click(box);
  }

  void Look(const std::string& cmd, const std::string& rest) {
    TAddress a;
    TControl* c = Find(rest, a);
    if (!c) return;
    if (cmd == "get") return Print(a.Text() + " " + QuoteText(c->Text()));
    const TRect r = c->Bounds();
    const TFontRec f = c->Font();
    const std::string hint = p_.HasTooltips() ? p_.Tooltips().Text(c) : std::string();
    Print("info " + a.Text() + " kind=" + KindName(c->Kind()) + " rect=" + IntegerToText(r.Left) + "," +
          IntegerToText(r.Top) + "," + IntegerToText(r.Width) + "," + IntegerToText(r.Height) +
          " visible=" + (c->Showing() ? "1" : "0") + " enabled=" + (c->EnabledTree() ? "1" : "0") +
          " tab=" + IntegerToText(c->TabOrder()) + " font=" + QuoteText(f.Name) + "," + IntegerToText(f.Size) + "," +
          IntegerToText(f.Style) + "," + Hex32(f.Color) + "," + IntegerToText(f.CharSet) + " hint=" + QuoteText(hint));
  }

  void Copy(const std::string& rest) {
    int page = 0;
    if (!ParseInt(rest, page)) return Error("copy needs a page number");
    if (page < 0 || page >= Scheme->PageCount() || !Scheme->PageBox(page)) return Error("no page " + rest);
    Print("copy " + rest + " " + QuoteUtf8(ClipboardUtf8(Scheme->DesignText(page))));
  }

  // "parts P SERIES [TOL]" and "heat P VIN IOUT TA": the page's analysis,
  // one printed line per line of the answer.
  void Parts(const std::string& cmd, const std::string& rest) {
    std::string number, args;
    bool blank;
    SplitFirst(rest, number, args, blank);
    int page = 0;
    if (!ParseInt(number, page)) return Error(cmd + " needs a page number");
    if (page < 0 || page >= Scheme->PageCount() || !Scheme->PageBox(page)) return Error("no page " + number);
    std::string lines;
    const std::string refused = Scheme->PartsCommand(cmd, page, Utf8ToCp1251(args), lines);
    if (!refused.empty()) return Error(Cp1251ToUtf8(refused));
    for (size_t at = 0; at < lines.size();) {
      const size_t end = lines.find('\n', at);
      Print(Cp1251ToUtf8(lines.substr(at, end - at)));
      if (end == std::string::npos) break;
      at = end + 1;
    }
  }

  void RightClick(const std::string& rest) {
    TAddress a;
    TControl* c = Find(rest, a);
    if (!c) return;
    if (!Usable(c, a.Text())) return;
    p_.RightClick(c);
  }

  // select P@X,Y FROM COUNT: the user selects COUNT bytes of the field's
  // text from FROM.
  void Select(const std::string& rest) {
    std::string address, range, from, count;
    bool blank;
    SplitFirst(rest, address, range, blank);
    SplitFirst(range, from, count, blank);
    int at = 0, n = 0;
    if (!ParseInt(from, at) || !ParseInt(count, n) || at < 0 || n < 0)
      return Error("select needs a field, a start and a length");
    TAddress a;
    TControl* c = Find(address, a);
    if (!c) return;
    if (c->Kind() != TControlKind::Edit && c->Kind() != TControlKind::EditList)
      return Error(a.Text() + " (" + KindName(c->Kind()) + ") is not a field one can select in");
    if (!Usable(c, a.Text())) return;
    p_.SelectText(c, at, n);
  }

  void Answer(const std::string& rest) {
    for (const TButtonName& b : kButtons) {
      if (rest == b.name) {
        answers_.push_back(b.id);
        return;
      }
    }
    Error("unknown button " + QuoteUtf8(rest) + " (ok, cancel, yes, no, abort, retry or ignore)");
  }

  void Wait() {
    const auto deadline = std::chrono::steady_clock::now() + wait_limit_;
    for (;;) {
      p_.Pump();
      if (BusyWorkers() == 0) {
        p_.Pump();  // what the last step posted
        return;
      }
      if (std::chrono::steady_clock::now() >= deadline) return Print("timeout");
      p_.WaitForWork(std::chrono::milliseconds(10));
    }
  }

  void Pages() {
    std::string line = "visible";
    for (int i = 0; i < Scheme->PageCount(); ++i) {
      TControl* box = Scheme->PageBox(i);
      if (box && box->Showing()) line += " " + IntegerToText(i);
    }
    Print(line);
  }

  void Window() {
    THIMainForm* form = Scheme->Form();
    TControl* c = form ? form->Control() : nullptr;
    if (!c) return Error("there is no main window");
    const TRect r = c->Bounds();
    const int32_t style = c->Style();
    Print("window " + QuoteText(c->Text()) + " " + IntegerToText(r.Left) + "," + IntegerToText(r.Top) + " " +
          IntegerToText(r.Width) + "x" + IntegerToText(r.Height) +
          " maximize=" + ((style & kStyleMaximizeBox) ? "yes" : "no") +
          " sizable=" + ((style & kStyleSizable) ? "yes" : "no"));
  }

  THeadlessPlatform& p_;
  std::istream& in_;
  std::ostream& out_;
  std::deque<int> answers_;
  std::deque<std::string> menu_answers_;
  const std::chrono::milliseconds wait_limit_;
};

}  // namespace

int RunDrive(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
             const TMainFactory& makeMainScheme, std::chrono::milliseconds waitLimit, TInputStore* inputs) {
  THeadlessPlatform platform;
  platform.SetCommandLine("kelvane-drive", args);
  TDriver driver(platform, in, out, waitLimit);
  platform.OnBox = [&driver](const THeadlessPlatform::TBox& box) { return driver.AnswerBox(box); };
  platform.OnMenu = [&driver](const THeadlessPlatform::TMenu& menu) { return driver.AnswerMenu(menu); };
  platform.SetUser([&driver] { driver.Run(); });
  const TMainFactory remembering = [&driver, &makeMainScheme]() {
    std::unique_ptr<TMainScheme> scheme = makeMainScheme ? makeMainScheme() : nullptr;
    driver.Scheme = scheme.get();
    return scheme;
  };
  const int status = RunProgram(platform, args, remembering, inputs);
  if (status != 0 && !driver.Scheme) out << "error: the program could not start\n";
  out.flush();
  if (driver.OutputFailed || !out) return kDriveOutputFailed;
  if (status != 0) return 1;
  return driver.Failed ? 1 : 0;
}

#include "ui/input_memory.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "runtime/lines.h"
#include "runtime/number_text.h"
#include "ui/control.h"
#include "ui/encoding.h"

namespace {

const char kHeader[] = "Kelvane inputs 1";
constexpr size_t kLongestText = 64;

const char* KindWord(TControlKind k) {
  switch (k) {
    case TControlKind::Edit: return "edit";
    case TControlKind::PickList:
    case TControlKind::EditList: return "list";
    case TControlKind::CheckBox: return "check";
    default: return nullptr;
  }
}

// A field's text worth keeping: a number by the fields' rule, not too long.
bool KeepsText(const std::string& text) {
  double v;
  return !text.empty() && text.size() <= kLongestText && CheckRealText(text, v);
}

// `path` addresses the control's parent: "" for the page's group box, else
// "X,Y/" per control in between.
void SaveControl(int page, const std::string& path, TControl* c, std::string& out) {
  const TRect r = c->Bounds();
  const std::string at = path + std::to_string(r.Left) + "," + std::to_string(r.Top);
  for (TControl* child : c->Children()) SaveControl(page, at + "/", child, out);
  const char* word = KindWord(c->Kind());
  if (!word) return;
  const std::string head = std::to_string(page) + " " + at + " " + word;
  if (c->Kind() == TControlKind::CheckBox) {
    out += head + (c->Checked() ? " 1\n" : " 0\n");
    return;
  }
  const int32_t line = c->Kind() == TControlKind::Edit ? -1 : c->Selected();
  const std::vector<std::string> items = c->Items();
  if (line >= 0 && line < static_cast<int32_t>(items.size()) && items[line] == c->Text()) {
    out += head + " #" + std::to_string(line) + " " + Cp1251ToUtf8(items[line]) + "\n";
  } else if (c->Kind() != TControlKind::PickList && KeepsText(c->Text())) {
    out += head + " " + Cp1251ToUtf8(c->Text()) + "\n";
  }
}

// One input to put back.
struct TInput {
  TControl* Control = nullptr;
  int32_t Line = -1;  // a list's line, else -1
  std::string Text;   // a field's text (code page 1251)
  bool Checked = false;
};

bool ReadInt(const std::string& word, int32_t& out) {
  if (word.empty() || word.size() > 9) return false;
  int32_t v = 0;
  for (char ch : word) {
    if (ch < '0' || ch > '9') return false;
    v = v * 10 + (ch - '0');
  }
  out = v;
  return true;
}

// Reads one line into `in`; "" or what is wrong with it.
std::string ReadLine(TMainScheme& scheme, const std::string& line, TInput& in) {
  std::istringstream words(line);
  std::string page, path, kind;
  words >> page >> path >> kind;
  std::string value;
  std::getline(words, value);
  if (!value.empty() && value[0] == ' ') value.erase(0, 1);
  int32_t p;
  if (!ReadInt(page, p)) return "no page number";
  TControl* c = p < scheme.PageCount() ? scheme.PageBox(p) : nullptr;
  for (size_t from = 0; c && from <= path.size();) {
    const size_t slash = std::min(path.find('/', from), path.size());
    const std::string step = path.substr(from, slash - from);
    const size_t comma = step.find(',');
    int32_t x, y;
    if (comma == std::string::npos || !ReadInt(step.substr(0, comma), x) || !ReadInt(step.substr(comma + 1), y))
      return "no address";
    c = ChildAt(c, x, y);
    from = slash + 1;
  }
  if (!c) return "no control at " + page + " " + path;
  const char* word = KindWord(c->Kind());
  if (!word || kind != word) return "the control at " + page + " " + path + " is no " + kind;
  in.Control = c;
  if (c->Kind() == TControlKind::CheckBox) {
    if (value != "0" && value != "1") return "a check box is 0 or 1";
    in.Checked = value == "1";
    return "";
  }
  if (!value.empty() && value[0] == '#' && c->Kind() != TControlKind::Edit) {
    const size_t blank = value.find(' ');
    const std::vector<std::string> items = c->Items();
    if (blank == std::string::npos || !ReadInt(value.substr(1, blank - 1), in.Line) ||
        in.Line >= static_cast<int32_t>(items.size()) || items[in.Line] != Utf8ToCp1251(value.substr(blank + 1)))
      return "the list has no such line";
    return "";
  }
  in.Text = Utf8ToCp1251(value);
  if (c->Kind() == TControlKind::PickList || !KeepsText(in.Text)) return "\"" + value + "\" is no number";
  return "";
}

void Put(const TInput& in) {
  TControl* c = in.Control;
  if (c->Kind() == TControlKind::CheckBox) {
    if (c->Checked() == in.Checked) return;
    c->SetChecked(in.Checked);
    TNotification n;
    n.Kind = TNotifyKind::Click;
    c->Deliver(n);
    return;
  }
  if (in.Line >= 0) {
    c->SetSelected(in.Line);
    TNotification n;
    n.Kind = TNotifyKind::SelectChange;
    c->Deliver(n);
    return;
  }
  c->SetText(in.Text);
  TNotification n;
  n.Kind = TNotifyKind::TextChange;
  c->Deliver(n);
}

}  // namespace

std::string SaveInputs(TMainScheme& scheme) {
  std::string out = std::string(kHeader) + "\n";
  for (int page = 0; page < scheme.PageCount(); ++page)
    if (TControl* box = scheme.PageBox(page))
      for (TControl* c : box->Children()) SaveControl(page, "", c, out);
  return out;
}

std::string RestoreInputs(TMainScheme& scheme, const std::string& text) {
  const std::vector<std::string> lines = SplitLines(text);
  if (lines.empty() || lines[0] != kHeader) return "not a Kelvane inputs file";
  std::vector<TInput> inputs;
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    TInput in;
    const std::string wrong = ReadLine(scheme, lines[i], in);
    if (!wrong.empty()) return "line " + std::to_string(i + 1) + ": " + wrong;
    inputs.push_back(in);
  }
  for (const TInput& in : inputs) Put(in);
  return "";
}

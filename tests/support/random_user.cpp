#include "support/random_user.h"

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <streambuf>

#include "runtime/number_text.h"
#include "pages/main_form.h"
#include "ui/encoding.h"
#include "ui/headless/driver.h"

namespace {

// Hands the driver one chunk of script at a time, asking for the next one
// only when the driver has carried out everything before it.
class TScriptBuf : public std::streambuf {
 public:
  explicit TScriptBuf(std::function<bool(std::string&)> next) : next_(std::move(next)) {}

 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    chunk_.clear();
    if (!next_(chunk_) || chunk_.empty()) return traits_type::eof();
    setg(&chunk_[0], &chunk_[0], &chunk_[0] + chunk_.size());
    return traits_type::to_int_type(*gptr());
  }

 private:
  std::function<bool(std::string&)> next_;
  std::string chunk_;
};

// A box a page may show: caption, style, and its text (code page 1251),
// where "%1" stands for a number.
struct TBoxRule {
  int page;  // -1: any page
  const char* caption;
  uint32_t style;
  const char* text;
};

const TBoxRule kBoxes[] = {
    {0, "Warning!", 48, "Output Voltage can not be less than 1.5 V."},
    {1, "Warning!", 48, "R3 - Out of range \r0.8<R3<125 for LM317 \r0.4<R3<125 for LM150,LM350"},
    {2, "Warning!", 48, "Output Voltage must be between 2.77 and  37 V."},
    {2, "Warning!", 48, "Output current must be < 2A. "},
    {3, "Warning!", 48, "Output Voltage must be between 2.5 and  36 V."},
    {3, "Warning!", 48, "Divider-Current to Reference-Current Ratio should be greater than 100."},
    {3, "Warning!", 48, "Output current must be < 100mA. "},
    {3, "Error!", 16, "Output Voltage too high for selected minimum input voltage. \r\rCalculations stopped. "},
    {3, "Error!", 16, "Maximum input voltage is lower than minimum input voltage. \r\rCalculations stopped. "},
    {4, "Warning!", 48, "Output Voltage must be between 2.5 and  36 V."},
    {4, "Warning!", 48, "Divider-Current to Reference-Current Ratio should be greater than 100."},
    {4, "Warning!", 48, "Output current must be < 100mA. "},
    {5, "Warning!", 48, "Output Voltage must be between 1.5 and  33 V."},
    {6, "Warning!", 48, "Output Voltage must be between %1 and  33 V for this type of device."},
    {6, "Warning!", 48, "Output voltage must be greater then %1V for this type of device."},
    {7, "Warning!", 48, "Output current must be between 0.005 and %1 A for this type of device. "},
    {8, "Warning!", 48, "Output Voltage must be between 1 and  37 V."},
    {8, "Warning!", 48, "Output current must be < 150mA. "},
    {2, "Warning!", 48, "Choose value of the resistor R1."},
    {5, "Warning!", 48, "Choose value of the resistor R1."},
    {8, "Warning!", 48, "Choose value of the resistor R1."},
    {6, "Warning!", 48, "Choose the regulator type from the list."},
    {7, "Warning!", 48, "Choose the regulator type from the list."},
    // A result too large to carry ends the calculation on any page.
    {-1, "Warning!", 48, "The result is too large."},
};

bool IsNumberText(const std::string& text) {
  double v = 0;
  return CheckRealText(LowerCp1251(text), v);
}

// Whether `text` is `pattern` with each "%1" standing for a number.
bool MatchesBoxText(const std::string& pattern, const std::string& text) {
  const size_t mark = pattern.find("%1");
  if (mark == std::string::npos) return pattern == text;
  const std::string tail = pattern.substr(mark + 2);
  if (text.size() < mark + tail.size() || text.compare(0, mark, pattern, 0, mark) != 0 ||
      text.compare(text.size() - tail.size(), tail.size(), tail) != 0)
    return false;
  return IsNumberText(text.substr(mark, text.size() - mark - tail.size()));
}

// A formula element's box: "Debug", the kind of error naming the parser,
// then the position.
bool IsFormulaBox(const std::string& caption, const std::string& text, uint32_t style) {
  if (caption != "Debug" || style != 0) return false;
  const size_t lineBreak = text.find(" MathParser\r\n");
  const size_t lastBlank = text.rfind(' ');
  return lineBreak != std::string::npos && lastBlank > lineBreak + 12 && lastBlank + 1 < text.size() &&
         text.find_first_not_of("0123456789", lastBlank + 1) == std::string::npos;
}

struct TControlInfo {
  std::string address;
  TControlKind kind;
  int page;
  TControl* control;
  bool result = false;     // a label that shows a number
  std::string lastText;    // labels: what the last read showed
  int64_t epochAtRead = 0;  // labels: the page's Calculate count at that read
};

// Splits `line` at the blanks outside double quotes.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '\\' && i + 1 < line.size()) {
      word += c;
      word += line[++i];
      continue;
    }
    if (c == '"') quoted = !quoted;
    if (c == ' ' && !quoted) {
      words.push_back(word);
      word.clear();
    } else {
      word += c;
    }
  }
  words.push_back(word);
  return words;
}

const char* const kCyrillic[] = {"Привет", "ёЁ", "Ом", "В", "кОм", "ЯЮЭ"};
const char* const kBadUtf8[] = {"\xff\xfe", "\xc3", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xc0\xaf", "\x80"};
const char* const kNumbers[] = {"0", "1", "1.5", "2", "2.5", "2.77", "5", "12", "33", "36", "37", "100", "125",
                                "150", "0.005", "0.8", "0.4", "1000", "240", "0.1", "1e308", "1e-308", "1e400",
                                "-1e400", "2.5e1", "1.5 e -3", "+5", "-5", "--5", "-0", ".5", "5.", "1e", "1e-",
                                "4294967296", "99999999999999999999", "0.000000000000001"};

class TRandomUser {
 public:
  TRandomUser(uint64_t seed, TRandomUserReport& report) : rng_(seed), report_(report) {}

  // One program run of at most `budget` actions; answers false after a fault.
  bool Session(int64_t budget) {
    budget_ = budget;
    TScriptBuf buf([this](std::string& chunk) { return Next(chunk); });
    std::istream in(&buf);
    const TMainFactory factory = [this]() {
      std::unique_ptr<TMainScheme> scheme = MakeMainScheme();
      scheme_ = scheme.get();
      return scheme;
    };
    const int status = RunDrive({}, in, out_, factory, std::chrono::seconds(30));
    if (faults_.empty()) CheckOutput();  // what the end of the session printed
    ++report_.sessions;
    if (status != 0 && status != 1) Fault("exit status " + std::to_string(status));
    for (const std::string& f : faults_) report_.faults.push_back(f);
    return faults_.empty();
  }

 private:
  // The next action and the reads that check it; false ends the script.
  bool Next(std::string& chunk) {
    if (!scheme_) return false;
    if (controls_.empty()) Survey();
    CheckOutput();
    if (!faults_.empty() || budget_ <= 0) return false;
    --budget_;
    ++report_.actions;
    ++actionCount_;
    expectError_ = false;
    actionPage_ = selected_;
    std::string action = Action();
    if (action.empty()) return false;  // quit without a line: the end of the script
    chunk = action + "\n";
    Remember(action);
    if (quitting_) return true;
    chunk += "pages\n";
    expected_.push_back("pages");
    for (TControlInfo& c : controls_) {
      const bool visiblePage = c.page == selected_;
      const bool survey = actionCount_ % 64 == 0;
      if (c.kind == TControlKind::Label && (visiblePage || survey)) Read(chunk, c);
    }
    if (touched_) Read(chunk, *touched_);
    return true;
  }

  void Read(std::string& chunk, TControlInfo& c) {
    chunk += "get " + c.address + "\n";
    expected_.push_back(c.address);
    reads_.push_back(&c);
  }

  void Survey() {
    for (int p = 0; p < scheme_->PageCount(); ++p) {
      TControl* box = scheme_->PageBox(p);
      if (!box) continue;
      for (TControl* c : box->Children()) {
        TControlInfo info;
        const TRect r = c->Bounds();
        info.address = std::to_string(p) + "@" + std::to_string(r.Left) + "," + std::to_string(r.Top);
        info.kind = c->Kind();
        info.page = p;
        info.control = c;
        if (info.kind == TControlKind::Label) {
          info.lastText = c->Text();
          info.result = IsNumberText(info.lastText);
        }
        controls_.push_back(info);
      }
    }
    epochs_.assign(static_cast<size_t>(scheme_->PageCount()), 0);
  }

  std::vector<TControlInfo*> OnPage(int page, std::initializer_list<TControlKind> kinds) {
    std::vector<TControlInfo*> found;
    for (TControlInfo& c : controls_)
      for (TControlKind k : kinds)
        if (c.page == page && c.kind == k) found.push_back(&c);
    return found;
  }

  static bool HasButton(TControl* c) {
    for (TControl* child : c ? c->Children() : std::vector<TControl*>())
      if (child->Kind() == TControlKind::Button || HasButton(child)) return true;
    return false;
  }

  int Uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(int percent) { return Uniform(0, 99) < percent; }
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[static_cast<size_t>(Uniform(0, static_cast<int>(N) - 1))];
  }

  std::string RandomBytes(int n) {
    std::string s;
    for (int i = 0; i < n; ++i) {
      char c = static_cast<char>(Uniform(0, 255));
      s += c == '\n' ? ' ' : c;
    }
    return s;
  }

  std::string Text() {
    switch (Uniform(0, 9)) {
      case 0: return "";
      case 1: {  // huge
        const int n = Uniform(1000, Chance(10) ? 200000 : 20000);
        return Chance(50) ? std::string(static_cast<size_t>(n), static_cast<char>('0' + Uniform(0, 9)))
                          : RandomBytes(n);
      }
      case 2: return RandomBytes(Uniform(1, 12));
      case 3: return Pick(kCyrillic);
      case 4: return std::string(Pick(kNumbers)) + Pick(kBadUtf8);
      case 5: {  // a number just past a bound
        double v = TextToReal(Pick(kNumbers));
        v += Chance(50) ? 0.001 : -0.001;
        return RealToText(v);
      }
      case 6: return RealToText(std::uniform_real_distribution<double>(-1000, 1000)(rng_));
      default: return Pick(kNumbers);
    }
  }

  std::string Action() {
    touched_ = nullptr;
    if (quitting_) return std::string();
    if (budget_ == 0 || Chance(searching_ ? 5 : 0) || Uniform(0, 999) == 0) {
      quitting_ = true;
      if (searching_) ++report_.quitsDuringSearch;
      return Chance(50) ? "quit" : std::string();
    }
    const int roll = Uniform(0, 99);
    if (roll < 10) {
      const int tab = Uniform(0, 9);
      selected_ = tab;
      return "tab " + std::to_string(tab);
    }
    if (roll < 45) {
      std::vector<TControlInfo*> fields = OnPage(selected_, {TControlKind::Edit, TControlKind::EditList});
      if (fields.empty()) return "tab " + std::to_string(selected_);
      TControlInfo* f = fields[static_cast<size_t>(Uniform(0, static_cast<int>(fields.size()) - 1))];
      touched_ = f;
      if (roll < 40) return std::string(roll < 28 ? "set " : "type ") + f->address + " " + Text();
      return "key " + f->address + " enter";
    }
    if (roll < 55) {
      std::vector<TControlInfo*> lists = OnPage(selected_, {TControlKind::PickList, TControlKind::EditList});
      if (lists.empty()) return "tab " + std::to_string(selected_);
      TControlInfo* l = lists[static_cast<size_t>(Uniform(0, static_cast<int>(lists.size()) - 1))];
      const std::vector<std::string> items = l->control->Items();
      touched_ = l;
      if (items.empty() || Chance(10)) {
        expectError_ = true;
        return "pick " + l->address + " #" + std::to_string(items.size());
      }
      const std::string& item = items[static_cast<size_t>(Uniform(0, static_cast<int>(items.size()) - 1))];
      return "pick " + l->address + " " + Cp1251ToUtf8(item);
    }
    if (roll < 75) {
      int page = selected_;
      if (Chance(5)) page = Uniform(0, 9);
      expectError_ = page != selected_ || !HasButton(scheme_->PageBox(page));
      actionPage_ = page;
      if (!expectError_) {
        ++epochs_[static_cast<size_t>(page)];
        ++report_.calcs;
        if (page == 0 && accurate_) {
          searching_ = true;
          ++report_.searches;
        }
      }
      return "calc " + std::to_string(page);
    }
    if (roll < 80) {
      const bool on = Chance(50);
      // The box is on the first page; it cannot be clicked elsewhere unless it already shows the state.
      expectError_ = on != accurate_ && selected_ != 0;
      if (!expectError_) accurate_ = on;
      return std::string("accurate ") + (on ? "on" : "off");
    }
    if (roll < 85) {
      waiting_ = true;
      return "wait";
    }
    if (roll < 90) {
      const TControlInfo& c = controls_[static_cast<size_t>(Uniform(0, static_cast<int>(controls_.size()) - 1))];
      skipLines_ = 1;  // its own line comes before the checks'
      return (Chance(50) ? "get " : "info ") + c.address;
    }
    if (roll < 95) {  // acting where the user cannot
      expectError_ = true;
      std::vector<TControlInfo*> fields = OnPage((selected_ + Uniform(1, 9)) % 10, {TControlKind::Edit});
      if (!fields.empty() && Chance(50)) return "set " + fields[0]->address + " 1";
      return Chance(50) ? "get 99@0,0" : "tab 10";
    }
    expectError_ = true;  // junk lines
    std::string junk = Chance(50) ? RandomBytes(Uniform(1, 30)) : std::string(Pick(kBadUtf8)) + " " + Pick(kCyrillic);
    if (junk.find_first_not_of(" \t\r") == std::string::npos || junk[junk.find_first_not_of(" \t")] == '#')
      junk = "x" + junk;
    return junk;
  }

  void Remember(const std::string& line) {
    recent_.push_back(line.size() > 120 ? line.substr(0, 120) + "..." : line);
    if (recent_.size() > 12) recent_.pop_front();
  }

  void Fault(const std::string& what) {
    std::string f = "session " + std::to_string(report_.sessions) + ", action " + std::to_string(actionCount_) +
                    ": " + what + "\n  last lines:";
    for (const std::string& l : recent_) f += "\n    " + QuoteUtf8(l);
    faults_.push_back(f);
  }

  // Checks every line printed since the last call.
  void CheckOutput() {
    const std::string all = out_.str();
    std::istringstream lines(all.substr(consumed_));
    consumed_ = all.size();
    std::string line;
    bool sawTimeout = false;
    while (std::getline(lines, line)) {
      if (!IsCleanUtf8(line)) return Fault("printed a line that is not clean UTF-8: " + QuoteUtf8(line));
      if (line.compare(0, 7, "error: ") == 0) {
        if (!expectError_) Fault("a user's action failed: " + line);
      } else if (line == "timeout") {
        sawTimeout = true;
      } else if (line.compare(0, 4, "box ") == 0) {
        CheckBox(line);
      } else if (skipLines_ > 0) {
        --skipLines_;
      } else if (!expected_.empty()) {
        CheckRead(line);
      }
    }
    if (waiting_ && !sawTimeout && searching_) {
      searching_ = false;  // what it showed until its end counts as its work
      ++epochs_[0];
    }
    // A search of all its steps may outlast one wait on a slow (sanitized,
    // loaded) machine; one that outlasts several has hung.
    if (waiting_) timeouts_ = sawTimeout ? timeouts_ + 1 : 0;
    if (timeouts_ >= kMostTimeouts) Fault("wait gave up " + std::to_string(timeouts_) + " times: a worker hangs");
    waiting_ = false;
    skipLines_ = 0;
    if (!expected_.empty() && !quitting_) Fault("a check read printed nothing");
    expected_.clear();
    reads_.clear();
  }

  void CheckBox(const std::string& line) {
    ++report_.boxes;
    const std::vector<std::string> w = Words(line);
    std::string caption, text;
    if (w.size() != 4 || !UnquoteDriveText(w[1], caption) || !UnquoteDriveText(w[2], text))
      return Fault("a box line does not parse: " + line);
    caption = Utf8ToCp1251(caption);
    text = Utf8ToCp1251(text);
    const uint32_t style = static_cast<uint32_t>(TextToInteger(w[3]));
    if (IsFormulaBox(caption, text, style)) return;
    for (const TBoxRule& rule : kBoxes) {
      const bool pageFits = rule.page == -1 || rule.page == actionPage_ || (searching_ && rule.page == 0);
      if (pageFits && caption == rule.caption && style == rule.style && MatchesBoxText(rule.text, text)) return;
    }
    Fault("a box that is not the page's own: " + line);
  }

  void CheckRead(const std::string& line) {
    const std::string what = expected_.front();
    expected_.pop_front();
    if (what == "pages") {
      if (line != "visible " + std::to_string(selected_)) Fault("pages shows " + line + ", tab " + std::to_string(selected_) + " is selected");
      return;
    }
    TControlInfo& c = *reads_.front();
    reads_.pop_front();
    std::string text;
    if (line.compare(0, what.size() + 1, what + " ") != 0 || !UnquoteDriveText(line.substr(what.size() + 1), text))
      return Fault("expected the text of " + what + ", read " + line);
    text = Utf8ToCp1251(text);
    if (c.kind == TControlKind::Edit) {
      double v = 0;
      const std::string lowered = LowerCp1251(text);
      if (!CheckRealText(lowered, v) && !CheckRealText(lowered + "0", v))
        Fault("field " + what + " holds " + line + ", neither a number nor the start of one");
      return;
    }
    if (c.kind != TControlKind::Label) return;
    const int64_t epoch = epochs_[static_cast<size_t>(c.page)];
    if (text != c.lastText && epoch == c.epochAtRead && !(c.page == 0 && searching_))
      Fault("label " + what + " changed from " + QuoteText(c.lastText) + " to " + QuoteText(text) +
            " without a Calculate on its page");
    if (c.result && !IsNumberText(text)) Fault("result label " + what + " reads " + QuoteText(text) + ", not a number");
    c.lastText = text;
    c.epochAtRead = epoch;
  }

  std::mt19937_64 rng_;
  TRandomUserReport& report_;
  std::ostringstream out_;
  size_t consumed_ = 0;
  TMainScheme* scheme_ = nullptr;
  std::vector<TControlInfo> controls_;
  std::vector<int64_t> epochs_;  // Calculate presses per page
  std::deque<std::string> expected_;
  std::deque<TControlInfo*> reads_;
  std::deque<std::string> recent_;
  std::vector<std::string> faults_;
  TControlInfo* touched_ = nullptr;
  int64_t budget_ = 0, actionCount_ = 0;
  static constexpr int kMostTimeouts = 4;
  int selected_ = 0, actionPage_ = 0, skipLines_ = 0, timeouts_ = 0;
  bool accurate_ = false, searching_ = false, waiting_ = false, quitting_ = false, expectError_ = false;
};

}  // namespace

bool UnquoteDriveText(const std::string& quoted, std::string& text) {
  if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') return false;
  const std::string body = quoted.substr(1, quoted.size() - 2);
  const auto hexDigit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1; };
  text.clear();
  for (size_t i = 0; i < body.size(); ++i) {
    if (body[i] == '"') return false;
    if (body[i] != '\\') {
      text += body[i];
      continue;
    }
    if (++i == body.size()) return false;
    switch (body[i]) {
      case '\\': text += '\\'; break;
      case '"': text += '"'; break;
      case 'r': text += '\r'; break;
      case 'n': text += '\n'; break;
      case 't': text += '\t'; break;
      case 'x':
        if (i + 2 >= body.size() + 1 || hexDigit(body[i + 1]) < 0 || hexDigit(body[i + 2]) < 0) return false;
        text += static_cast<char>(hexDigit(body[i + 1]) * 16 + hexDigit(body[i + 2]));
        i += 2;
        break;
      default: return false;
    }
  }
  return true;
}

TRandomUserReport RunRandomUser(uint64_t seed, int64_t actions) {
  TRandomUserReport report;
  std::mt19937_64 sessions(seed);
  while (report.actions < actions && report.faults.empty()) {
    const int64_t length = std::min<int64_t>(actions - report.actions, 50 + static_cast<int64_t>(sessions() % 1500));
    TRandomUser user(sessions(), report);
    user.Session(length);
  }
  return report;
}

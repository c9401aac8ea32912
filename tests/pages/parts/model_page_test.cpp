// Each page's circuit against the page itself: the program is driven
// through a sweep of inputs, its copied design is bound into the circuit,
// and the circuit's equation at typical values, evaluated over the interval
// the shown digits of every computed resistor stand for, must contain the
// page's target. A model that leaves out or misplaces a term the page
// uses (Iadj, Iq, a sense voltage) misses the target by far more than
// the shown digits allow.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "pages/parts/circuit.h"
#include "runtime/number_text.h"
#include "support/page_drive.h"
#include "ui/encoding.h"

namespace {

// The quoted text of a "copy P "TEXT"" line, unescaped, in the program's
// code page.
std::string CopiedDesign(const std::string& out) {
  const size_t open = out.find("copy ");
  const size_t quote = out.find('"', open);
  std::string text;
  for (size_t i = quote + 1; i < out.size() && out[i] != '"'; ++i) {
    if (out[i] != '\\') {
      text += out[i];
      continue;
    }
    const char e = out[++i];
    text += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e;
  }
  return Utf8ToCp1251(text);
}

// A design line's value in ohms and the half-width of the interval its
// shown digits stand for.
struct TShown {
  double Ohms = 0, Half = 0;
};
TShown ShownOhms(const TDesign& d, const std::string& name) {
  const TDesignLine* line = d.Find(name);
  EXPECT_NE(line, nullptr) << name;
  if (!line) return {};
  const double scale = line->Unit == "kOm" ? 1000.0 : 1.0;
  const size_t dot = line->Value.find('.');
  const int decimals = dot == std::string::npos ? 0 : static_cast<int>(line->Value.size() - dot - 1);
  double half = 0.5 * scale;
  for (int k = 0; k < decimals; ++k) half /= 10;
  return {TextToReal(line->Value) * scale, half};
}

struct TPageSweep {
  const char* setup;                  // the tab and any picks
  std::vector<const char*> fields;    // addresses set from each row of `values`
  std::vector<std::vector<const char*>> values;
  std::vector<const char*> computed;  // resistors the page computes (shown rounded)
};

bool IsComputed(const TPageSweep& p, const std::string& name) {
  return std::find(p.computed.begin(), p.computed.end(), name) != p.computed.end();
}

// The lowest and highest of f over the corners of [a - ha, a + ha] x [b - hb, b + hb].
template <class F>
std::pair<double, double> CornerRange(F f, double a, double ha, double b, double hb) {
  double lo = f(a - ha, b - hb), hi = lo;
  for (double x : {a - ha, a + ha})
    for (double y : {b - hb, b + hb}) {
      lo = std::min(lo, f(x, y));
      hi = std::max(hi, f(x, y));
    }
  return {lo, hi};
}

TEST(PartsModel, EveryPagesCircuitGivesBackThePagesTargetFromThePagesOwnResults) {
  const TPageSweep pages[] = {
      {"tab 1\n", {"1@315,15"}, {{"0.01"}, {"0.1"}, {"0.5"}, {"1.5"}}, {"R1"}},
      {"tab 2\npick 2@315,65 #2\n", {"2@315,15", "2@315,40"}, {{"5", "2"}, {"12", "0.5"}, {"30", "1.7"}},
       {"R2", "R3"}},
      {"tab 3\n", {"3@285,15", "3@342,15", "3@335,40", "3@335,65"},
       {{"7.5", "9", "5", "100"}, {"15", "18", "12", "20"}, {"30", "36", "24", "50"}}, {"R1", "R2", "R3"}},
      {"tab 4\n", {"4@335,15", "4@335,40"}, {{"5", "100"}, {"12", "50"}, {"30", "20"}}, {"R1", "R2", "R3"}},
      {"tab 5\n", {"5@315,15", "5@315,40"}, {{"5", "4300"}, {"12", "1000"}, {"30", "10000"}}, {"R2"}},
      {"tab 6\npick 6@315,15 #1\n", {"6@315,40"}, {{"5.5"}, {"15"}, {"30"}}, {"R2"}},
      {"tab 6\npick 6@315,15 #20\n", {"6@315,40"}, {{"12"}, {"20"}}, {"R2"}},
      {"tab 7\npick 7@315,15 #1\n", {"7@315,40"}, {{"0.01"}, {"0.2"}, {"1.5"}}, {"R1"}},
      {"tab 8\npick 8@315,65 #1\n", {"8@315,15", "8@315,40"}, {{"5", "150"}, {"2", "50"}, {"30", "140"}},
       {"R2", "R3"}},
  };
  int checked = 0;
  for (const TPageSweep& p : pages) {
    for (const auto& row : p.values) {
      std::string script = p.setup;
      for (size_t f = 0; f < p.fields.size(); ++f) script += std::string("set ") + p.fields[f] + " " + row[f] + "\n";
      const std::string tab = std::string(p.setup).substr(4, 1);
      script += "calc " + tab + "\ncopy " + tab + "\n";
      SCOPED_TRACE(script);
      const TPageRun run = DrivePages(script);
      ASSERT_EQ(run.out.find("box "), std::string::npos) << run.out;
      const TDesign design = ParseDesign(CopiedDesign(run.out));
      TPage page;
      ASSERT_TRUE(PageFromTitle(design.Title, page)) << design.Title;
      TCircuit c;
      ASSERT_EQ(BindCircuit(page, design, DeviceTable(), c), "");
      const std::vector<double> typ = c.Typicals();
      const double* t = typ.data();
      if (c.HasDivider) {
        TShown a = ShownOhms(design, c.Divider.Rref), b = ShownOhms(design, c.Divider.Rset);
        if (!IsComputed(p, c.Divider.Rref)) a.Half = 0;
        if (!IsComputed(p, c.Divider.Rset)) b.Half = 0;
        const auto range = CornerRange([&](double x, double y) { return DividerOutput(c.Divider, t, x, y); },
                                       a.Ohms, a.Half, b.Ohms, b.Half);
        EXPECT_LE(range.first, c.Target) << "divider " << c.Divider.Rref << "/" << c.Divider.Rset;
        EXPECT_GE(range.second, c.Target) << "divider " << c.Divider.Rref << "/" << c.Divider.Rset;
        ++checked;
      }
      for (const TSingle& s : c.Singles) {
        const TShown r = ShownOhms(design, s.Name);
        ASSERT_TRUE(IsComputed(p, s.Name)) << s.Name;
        const double q1 = SingleOutput(s, t, r.Ohms - r.Half), q2 = SingleOutput(s, t, r.Ohms + r.Half);
        EXPECT_LE(std::min(q1, q2), s.Target) << s.Name;
        EXPECT_GE(std::max(q1, q2), s.Target) << s.Name;
        // The model solves back to within the shown interval too.
        EXPECT_NEAR(SolveSingle(s, t, s.Target), r.Ohms, r.Half * 1.000001) << s.Name;
        ++checked;
      }
    }
  }
  EXPECT_EQ(checked, 39);  // 20 dividers and 19 single resistors
}

// What the program shows on LM317 Voltage for Vout and the R1 list's line,
// bound into its circuit, and R2 in ohms.
double LM317R2(const std::string& vout, const std::string& r1Line, bool accurate, TCircuit& c) {
  const TPageRun run = DrivePages(std::string(accurate ? "accurate on\n" : "") + "pick 0@315,45 " + r1Line +
                                  "\nset 0@315,15 " + vout + "\ncalc 0\nwait\ncopy 0\n");
  EXPECT_EQ(run.out.find("box "), std::string::npos) << run.out;
  const TDesign design = ParseDesign(CopiedDesign(run.out));
  EXPECT_EQ(BindCircuit(TPage::LM317Voltage, design, DeviceTable(), c), "");
  return std::round(ShownOhms(design, "R2").Ohms);  // whole ohms, as the search counts
}

// LM317 Voltage's accurate search steps R2 up by one ohm from its
// estimate to the first value whose output exceeds Vout; the circuit's
// equation at typical values must agree with where it stopped.
TEST(PartsModel, LM317VoltagesSearchStopsWhereTheCircuitFirstExceedsTheTarget) {
  int checked = 0;
  for (const char* line : {"#1", "#4", "#7"})
    for (const char* vout : {"1.5", "3.3", "5", "9", "12", "24.7", "36"}) {
      SCOPED_TRACE(std::string(vout) + " V, R1 line " + line);
      TCircuit c;
      const double estimate = LM317R2(vout, line, false, c);
      const double r2 = LM317R2(vout, line, true, c);
      const std::vector<double> t = c.Typicals();
      const double r1 = c.Divider.RrefPicked;
      EXPECT_GT(DividerOutput(c.Divider, t.data(), r1, r2), c.Target);
      if (r2 - 1 != estimate) {
        EXPECT_LE(DividerOutput(c.Divider, t.data(), r1, r2 - 1), c.Target);
      }
      ++checked;
    }
  EXPECT_EQ(checked, 21);
}

}  // namespace

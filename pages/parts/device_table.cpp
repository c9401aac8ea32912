#include "pages/parts/device_table.h"

#include <cmath>
#include <limits>

#include "runtime/number_text.h"
#include "runtime/resources.h"

namespace {

constexpr double kNotGiven = std::numeric_limits<double>::quiet_NaN();
constexpr double kAmperesPerMilliampere = 1e-3;
constexpr size_t kFields = 10;

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

std::vector<std::string> Split(const std::string& s, char by) {
  std::vector<std::string> out;
  size_t from = 0;
  for (;;) {
    const size_t at = s.find(by, from);
    out.push_back(s.substr(from, at == std::string::npos ? std::string::npos : at - from));
    if (at == std::string::npos) return out;
    from = at + 1;
  }
}

std::vector<std::string> Words(const std::string& s) {
  std::vector<std::string> out;
  for (const std::string& w : Split(s, ' '))
    if (!w.empty()) out.push_back(w);
  return out;
}

// One number or "-" (not given).
bool ReadNumber(const std::string& word, double& out) {
  if (word == "-") {
    out = kNotGiven;
    return true;
  }
  double v;
  if (!CheckRealText(word, v) || !std::isfinite(v)) return false;
  out = v;
  return true;
}

// `count` numbers from `words` starting at `first`.
bool ReadNumbers(const std::vector<std::string>& words, size_t first, size_t count, double* out) {
  if (words.size() != first + count) return false;
  for (size_t i = 0; i < count; ++i)
    if (!ReadNumber(words[first + i], out[i])) return false;
  return true;
}

// "min typ max": the typical given unless all three are "-"; a bound that
// is given keeps min <= typ <= max.
bool ReadSpread(const std::string& field, TSpread& out, std::string& why) {
  double v[3];
  if (!ReadNumbers(Words(field), 0, 3, v)) {
    why = "expected three numbers or '-'";
    return false;
  }
  out = {v[0], v[1], v[2]};
  const bool none = std::isnan(v[0]) && std::isnan(v[1]) && std::isnan(v[2]);
  if (!none && std::isnan(v[1])) {
    why = "a spread without a typical value";
    return false;
  }
  if ((!std::isnan(v[0]) && v[0] > v[1]) || (!std::isnan(v[2]) && v[2] < v[1])) {
    why = "min <= typ <= max does not hold";
    return false;
  }
  return true;
}

bool ReadRow(const std::string& line, TDeviceRow& row, std::string& why) {
  const std::vector<std::string> f = Split(line, '|');
  if (f.size() != kFields) {
    why = "expected " + std::to_string(kFields) + " fields";
    return false;
  }
  row.Name = Trim(f[0]);
  if (row.Name.empty() || Words(row.Name).size() != 1) {
    why = "a device name is one word";
    return false;
  }
  if (!ReadSpread(f[1], row.Reference, why)) return false;
  if (!row.Reference.Given()) {
    why = "no reference voltage";
    return false;
  }
  std::vector<std::string> current = Words(f[2]);
  if (current.empty()) {
    why = "no current kind";
    return false;
  }
  row.CurrentKind = current[0];
  double c[3];
  if (!ReadNumbers(current, 1, 3, c)) {
    why = "current: a kind and three numbers or '-'";
    return false;
  }
  row.Current = {c[0] * kAmperesPerMilliampere, c[1] * kAmperesPerMilliampere, c[2] * kAmperesPerMilliampere};
  if (!ReadSpread(f[3], row.Sense, why)) return false;
  double one[4];
  if (!ReadNumbers(Words(f[4]), 0, 1, one) || !ReadNumbers(Words(f[5]), 0, 1, one + 1) ||
      !ReadNumbers(Words(f[6]), 0, 2, one + 2)) {
    why = "dropout, Tj max and the two thermal resistances are numbers or '-'";
    return false;
  }
  row.Dropout = one[0];
  row.TjMax = one[1];
  row.ThetaJc = one[2];
  row.ThetaJa = one[3];
  row.Package = Trim(f[7]);
  row.Source = Trim(f[8]);
  row.Grade = Trim(f[9]);
  if (row.Source.empty() || row.Grade.empty()) {
    why = "every row names its source and grade";
    return false;
  }
  return true;
}

}  // namespace

const TDeviceRow* TDeviceTable::Find(const std::string& name) const {
  for (const TDeviceRow& r : Rows)
    if (r.Name == name) return &r;
  return nullptr;
}

TDeviceTable ParseDeviceTable(const std::string& text) {
  TDeviceTable table;
  size_t number = 0;
  for (std::string line : Split(text, '\n')) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    TDeviceRow row;
    std::string why;
    if (!ReadRow(t, row, why)) {
      table.Rows.clear();
      table.Error = "line " + std::to_string(number) + ": " + why;
      return table;
    }
    if (table.Find(row.Name)) {
      table.Rows.clear();
      table.Error = "line " + std::to_string(number) + ": " + row.Name + " twice";
      return table;
    }
    table.Rows.push_back(row);
  }
  if (table.Rows.empty() && table.Error.empty()) table.Error = "no rows";
  return table;
}

const TDeviceTable& DeviceTable() {
  static const TDeviceTable table = ParseDeviceTable(LoadTextResource("DEVICES"));
  return table;
}

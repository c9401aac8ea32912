#include "pages/design.h"

#include "pages/standard_values.h"
#include "ui/label.h"
#include "ui/platform.h"

const char* const kCopyValueLine = "Copy value";
const char* const kCopyDesignLine = "Copy design";

namespace {

std::string TextOf(const THIWin* w) {
  TControl* c = w ? w->Control() : nullptr;
  return c ? c->Text() : std::string();
}

std::string Trim(const std::string& s, const std::string& chars) {
  const size_t first = s.find_first_not_of(chars);
  if (first == std::string::npos) return std::string();
  return s.substr(first, s.find_last_not_of(chars) - first + 1);
}

bool IsRelation(char c) { return c == '<' || c == '>'; }

// What an item reads as: name, relation, unit.
struct TParts {
  std::string Name, Relation = "=", Unit;
};

TParts PartsOf(const TDesignItem& item) {
  TParts p;
  // "(R1power=" and "Rн<" name the item; "(", ":" and "=" are punctuation.
  std::string caption = Trim(TextOf(item.Caption), " ");
  if (!caption.empty() && IsRelation(caption.back())) {
    p.Relation = std::string(1, caption.back());
    caption.pop_back();
  }
  p.Name = item.Name.empty() ? Trim(caption, " (:=") : item.Name;
  // " W)" and "<pF" are units; ")" closes the caption's bracket.
  std::string unit = Trim(TextOf(item.Unit), " )");
  if (!unit.empty() && IsRelation(unit[0])) {
    p.Relation = std::string(1, unit[0]);
    unit = Trim(unit.substr(1), " ");
  }
  p.Unit = unit;
  return p;
}

}  // namespace

void THIDesign::WireMenus() {
  for (size_t i = 0; i < Items.size(); ++i)
    if (auto* label = dynamic_cast<THILabel*>(Items[i].Value))
      label->onContextMenu = MakeLink<&THIDesign::doMenu>(this, static_cast<uint16_t>(i));
}

std::string THIDesign::ValueText(size_t item) const {
  if (item >= Items.size()) return std::string();
  const TParts p = PartsOf(Items[item]);
  const std::string value = TextOf(Items[item].Value);
  // A unit after no value would read as the value.
  return p.Unit.empty() || value.empty() ? value : value + " " + p.Unit;
}

std::string THIDesign::Line(size_t item) const {
  if (item >= Items.size()) return std::string();
  const TParts p = PartsOf(Items[item]);
  const std::string value = ValueText(item);
  return p.Name + " " + p.Relation + (value.empty() ? "" : " " + value);
}

std::string THIDesign::Text() const {
  std::string text = Title;
  for (size_t i = 0; i < Items.size(); ++i) text += "\r\n" + Line(i);
  return text;
}

bool THIDesign::Calculated() const {
  for (const TDesignItem& item : Items) {
    if (!item.Resistor) continue;
    const std::string value = TextOf(item.Value);
    if (!value.empty() && value != "0") return true;
  }
  return false;
}

std::vector<std::string> THIDesign::MenuLines(size_t index) const {
  std::vector<std::string> lines = {kCopyValueLine, kCopyDesignLine};
  if (index >= Items.size() || !Items[index].Resistor) return lines;
  const std::string unit = PartsOf(Items[index]).Unit;
  for (TESeries s : {TESeries::E24, TESeries::E96}) {
    TStandardValue v[2];
    const int count = StandardNeighboursInOhms(s, TextOf(Items[index].Value), unit, v);
    for (int i = 0; i < count; ++i) lines.push_back(StandardValueLine(s, v[i], "Om"));
  }
  return lines;
}

void THIDesign::doMenu(TData&, uint16_t index) {
  TPlatform* p = Platform();
  if (!p || index >= Items.size()) return;
  const std::vector<std::string> lines = MenuLines(index);
  const int32_t picked = p->PopupMenu(Items[index].Value->Control(), lines);
  if (picked < 0 || picked >= static_cast<int32_t>(lines.size())) return;
  if (picked == 0) return p->SetClipboardText(ValueText(index));
  if (picked == 1) return p->SetClipboardText(Text());
  // "E24: 750 Om (+5.3 %)": the value and its unit.
  const std::string& line = lines[static_cast<size_t>(picked)];
  const size_t from = line.find(": ") + 2, to = line.find(" (");
  p->SetClipboardText(line.substr(from, to - from));
}

#include "pages/design.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/ui_fixture.h"
#include "ui/label.h"

namespace {

class DesignTest : public UiTest {
 protected:
  THILabel* Label(const std::string& text) {
    labels_.push_back(std::make_unique<THILabel>(Form()));
    THILabel* l = labels_.back().get();
    l->Caption = text;
    l->Init();
    return l;
  }
  // An item of labels with these texts; an empty caption or unit is none.
  TDesignItem Item(const std::string& caption, const std::string& value, const std::string& unit,
                   const std::string& name = "", bool resistor = false) {
    return {caption.empty() ? nullptr : Label(caption), Label(value), unit.empty() ? nullptr : Label(unit), name,
            resistor};
  }

 private:
  std::vector<std::unique_ptr<THILabel>> labels_;
};

TEST_F(DesignTest, CaptionsUnitsAndRelationsMakeTheLine) {
  const struct {
    const char* caption;
    const char* value;
    const char* unit;
    const char* name;
    const char* line;
  } cases[] = {
      {"Vout:", "5", "V", "", "Vout = 5 V"},
      {"R2=", "0.805", "kOm", "", "R2 = 0.805 kOm"},
      {"R\xED<", "1.053", "kOm", "", "R\xED < 1.053 kOm"},
      {"(I\xED>", "4.748", "mA)", "", "I\xED > 4.748 mA"},
      {"C1:", "27000", "<pF", "", "C1 < 27000 pF"},
      {"C1:", "1.5", ">uF", "", "C1 > 1.5 uF"},
      {"(R3power=", "2", " W)", "R3 power rating", "R3 power rating = 2 W"},
      {"(R1power=", "3", "W)", "", "R1power = 3 W"},
      {"Type", "7805", "", "", "Type = 7805"},
      {"", "7.5", "V", "Vin min", "Vin min = 7.5 V"},
      {"R1:", "", "Om", "", "R1 ="},
  };
  for (const auto& c : cases) {
    THIDesign design;
    design.Items = {Item(c.caption, c.value, c.unit, c.name)};
    EXPECT_EQ(design.Line(0), c.line) << c.caption;
  }
}

TEST_F(DesignTest, TheTextIsTheTitleThenOneLinePerItemReadWhenAsked) {
  THIDesign design;
  design.Title = "M5237";
  design.Items = {Item("Vout:", "5", "V"), Item("R2=", "0", "kOm")};
  EXPECT_EQ(design.Text(), "M5237\r\nVout = 5 V\r\nR2 = 0 kOm");
  design.Items[1].Value->Control()->SetText("12.763");
  EXPECT_EQ(design.Text(), "M5237\r\nVout = 5 V\r\nR2 = 12.763 kOm");
}

TEST_F(DesignTest, OnlyComputedResistancesListStandardValues) {
  const struct {
    const char* value;
    const char* unit;
    bool resistor;
    std::vector<std::string> extra;
  } cases[] = {
      {"712", "Om", true, {"E24: 680 Om (-4.5 %)", "E24: 750 Om (+5.3 %)", "E96: 698 Om (-2.0 %)", "E96: 715 Om (+0.4 %)"}},
      {"0.712", "kOm", true, {"E24: 680 Om (-4.5 %)", "E24: 750 Om (+5.3 %)", "E96: 698 Om (-2.0 %)", "E96: 715 Om (+0.4 %)"}},
      {"0.75", "kOm", true, {"E24: 750 Om (0.0 %)", "E96: 750 Om (0.0 %)"}},
      {"712", "Om", false, {}},
      {"0", "kOm", true, {}},
      {"", "Om", true, {}},
      {"0.9", "W", true, {}},
  };
  for (const auto& c : cases) {
    THIDesign design;
    design.Items = {Item("R2=", c.value, c.unit, "", c.resistor)};
    std::vector<std::string> expected = {kCopyValueLine, kCopyDesignLine};
    expected.insert(expected.end(), c.extra.begin(), c.extra.end());
    EXPECT_EQ(design.MenuLines(0), expected) << c.value << " " << c.unit;
  }
}

TEST_F(DesignTest, ThePickedMenuLineGoesToTheClipboard) {
  const struct {
    int32_t answer;
    const char* clipboard;
  } cases[] = {
      {0, "0.712 kOm"}, {1, "LM317 Voltage\r\nR2 = 0.712 kOm"}, {2, "680 Om"}, {3, "750 Om"}, {5, "715 Om"},
      {TPlatform::kNoMenuItem, "untouched"},
  };
  THIDesign design;
  design.Title = "LM317 Voltage";
  design.Items = {Item("R2=", "0.712", "kOm", "", true)};
  design.WireMenus();
  for (const auto& c : cases) {
    platform.SetClipboardText("untouched");
    platform.MenuAnswers.push_back(c.answer);
    platform.RightClick(design.Items[0].Value->Control());
    EXPECT_EQ(platform.ClipboardText(), c.clipboard) << c.answer;
  }
  EXPECT_EQ(platform.Menus().size(), 6u);
}

TEST_F(DesignTest, CalculatedWhenAComputedResistanceShowsMoreThanItsStartingZero) {
  const struct {
    const char* computed;  // R2's value
    const char* input;     // R1's value, not computed
    bool calculated;
  } cases[] = {
      {"0", "240", false}, {"", "240", false}, {"0.712", "240", true}, {"0.001", "0", true}, {"0", "0", false},
  };
  for (const auto& c : cases) {
    THIDesign design;
    design.Items = {Item("R1:", c.input, "Om"), Item("R2=", c.computed, "kOm", "", true)};
    EXPECT_EQ(design.Calculated(), c.calculated) << c.computed << " " << c.input;
  }
}

}  // namespace

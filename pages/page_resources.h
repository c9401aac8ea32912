// The embedded resources the pages read, by name (resources/manifest.txt
// lists the files): the schematics, the lists of the drop-down fields and
// the 78xx device table, and the point names of the rounding copies.
// Constants only.
#pragma once

// Schematics, one per regulator page.
constexpr char kUa723Schematic[] = "BITMAP0";
constexpr char k78xxCurrentSchematic[] = "BITMAP1";
constexpr char k78xxVoltageSchematic[] = "BITMAP2";
constexpr char kTl431Schematic[] = "BITMAP3";
constexpr char kLm317VoltageSchematic[] = "BITMAP4";
constexpr char kLm317CurrentSchematic[] = "BITMAP5";
constexpr char kM5237Schematic[] = "BITMAP6";
constexpr char kL200Schematic[] = "BITMAP7";
constexpr char kTl431Lm317Schematic[] = "BITMAP8";
constexpr char kWindowIcon[] = "ICON0";

// Text lists, one item a line.
constexpr char kTabCaptions[] = "Str99";
constexpr char kLm317VoltageR1List[] = "Str56";  // 24 resistor values, 130 to 3000
constexpr char kL200R1List[] = "Str86";          // 820 to 5100, as kM5237R1List
constexpr char kM5237R1List[] = "Str73";
constexpr char kUa723R1List[] = "Str13";  // 37 resistor values, 130 to 5100
constexpr char k78xxVoltageR1List[] = "Str31";  // 16 resistor values, 130 to 560
// The 78xx device table: the types, the nominal voltage of each and (the
// current page) the maximum current of each, line by line.
constexpr char k78xxVoltageTypes[] = "Str30";
constexpr char k78xxVoltageVolts[] = "Str25";
constexpr char k78xxCurrentTypes[] = "Str16";
constexpr char k78xxCurrentVolts[] = "Str15";
constexpr char k78xxCurrentAmps[] = "Str14";

// The rounding copies' point names: four resources each, "Str<n>" to
// "Str<n + 3>"; the value is n.
enum class TRoundingNames : int {
  Ua723R2 = 1,
  Ua723R3 = 5,
  Ua723Power = 9,
  I78xxR1 = 17,
  I78xxPower = 21,
  V78xxR2 = 26,
  Tl431R3 = 32,
  Tl431R2 = 36,
  Tl431R1 = 40,
  Tl431Power = 44,
  Lm317VoltageR2 = 48,
  Lm317VoltageRload = 52,
  Lm317VoltageIload = 57,
  Lm317CurrentPower = 61,
  Lm317CurrentR1 = 65,
  M5237R2 = 69,
  L200R2 = 74,
  L200R3 = 78,
  L200Power = 82,
  Tl431Lm317R3 = 87,
  Tl431Lm317R2 = 91,
  Tl431Lm317R1 = 95,
};

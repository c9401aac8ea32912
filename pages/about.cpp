#include "pages/about.h"

#include "elements/routing.h"
#include "elements/system.h"

namespace {

const char kAboutTitle[] = "Kelvane v1.3  (c) 2026 Kelvane developers";
const char kAboutLinkText[] = "www.example.org";
const char kAboutAddress[] = "http://www.example.org/kelvane";

const TFontRec kTitle = MakeFontRec("Times New Roman", 14, FontBold, kCharSetCyrillic, 0x800000);
const TFontRec kLink = MakeFontRec("Times New Roman", 12, FontBold, kCharSetCyrillic, 0x800000);
const TFontRec kHeading = MakeFontRec("MS Sans Serif", 8, FontBold | FontUnderline, kCharSetDefault, 0x000000);
const TFontRec kList = MakeFontRec("Courier New", 8, 0, kCharSetCyrillic, 0x000000);

}  // namespace

TClassChildGroupBox_1187E90::TClassChildGroupBox_1187E90(TControl* parent) {
  MakePage(parent, 1);
  // Labels take the page box's button-face colour.
  AddLabel(Box(), {5, 10, 310, 26}, kAboutTitle, kTitle);
  THILabel* link = AddLabel(Box(), {5, 35, 141, 23}, kAboutLinkText, kLink);
  AddLabel(Box(), {5, 60, 115, 17}, "Allows to calculate:", kHeading);
  AddLabel(Box(), {5, 80, 291, 18}, "* LM317 (LM150 , LM350) voltage regulator", kList);
  AddLabel(Box(), {5, 95, 291, 18}, "* LM317 (LM150 , LM350) current regulator", kList);
  AddLabel(Box(), {5, 110, 277, 18}, "* L200 voltage and/or current regulator", kList);
  AddLabel(Box(), {5, 125, 246, 18}, "* TL431 precision shunt regulator", kList);
  AddLabel(Box(), {5, 140, 326, 18}, "* TL431 precision shunt regulator (with LM317)", kList);
  AddLabel(Box(), {5, 155, 284, 18}, "* M5237  3-terminal adjustable regulator", kList);
  AddLabel(Box(), {5, 170, 221, 18}, "* 78xx series voltage regulator", kList);
  AddLabel(Box(), {5, 185, 221, 18}, "* 78xx series current regulator", kList);
  AddLabel(Box(), {5, 200, 354, 18}, "* uA723 precision voltage and/or current regulator", kList);

  THIWinExec* launcher = Create<THIWinExec>();
  THIHub* visibleHub = Create<THIHub>();

  link->HoverColor = 0xFF0000;
  link->HoverCursor = CursorHand;
  link->HoverUnderline = 1;
  launcher->FileNameDef = "explorer";
  launcher->ParamDef = kAboutAddress;
  launcher->ShowMode = ShowModeNormal;
  visibleHub->SetOutCount(1);

  link->onClick = MakeLink<&THIWinExec::doExec>(launcher);
  Entry(Bridge, kPageDoVisible) = MakeLink<&THIHub::doEvent>(visibleHub);
  visibleHub->onEvent[0] = MakeLink<&THIGroupBox::doVisible>(PageBox);
}

#include "pages/calc_panel.h"

#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/panel.h"

namespace {

class TPanelScheme : public TWindowScheme {
 public:
  THIEditMulti* Bridge = nullptr;

 protected:
  // The panel in button face with "Arial" 8, edges as given.
  THIPanel* MakePanel(TControl* parent, TBox box, uint8_t innerEdge, int32_t edgeWidth) {
    THIPanel* panel = Create<THIPanel>(parent);
    Bridge = Create<THIEditMulti>();
    Place(panel, box);
    panel->Align = 0;
    panel->Color = kColorButtonFace;
    panel->Font = MakeFontRec("Arial", 8, 0, kCharSetDefault, 0x000000);
    panel->OuterEdge = 0;
    panel->InnerEdge = innerEdge;
    panel->EdgeWidth = edgeWidth;
    panel->BorderFlag = 0;
    panel->BorderWidth = 1;
    panel->Alignment = 0;
    panel->Caption = "";
    panel->Init();
    return panel;
  }
};

class TCalcPanel : public TPanelScheme {
 public:
  TCalcPanel(TControl* parent, TCalcPanelPlace place) {
    THIPanel* panel = MakePanel(parent, place.Panel, 0, 1);
    THIButton* button = Create<THIButton>(panel->Control());
    Bridge->SetMethodCount(0);
    Bridge->SetVarCount(0);

    Place(button, {place.ButtonLeft, 4, 120, 25});
    button->TabOrder = 1;
    button->Hint = "Go!";
    button->Font = MakeFontRec("Arial", 8, 0, kCharSetDefault, 0x000000);
    button->SetCaption("Calculate");
    button->Init();

    button->onClick = Exit(Bridge, kPanelOnCalculate);
  }
};

class TAccuratePanel : public TPanelScheme {
 public:
  explicit TAccuratePanel(TControl* parent) {
    THIPanel* panel = MakePanel(parent, {279, 150, 127, 23}, 1, 2);
    THICheckBox* check = Create<THICheckBox>(panel->Control());
    Bridge->SetMethodCount(0);
    Bridge->SetVarCount(1);

    Place(check, {3, 3, 95, 18});
    check->TabOrder = 6;
    check->Color = kColorButtonFace;
    check->Hint = "Slow but exact";
    check->Font = MakeFontRec("Arial", 8, 0, kCharSetDefault, 0x808080);
    check->SetCaption("Accurate result");
    check->SetChecked(1);
    check->Init();

    Answer(Bridge, kPanelAccurate) = MakeLink<&THICheckBox::Checked>(check);
  }
};

}  // namespace

TChildScheme MakeCalcPanel(TControl* parent, TCalcPanelPlace place) {
  return MakeChildScheme<TCalcPanel>(parent, place);
}

TChildScheme MakeAccuratePanel(TControl* parent) { return MakeChildScheme<TAccuratePanel>(parent); }

#include "pages/main_form.h"

#include "pages/78xx_current.h"
#include "pages/78xx_voltage.h"
#include "pages/about.h"
#include "pages/l200.h"
#include "pages/lm317_current.h"
#include "pages/lm317_voltage.h"
#include "pages/m5237.h"
#include "pages/parts/report.h"
#include "pages/tl431.h"
#include "pages/tl431_lm317.h"
#include "pages/ua723.h"
#include "pages/window_scheme.h"
#include "runtime/resources.h"
#include "ui/button.h"
#include "ui/image.h"
#include "ui/platform.h"

namespace {

// Passes an event on, then tells `After` that the chain it started ended.
class TThenTell : public TElement {
 public:
  THI_Event Next, After;
  void doEvent(TData& data) {
    FireEvent(Next, data);
    FireNone(After);
  }
};

enum : int { LM317Voltage, LM317Current, L200, TL431, TL431LM317, M5237, V78xx, I78xx, UA723, About };

// The pages in the order they are built, with the factory of each.
struct TPageEntry {
  int tab;
  THIMultiElement::TFactory factory;
};

}  // namespace

TClassMainForm_2943964::TClassMainForm_2943964() {
  MainForm = Create<THIMainForm>();
  PageTabs = Create<THITabControl>(MainForm->Control());
  for (THIMultiElement*& host : PageHost) host = Create<THIMultiElement>(MainForm->Control());
  TabSwitchHub = Create<THIHub>();
  for (THIIf_else*& match : TabMatch) match = Create<THIIf_else>();
  for (THIDoData*& show : ShowPage) show = Create<THIDoData>();
  for (THIDoData*& hide : HidePage) hide = Create<THIDoData>();
  StartupHub = Create<THIHub>();
  WindowStyle = Create<THISysMenu>();

  MainForm->Left = 20;
  MainForm->Top = 105;
  MainForm->Width = 445;
  MainForm->Height = 307;
  MainForm->Color = kColorButtonFace;
  MainForm->Font = MakeFontRec("MS Sans Serif", 8, 0, kCharSetDefault, 0x000000);
  MainForm->Visible = 1;
  MainForm->AlphaBlend = 255;
  MainForm->ProjectName = "MyProject";
  MainForm->TransparentColor = 0xFFFFFF;
  MainForm->ClientSize = 0;
  MainForm->FirstShowHook = [](int) {};
  MainForm->Placement = &THIMainForm::CenterOnScreen;
  MainForm->SetCaption("Kelvane v1.3");
  MainForm->SetBorderStyle(1);
  MainForm->SetIcon(kWindowIcon);
  MainForm->Init();
  MainForm->onCreate = MakeLink<&THIHub::doEvent>(StartupHub, 0);
  MainForm->onCopy = MakeLink<&TClassMainForm_2943964::doCopy>(this);
  MainForm->Shortcuts = std::string(1, kPartsKey);
  MainForm->onShortcut = MakeLink<&TClassMainForm_2943964::doShortcut>(this);

  PageTabs->Left = 5;
  PageTabs->Top = 5;
  PageTabs->Width = 430;
  PageTabs->Height = 265;
  PageTabs->Font = MakeFontRec("MS Sans Serif", 8, 0, kCharSetDefault, 0x000000);
  PageTabs->Visible = 1;
  PageTabs->Enabled = 1;
  PageTabs->Tabs = LoadTextResource(kTabCaptions);
  PageTabs->Init();
  PageTabs->onChange = MakeLink<&THIHub::doEvent>(TabSwitchHub, 1);

  // Pages are built in this order, each at the moment its factory is set.
  const TPageEntry build[kPages] = {
      {UA723, &MakePageScheme<TClassChildGroupBox_2928CAC>},
      {I78xx, &MakePageScheme<TClassChildGroupBox_2137818>},
      {V78xx, &MakePageScheme<TClassChildGroupBox_28DD42C>},
      {TL431, &MakePageScheme<TClassChildGroupBox_1191F04>},
      {About, &MakePageScheme<TClassChildGroupBox_1187E90>},
      {LM317Voltage, &MakePageScheme<TClassChildGroupBox_11B4F30>},
      {LM317Current, &MakePageScheme<TClassChildGroupBox_28BDDE8>},
      {M5237, &MakePageScheme<TClassChildGroupBox_28CCE9C>},
      {L200, &MakePageScheme<TClassChildGroupBox_1163FB8>},
      {TL431LM317, &MakePageScheme<TClassChildGroupBox_28BC1D8>},
  };
  for (const TPageEntry& page : build) {
    THIMultiElement* host = PageHost[page.tab];
    host->Mode = kBuildAtOnce;
    host->SetFactory(page.factory);
    host->SetEventCount(0);
    host->SetDataCount(0);
  }

  TabSwitchHub->InCount = 2;
  TabSwitchHub->SetOutCount(kPages);
  for (int tab = 0; tab < kPages; ++tab) {
    TabMatch[tab]->Type = CompareEqual;
    SetInteger(TabMatch[tab]->Op2Def, tab);
    SetInteger(ShowPage[tab]->DataDef, 1);
    SetInteger(HidePage[tab]->DataDef, 0);
    TabSwitchHub->onEvent[tab] = MakeLink<&THIIf_else::doCompare>(TabMatch[tab]);
    TabMatch[tab]->onTrue = MakeLink<&THIDoData::doData>(ShowPage[tab]);
    TabMatch[tab]->onFalse = MakeLink<&THIDoData::doData>(HidePage[tab]);
    ShowPage[tab]->onEventData = Call(PageHost[tab], kPageDoVisible);
    HidePage[tab]->onEventData = Call(PageHost[tab], kPageDoVisible);
  }
  // Only the first page's comparator looks at the tab strip itself, so at
  // start-up (an empty value) it alone matches.
  TabMatch[0]->Op1 = MakeLink<&THITabControl::Index>(PageTabs);

  StartupHub->InCount = 1;
  StartupHub->SetOutCount(7);
  StartupHub->onEvent[1] = MakeLink<&THIHub::doEvent>(TabSwitchHub, 0);
  StartupHub->onEvent[2] = MakeLink<&THISysMenu::doRemoveMaximize>(WindowStyle);
  StartupHub->onEvent[3] = Call(PageHost[LM317Voltage], kPageDoPreset);
  StartupHub->onEvent[4] = Call(PageHost[M5237], kPageDoPreset);
  StartupHub->onEvent[5] = Call(PageHost[V78xx], kPageDoPreset);
  StartupHub->onEvent[6] = Call(PageHost[I78xx], kPageDoPreset);
  WindowStyle->Handle = MakeLink<&THIMainForm::Handle>(MainForm);

  // The page's own menu: on its frame and its schematic.
  for (int tab = 0; tab < kPages; ++tab) {
    if (!PageHost[tab]->Child()) continue;
    auto* page = static_cast<TPageScheme*>(PageHost[tab]->ChildScheme());
    if (!page->Design) continue;
    const THI_Event menu = MakeLink<&TClassMainForm_2943964::doPageMenu>(this, static_cast<uint16_t>(tab));
    page->PageBox->onContextMenu = menu;
    TControl* schematic = FindFirstOfKind(page->PageBox->Control(), TControlKind::Image);
    if (auto* image = dynamic_cast<THIImage*>(schematic ? schematic->Handler() : nullptr)) image->onContextMenu = menu;
  }
}

TControl* TClassMainForm_2943964::PageBox(int tab) {
  if (tab < 0 || tab >= kPages || !PageHost[tab]->Child()) return nullptr;
  auto* page = static_cast<TPageScheme*>(PageHost[tab]->ChildScheme());
  return page->PageBox->Control();
}

std::string TClassMainForm_2943964::DesignText(int tab) {
  if (tab < 0 || tab >= kPages || !PageHost[tab]->Child()) return std::string();
  auto* page = static_cast<TPageScheme*>(PageHost[tab]->ChildScheme());
  return page->Design ? page->Design->Text() : std::string();
}

std::string TClassMainForm_2943964::PartsCommand(const std::string& command, int tab, const std::string& args,
                                                std::string& lines) {
  const std::string design = DesignText(tab);
  if (design.empty()) return "this page has no parts to choose";
  return command == "heat" ? HeatReport(design, args, lines) : PartsReport(design, args, lines);
}

void TClassMainForm_2943964::doCopy(TData&) {
  TPlatform* platform = Platform();
  for (int tab = 0; tab < kPages && platform; ++tab) {
    TControl* box = PageBox(tab);
    if (!box || !box->Showing()) continue;
    const std::string text = DesignText(tab);
    if (!text.empty()) platform->SetClipboardText(text);
    return;
  }
}

TPageDesign TClassMainForm_2943964::DesignOnScreen() {
  for (int tab = 0; tab < kPages; ++tab) {
    TControl* box = PageBox(tab);
    if (!box || !box->Showing()) continue;
    auto* page = static_cast<TPageScheme*>(PageHost[tab]->ChildScheme());
    if (!page->Design) return {};
    return {page->Design->Text(), page->Design->Calculated()};
  }
  return {};
}

void TClassMainForm_2943964::FollowPages() {
  auto tell = [this](THI_Event& event) {
    TThenTell* relay = Create<TThenTell>();
    relay->Next = event;
    relay->After = MakeLink<&TClassMainForm_2943964::doFollow>(this);
    event = MakeLink<&TThenTell::doEvent>(relay);
  };
  for (int tab = 0; tab < kPages; ++tab) {
    TControl* box = PageBox(tab);
    TControl* button = box ? FindFirstOfKind(box, TControlKind::Button) : nullptr;
    if (auto* calculate = dynamic_cast<THIButton*>(button ? button->Handler() : nullptr)) tell(calculate->onClick);
  }
  tell(PageTabs->onChange);
}

void TClassMainForm_2943964::doParts(TData&) {
  if (!MainForm->Control()) return;
  if (!parts_) {
    parts_ = std::make_unique<TPartsWindow>(MainForm->Control());
    FollowPages();
  }
  parts_->Open(DesignOnScreen());
}

void TClassMainForm_2943964::doShortcut(TData& data) {
  if (ToInteger(data) == kPartsKey) doParts(data);
}

void TClassMainForm_2943964::doPageMenu(TData& data, uint16_t tab) {
  TPlatform* platform = Platform();
  TControl* box = PageBox(tab);
  if (!platform || !box) return;
  if (platform->PopupMenu(box, {kPartsLine}) == 0) doParts(data);
}

void TClassMainForm_2943964::doFollow(TData&) {
  if (parts_) parts_->Follow(DesignOnScreen());
}

std::unique_ptr<TMainScheme> MakeMainScheme() { return std::make_unique<TClassMainForm_2943964>(); }

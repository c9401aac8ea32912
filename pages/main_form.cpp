#include "pages/main_form.h"

#include "runtime/resources.h"
#include "ui/platform.h"

namespace {

// The captions when the text resource is missing.
const char kTabCaptions[] =
    "LM317 Voltage\r\nLM317 Current\r\nL200\r\nTL431\r\nTL431+LM317\r\n"
    "M5237\r\n78xx Voltage\r\n78xx Current\r\nuA723\r\nAbout";

// Shows the page whose number arrives (or, with no number, the tab strip's
// selected one) and hides the others.
class TPageSwitch : public TElement {
 public:
  THIGroupBox** Pages = nullptr;
  THI_Event Index;

  void doSwitch(TData& data) {
    const int32_t index = IsNone(data) ? ReadInteger(data, Index, 0) : ToInteger(data);
    for (int i = 0; i < TClassMainForm_2943964::kPages; ++i) {
      TData visible;
      SetInteger(visible, i == index ? 1 : 0);
      Pages[i]->doVisible(visible);
    }
  }
};

// The start-up sequence: the selected page alone on screen, then the
// window loses its maximise box.
class TStartup : public TElement {
 public:
  THI_Event onSwitch;
  THI_Event Handle;

  void doStart(TData&) {
    FireNone(onSwitch);
    TData data;
    const int32_t handle = ReadInteger(data, Handle, 0);
    TSystemOps* ops = SystemOps();
    if (handle == 0 || !ops) return;
    ops->SetWindowStyle(handle, ops->GetWindowStyle(handle) & ~kStyleMaximizeBox);
    ops->RedrawMenuBar(handle);
  }
};

}  // namespace

TClassMainForm_2943964::TClassMainForm_2943964() {
  MainForm = Create<THIMainForm>();
  PageTabs = Create<THITabControl>(MainForm->Control());
  for (THIGroupBox*& page : Pages) page = Create<THIGroupBox>(MainForm->Control());
  TPageSwitch* pageSwitch = Create<TPageSwitch>();
  TStartup* startup = Create<TStartup>();

  MainForm->Left = 20;
  MainForm->Top = 105;
  MainForm->Width = 445;
  MainForm->Height = 307;
  MainForm->Color = kColorButtonFace;
  MainForm->Font = MakeFontRec("MS Sans Serif", 8, 0, 1, 0x000000);
  MainForm->AlphaBlend = 255;
  MainForm->ProjectName = "MyProject";
  MainForm->TransparentColor = 0xFFFFFF;
  MainForm->Placement = &THIMainForm::CenterOnScreen;
  MainForm->SetCaption("Kelvane v1.3");
  MainForm->SetBorderStyle(1);
  MainForm->SetIcon("ICON0");
  MainForm->Init();
  MainForm->onCreate = MakeLink<&TStartup::doStart>(startup);

  PageTabs->Left = 5;
  PageTabs->Top = 5;
  PageTabs->Width = 430;
  PageTabs->Height = 265;
  PageTabs->Font = MakeFontRec("MS Sans Serif", 8, 0, 1, 0x000000);
  const std::string captions = LoadTextResource("Str99");
  PageTabs->Tabs = captions.empty() ? kTabCaptions : captions;
  PageTabs->Init();
  PageTabs->onChange = MakeLink<&TPageSwitch::doSwitch>(pageSwitch);

  for (THIGroupBox* page : Pages) {
    page->Left = 10;
    page->Top = 30;
    page->Width = 415;
    page->Height = 232;
    page->Color = kColorButtonFace;
    page->Font = MakeFontRec("MS Sans Serif", 8, 0, 1, 0x000000);
    page->SetCaption("");
    page->Init();
  }

  pageSwitch->Pages = Pages;
  pageSwitch->Index = MakeLink<&THITabControl::Index>(PageTabs);
  startup->onSwitch = MakeLink<&TPageSwitch::doSwitch>(pageSwitch);
  startup->Handle = MakeLink<&THIMainForm::Handle>(MainForm);
}

TControl* TClassMainForm_2943964::PageBox(int tab) {
  return tab >= 0 && tab < kPages ? Pages[tab]->Control() : nullptr;
}

std::unique_ptr<TMainScheme> MakeMainScheme() { return std::make_unique<TClassMainForm_2943964>(); }

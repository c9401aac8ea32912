// The main window scheme: the form, the tab strip with the ten page names,
// one host per page (each builds its page at once), the comparators that
// show the selected tab's page and hide the nine others, and the start-up
// sequence (first page alone on screen, no maximise box, initial list
// selections on four pages).
#pragma once

#include <memory>

#include "elements/branching.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "runtime/multi_element.h"
#include "ui/main_form.h"
#include "ui/main_scheme.h"
#include "ui/tab_control.h"

class TClassMainForm_2943964 : public TMainScheme {
 public:
  static constexpr int kPages = 10;

  TClassMainForm_2943964();

  THIMainForm* Form() override { return MainForm; }
  THITabControl* Tabs() override { return PageTabs; }
  int PageCount() override { return kPages; }
  TControl* PageBox(int tab) override;
  std::string DesignText(int tab) override;
  std::string PartsCommand(const std::string& command, int tab, const std::string& args,
                           std::string& lines) override;
  // Ctrl+C: the design of the page on screen goes to the clipboard.
  void doCopy(TData& data);

  THIMainForm* MainForm;
  THITabControl* PageTabs;
  THIMultiElement* PageHost[kPages];  // by tab index
  THIHub* TabSwitchHub;
  THIIf_else* TabMatch[kPages];
  THIDoData* ShowPage[kPages];
  THIDoData* HidePage[kPages];
  THIHub* StartupHub;
  THISysMenu* WindowStyle;
};

// The application's main scheme.
std::unique_ptr<TMainScheme> MakeMainScheme();

// The main window scheme: the form, the tab strip with the ten page names,
// one host per page (each builds its page at once), the comparators that
// show the selected tab's page and hide the nine others, and the start-up
// sequence (first page alone on screen, no maximise box, initial list
// selections on four pages). Ctrl+D, the "Parts and worst case" line of a
// page's right-click menu and of its result menus open the Parts window of
// the page on screen, built the first time it is asked for; while it is
// open it follows each Calculate and each page switch.
#pragma once

#include <memory>

#include "elements/branching.h"
#include "elements/routing.h"
#include "elements/system.h"
#include "pages/parts_window.h"
#include "runtime/multi_element.h"
#include "ui/main_form.h"
#include "ui/main_scheme.h"
#include "ui/tab_control.h"

// The key that opens the Parts window with Ctrl.
constexpr char kPartsKey = 'D';

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
  // Opens the Parts window of the page on screen.
  void doParts(TData& data);
  // Ctrl+D (the key code arrives): the Parts window.
  void doShortcut(TData& data);
  // A right-click on page `tab` off its result labels: the page's menu.
  void doPageMenu(TData& data, uint16_t tab);
  // A Calculate or a page switch ended: an open Parts window follows.
  void doFollow(TData& data);
  // None until the user first opens it.
  TPartsWindow* PartsWindow() { return parts_.get(); }

  THIMainForm* MainForm;
  THITabControl* PageTabs;
  THIMultiElement* PageHost[kPages];  // by tab index
  THIHub* TabSwitchHub;
  THIIf_else* TabMatch[kPages];
  THIDoData* ShowPage[kPages];
  THIDoData* HidePage[kPages];
  THIHub* StartupHub;
  THISysMenu* WindowStyle;

 private:
  // The page on screen as the Parts window reads it; empty for none.
  TPageDesign DesignOnScreen();
  // Makes each Calculate button and the tab strip tell doFollow when their
  // chain has run.
  void FollowPages();

  std::unique_ptr<TPartsWindow> parts_;
};

// The application's main scheme.
std::unique_ptr<TMainScheme> MakeMainScheme();

// A main scheme for driver and program-run tests, with one control of each
// kind at known places:
//   page 0: label "Vout" 280,20; edit "5" 315,15 (real, TabOrder 1, hint);
//           pick-only list 315,45 ("130","240","1000"); editable list
//           315,70 ("820","1000"); result label 310,100 (fixed 55x15);
//           image 10,19; panel 273,195 with the Calculate button, which
//           shows twice the edit's value in the result label, or a warning
//           box ("Warning!", style 48) when the edit has no value; Enter
//           in the edit asks "Use this value?" (Yes/No, style 36) and shows
//           the answer's number in the result label (the edit then clears);
//           panel 279,150 with the "Accurate result" check box, whose
//           state shows in the label 100,225 ("-" until clicked).
//   Start-up and the tab strip show one page at a time.
//   page 1: label 10,10 and a Calculate panel 273,195 whose button starts a
//           worker that shows 1..Steps in that label, one doText per step.
//   page 2: nothing.
// Counters let tests see the program run's steps.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "ui/button.h"
#include "ui/check_box.h"
#include "ui/combo_box.h"
#include "ui/edit.h"
#include "ui/group_box.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/main_form.h"
#include "ui/main_scheme.h"
#include "ui/panel.h"
#include "ui/tab_control.h"

class TSampleScheme : public TMainScheme {
 public:
  struct TCounters {
    std::vector<std::string> order;  // "create", "show", "close" as they happen
    bool dispatchAtClose = false;
    int destroyed = 0;
  };

  explicit TSampleScheme(TCounters* counters, int steps = 2000);
  ~TSampleScheme() override;

  THIMainForm* Form() override { return form; }
  THITabControl* Tabs() override { return tabs; }
  int PageCount() override { return 3; }
  TControl* PageBox(int tab) override;
  std::string DesignText(int) override { return std::string(); }

  THIMainForm* form;
  THITabControl* tabs;
  THIGroupBox* pages[3];
  THILabel* caption;
  THIEdit* edit;
  THIComboBox* pickList;
  THIComboBox* editList;
  THILabel* result;
  THIImage* image;
  THIPanel* calcPanel;
  THIButton* calc;
  THIPanel* checkPanel;
  THICheckBox* accurate;
  THILabel* checkState;
  THILabel* counter;
  THIPanel* workPanel;
  THIButton* work;

  // Elements of the tests' own: the reactions wired above.
  void doCalc(TData& data);
  void doAsk(TData& data);
  void doWork(TData& data);
  void onCreate(TData&);
  void doTab(TData& data);
  void onShow(TData&) { counters_->order.push_back("show"); }
  void onClose(TData&);

 private:
  TCounters* counters_;
  int steps_;
  std::thread worker_;
  std::atomic<bool> stop_{false};
};

TMainFactory SampleFactory(TSampleScheme::TCounters* counters, int steps = 2000);

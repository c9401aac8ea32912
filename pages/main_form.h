// The main window scheme: the form, the tab strip with the ten page names,
// and one group box per page, of which the selected tab's is the only one
// shown. The pages' contents are built inside these group boxes.
#pragma once

#include <memory>

#include "ui/group_box.h"
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

  THIMainForm* MainForm;
  THITabControl* PageTabs;
  THIGroupBox* Pages[kPages];
};

// The application's main scheme.
std::unique_ptr<TMainScheme> MakeMainScheme();

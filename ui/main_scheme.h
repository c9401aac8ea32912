// What the program run and the driver need from the application's main
// scheme: its form, its tab strip and the group box of every page.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "runtime/element.h"

class THIMainForm;
class THITabControl;

class TMainScheme : public TScheme {
 public:
  virtual THIMainForm* Form() = 0;
  virtual THITabControl* Tabs() = 0;
  virtual int PageCount() = 0;
  // The control of page `tab`'s group box; none for a tab out of range.
  virtual TControl* PageBox(int tab) = 0;
  // What Ctrl+C puts on the clipboard on page `tab`: its design as text;
  // empty for pages that design nothing and tabs out of range.
  virtual std::string DesignText(int tab) = 0;
  // The driver's Parts commands ("parts", "heat") on page `tab` with the
  // words after the page number: "" and the lines to print (code page
  // 1251, each ended by LF), or why the command was refused.
  virtual std::string PartsCommand(const std::string& /*command*/, int /*tab*/, const std::string& /*args*/,
                                   std::string& /*lines*/) {
    return "this program has no Parts analysis";
  }
};

// Builds the main scheme (with the dispatcher off); none on failure.
using TMainFactory = std::function<std::unique_ptr<TMainScheme>()>;

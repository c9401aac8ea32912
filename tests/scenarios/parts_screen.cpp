#include "scenarios/parts_screen.h"

#include "runtime/data.h"
#include "runtime/event.h"
#include "ui/button.h"

TPartsWindow* OpenFirstPagesParts(TClassMainForm_2943964& scheme) {
  // As the program starts: the window shown, the dispatcher on, then the
  // start-up queue (which picks the pages' first list lines).
  scheme.MainForm->ShowApplication();
  StartDispatch();
  RunInits();
  TControl* calculate = FindFirstOfKind(scheme.PageBox(0), TControlKind::Button);
  auto* button = dynamic_cast<THIButton*>(calculate ? calculate->Handler() : nullptr);
  if (!button) return nullptr;
  FireNone(button->onClick);
  TData none;
  scheme.doParts(none);
  return scheme.PartsWindow();
}

// Iteration elements: a loop over an integer range and a wrapping counter.
// Both live as long as their scheme and keep only their fields between
// calls. Neither fails.
#pragma once

#include <cstdint>
#include <memory>

#include "runtime/element.h"
#include "runtime/event.h"

// Fires onEvent (nested) for every value from From to To by Step, then
// continues on onStop with the first value beyond the range. Current and
// To are read at every test, so doStop from within a step ends the loop
// after that step. On a worker thread the loop offers the scheme lock
// between steps and ends after the step in which the worker is asked to stop.
// Fired directly by a worker's body run in slices, it leaves off between
// steps once the slice's time is up and goes on in the next slice
// (TThread::LeaveOff); onStop then fires when the last step is done.
class THIFor : public TElement {
 public:
  ~THIFor() override;

  int32_t Current = 0;
  int32_t From = 0;
  int32_t To = 0;
  int32_t StartDef = 0;
  int32_t EndDef = 0;
  int32_t Step = 0;
  bool IncludeEnd = false;
  bool UseInData = false;
  THI_Event End;
  THI_Event Start;
  THI_Event onEvent;
  THI_Event onStop;

  void doFor(TData& data);
  void doStop(TData& data);

 private:
  // One running doFor, kept by the call and by a rest it left to its
  // worker; the destructor marks every one so a loop parked between steps
  // on a worker never touches the element again.
  struct TRun {
    TRun* outer = nullptr;
    bool destroyed = false;
    bool empty = false;  // the range has nothing to visit
    bool onWorker = false;
    bool mayLeaveOff = false;
  };
  enum class TStepsEnd { Done, LeftOff, Gone };
  // Runs steps from Current; `resumed` goes on after a step that left off.
  TStepsEnd Steps(TRun& run, bool resumed);
  // Leaves the rest to the worker, or unlinks an ended run; true when
  // onStop is due.
  bool Settle(const std::shared_ptr<TRun>& run, TStepsEnd end);
  // The rest of a run that left off, in a later slice.
  void GoOn(const std::shared_ptr<TRun>& run);
  TRun* runs_ = nullptr;
};

// Counts by Step, up (Direction 0) wrapping from above Max to MinValue, or
// down wrapping from below MinValue to Max, and continues with the count.
class THICounter : public TElement {
 public:
  int32_t CountValue = 0;
  int32_t MinValue = 0;
  int32_t Max = 0;
  int32_t Step = 0;
  uint8_t Direction = 0;
  THI_Event Min;
  THI_Event onNext;

  void doNext(TData& data);
  void doReset(TData& data);
  void doMin(TData& data);
  void Count(TData& data);
};

#include "elements/loops.h"

#include "elements/thread.h"
#include "runtime/scheme_lock.h"
#include "runtime/system_ops.h"

namespace {

// Two's complement wrap of a 64-bit sum into 32 bits.
int32_t Wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

int32_t Saturate(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

}  // namespace

THIFor::~THIFor() {
  // A worker parked between steps of this loop waits for the scheme lock;
  // holding it here makes the mark visible to it before it runs on.
  TSchemeGuard scheme;
  for (TRun* r = runs_; r; r = r->outer) r->destroyed = true;
}

void THIFor::doFor(TData& data) {
  if (!UseInData) data.Kind = KindNone;
  From = ReadInteger(data, Start, StartDef);
  int64_t end = ReadInteger(data, End, EndDef);
  if (!IncludeEnd) end -= Step;
  To = Saturate(end);
  Current = From;
  auto run = std::make_shared<TRun>();
  // An end moved past the 32-bit numbers leaves nothing to visit.
  run->empty = end != To;
  TThread* worker = CurrentWorker();
  run->onWorker = worker != nullptr;
  run->mayLeaveOff = worker && worker->TakeLeaveOff(this);
  run->outer = runs_;
  runs_ = run.get();
  if (Settle(run, Steps(*run, false))) ContinueInteger(data, onStop, Current);
}

THIFor::TStepsEnd THIFor::Steps(TRun& run, bool resumed) {
  for (bool step = !resumed;; step = true) {
    if (step) {
      if (run.empty || !(Step > 0 ? Current <= To : Step < 0 && Current >= To)) return TStepsEnd::Done;
      FireInteger(onEvent, Current);
      // A calculation halted in a worker's step ends the run with the step,
      // before the window thread may take its turn.
      if (run.onWorker && EndHalt()) To = Current;
      if (run.mayLeaveOff && SliceOver()) return TStepsEnd::LeftOff;
      // Lets the window thread run its chains (doStop among them) between
      // steps, never in the middle of one.
      if (run.onWorker) SchemeLock().YieldToWaiter();
    }
    if (run.destroyed) return TStepsEnd::Gone;
    if (run.onWorker && CurrentWorkerStopRequested()) To = Current;
    const int64_t next = static_cast<int64_t>(Current) + Step;
    Current = Wrap(next);
    // A range that reaches the end of the 32-bit numbers ends there instead
    // of wrapping round for ever.
    if (next != Current) return TStepsEnd::Done;
  }
}

bool THIFor::Settle(const std::shared_ptr<TRun>& run, TStepsEnd end) {
  if (end == TStepsEnd::LeftOff) CurrentWorker()->LeaveOff([this, run] { GoOn(run); });
  if (end != TStepsEnd::Done) return false;
  // Unlinked wherever it is: another thread's run of this loop may have
  // started while this one offered the lock.
  for (TRun** r = &runs_; *r; r = &(*r)->outer) {
    if (*r == run.get()) {
      *r = run->outer;
      break;
    }
  }
  return true;
}

void THIFor::GoOn(const std::shared_ptr<TRun>& run) {
  TSchemeGuard scheme;
  if (run->destroyed) return;  // the element is gone
  if (Settle(run, Steps(*run, true))) FireInteger(onStop, Current);
}

void THIFor::doStop(TData&) { To = Current; }

void THICounter::doNext(TData& data) {
  if (Direction == 0) {
    const int64_t next = static_cast<int64_t>(CountValue) + Step;
    CountValue = next > Max ? MinValue : Wrap(next);
  } else {
    const int64_t next = static_cast<int64_t>(CountValue) - Step;
    CountValue = next < MinValue ? Max : Wrap(next);
  }
  ContinueInteger(data, onNext, CountValue);
}

void THICounter::doReset(TData&) { CountValue = Direction == 0 ? MinValue : Max; }

void THICounter::doMin(TData& data) { MinValue = ReadInteger(data, Min, 0); }

void THICounter::Count(TData& data) { SetInteger(data, CountValue); }

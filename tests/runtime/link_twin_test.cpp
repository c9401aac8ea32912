// A helper class with the same name as one in link_identity_test.cpp, in
// its own unnamed namespace: links to each must reach their own class.
#include "runtime/event.h"

namespace {
struct Twin {
  int* hits;
  void doHit(TData&) { *hits += 100; }
};
}  // namespace

void FireTwinInOtherFile(int* hits) {
  Twin t{hits};
  FireNone(MakeLink<&Twin::doHit>(&t));
}

#include <gtest/gtest.h>

#include "runtime/event.h"

void FireTwinInOtherFile(int* hits);

namespace {

struct Twin {
  int* hits;
  void doHit(TData&) { *hits += 1; }
};

TEST(LinkIdentity, SameNamedHelpersInTwoFilesStayApart) {
  StartDispatch();
  int hits = 0;
  Twin t{&hits};
  FireNone(MakeLink<&Twin::doHit>(&t));
  FireTwinInOtherFile(&hits);
  StopDispatch();
  EXPECT_EQ(hits, 101);
}

}  // namespace

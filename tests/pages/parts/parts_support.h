// What the Parts tests share: a page's design as it would be copied, bound
// into its circuit with the program's device table.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "pages/parts/circuit.h"

inline TCircuit BoundCircuit(TPage page, const std::string& lines) {
  TCircuit c;
  const std::string error = BindCircuit(page, ParseDesign(std::string(PageTitle(page)) + "\n" + lines),
                                        DeviceTable(), c);
  EXPECT_EQ(error, "") << lines;
  return c;
}

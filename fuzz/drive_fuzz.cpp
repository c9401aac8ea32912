// Feeds whole scripts to the kelvane-drive engine (the program on the
// headless backend, as the tool runs it).
//
// Input: the script, lines of commands; `wait` gives up after a second.
//
// Properties: the run ends with status 0 or 1; every line printed is valid
// UTF-8 without control characters, whatever bytes the script held.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/fuzz_check.h"
#include "pages/main_form.h"
#include "ui/encoding.h"
#include "ui/headless/driver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out;
  const int status = RunDrive({}, in, out, &MakeMainScheme, std::chrono::seconds(1));
  FuzzCheck(status == 0 || status == 1);
  std::istringstream printed(out.str());
  for (std::string line; std::getline(printed, line);) FuzzCheck(IsCleanUtf8(line));
  return 0;
}

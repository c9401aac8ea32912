#include "gui/screens.h"

#include <sys/stat.h>
#include <zlib.h>

#include "gui/harness.h"
#include "scenarios/screenshots.h"

namespace {

// The Linux screenshots are compressed: zlib is there.
std::vector<uint8_t> Compressed(const std::vector<uint8_t>& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(size);
  if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) return {};
  packed.resize(size);
  return packed;
}

}  // namespace

int SaveScreens(const TMainFactory& factory, const std::string& dir, const std::vector<std::string>& args) {
  mkdir(dir.c_str(), 0755);
  int failures = 0;
  const int status = TGuiSession::Run(factory, args, [&](TGuiSession& s) {
    failures = SavePageScreens(s, dir, [&s](int& w, int& h) { return s.Capture(w, h); }, &Compressed);
  });
  return status == 0 ? failures : failures + 1;
}

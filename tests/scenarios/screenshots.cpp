#include "scenarios/screenshots.h"

#include <cstdio>
#include <set>

#include "runtime/data.h"

int DistinctColours(const std::vector<uint8_t>& rgb, int enough) {
  std::set<uint32_t> seen;
  for (size_t i = 0; i + 2 < rgb.size() && static_cast<int>(seen.size()) < enough; i += 3)
    seen.insert(static_cast<uint32_t>(rgb[i]) << 16 | static_cast<uint32_t>(rgb[i + 1]) << 8 | rgb[i + 2]);
  return static_cast<int>(seen.size());
}

bool LooksBlank(const std::vector<uint8_t>& rgb) { return DistinctColours(rgb, 8) < 8; }

int SavePageScreens(TScenarioUser& user, const std::string& dir, const TCapture& capture, TZlibPacker pack) {
  int failures = 0;
  for (int page = 0; page < user.Scheme().PageCount(); ++page) {
    user.SelectTab(page);
    int w = 0, h = 0;
    const std::vector<uint8_t> rgb = capture(w, h);
    failures += SaveScreen(dir + "/page-" + IntegerToText(page) + ".png", rgb, w, h, pack);
  }
  return failures;
}

int SaveScreen(const std::string& path, const std::vector<uint8_t>& rgb, int w, int h, TZlibPacker pack) {
  if (rgb.empty() || !WritePng(path, rgb.data(), w, h, pack)) {
    std::fprintf(stderr, "%s: could not be saved\n", path.c_str());
    return 1;
  }
  if (LooksBlank(rgb)) {
    std::fprintf(stderr, "%s: looks blank\n", path.c_str());
    return 1;
  }
  std::printf("%s %dx%d\n", path.c_str(), w, h);
  return 0;
}

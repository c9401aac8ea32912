#include "runtime/resources.h"

#include <cstring>

namespace {

const TResourceTable* active_table = &ProgramResources;

bool SameName(const char* a, const std::string& b) {
  size_t n = std::strlen(a);
  if (n != b.size()) return false;
  for (size_t i = 0; i < n; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

const TResource* FindResourceData(const std::string& name, int type) {
  if (!active_table) return nullptr;
  for (size_t i = 0; i < active_table->count; ++i) {
    const TResource& r = active_table->items[i];
    if (r.type == type && SameName(r.name, name)) return &r;
  }
  return nullptr;
}

std::string LoadTextResource(const std::string& name) {
  const TResource* r = FindResourceData(name, ResText);
  if (!r) return std::string();
  const char* p = reinterpret_cast<const char*>(r->data);
  size_t n = 0;
  while (n < r->size && p[n] != 0) ++n;
  return std::string(p, n);
}

const TResourceTable* SetResourceTable(const TResourceTable* table) {
  const TResourceTable* previous = active_table;
  active_table = table;
  return previous;
}

#include "runtime/resources.h"

#include <algorithm>
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

size_t TResourceReader::Read(unsigned char* out, size_t n) {
  n = std::min(n, r_.size - given_);
  if (r_.packed == 0) {
    std::copy_n(r_.data + given_, n, out);
    given_ += n;
    return n;
  }
  size_t done = 0;
  while (done < n && !broken_) {
    if (repeat_ > 0) {
      const size_t k = std::min(repeat_, n - done);
      std::fill_n(out + done, k, value_);
      repeat_ -= k;
      done += k;
    } else if (copy_ > 0) {
      const size_t k = std::min({copy_, n - done, r_.packed - at_});
      std::copy_n(r_.data + at_, k, out + done);
      at_ += k;
      copy_ -= k;
      done += k;
      if (k == 0) broken_ = true;
    } else if (at_ + 1 < r_.packed) {
      const unsigned control = r_.data[at_++];
      if (control < 128) {
        copy_ = control + 1;
      } else {
        repeat_ = control - kPackRunBase;
        value_ = r_.data[at_++];
      }
    } else {
      broken_ = true;
    }
  }
  given_ += done;
  return done;
}

std::vector<unsigned char> ResourceBytes(const TResource& r) {
  std::vector<unsigned char> bytes(r.size);
  TResourceReader reader(r);
  if (reader.Read(bytes.data(), bytes.size()) != bytes.size()) bytes.clear();
  return bytes;
}

// The program's embedded resources. They are compiled in from the files
// under resources/ (listed in resources/manifest.txt); nothing is read
// from disk at run time. Names are matched without regard to case.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum : int {
  ResBitmap = 2,   // a .bmp file image
  ResIcon = 14,    // a .ico file image
  ResData = 10,    // any other bytes (PNG icons for desktops without .ico)
  ResText = 100,   // code page 1251 text; list items separated by CR LF
};

// A bitmap's pixel size is in the table too (resgen reads it from the
// file's header when it builds), so the program learns a picture's size
// without touching its bytes; 0 x 0 where the table does not say. Bitmaps,
// mostly white, are stored packed by runs: `packed` bytes at `data` that
// unpack to the `size` bytes of the file (TResourceReader); a resource
// whose `packed` is 0 is its `size` bytes at `data` as they are.
struct TResource {
  const char* name;
  int type;
  const unsigned char* data;
  size_t size;
  int width = 0;
  int height = 0;
  size_t packed = 0;
};

// The packing: a control byte C below 128 is followed by C + 1 bytes taken
// as they are; a C of 128 or more by one byte repeated C - 125 times (3 to
// 130).
constexpr unsigned kPackRunBase = 125;

// Reads a resource's bytes from its start, unpacking a packed one as it
// goes, so that a large resource is never held whole.
class TResourceReader {
 public:
  explicit TResourceReader(const TResource& r) : r_(r) {}
  // Up to `n` more bytes into `out`; answers how many. Fewer than asked
  // only at the end of the resource or where its packing is broken (a run
  // or copy past the end of either side), which ends the reading.
  size_t Read(unsigned char* out, size_t n);
  // The bytes given so far.
  size_t Offset() const { return given_; }

 private:
  const TResource& r_;
  size_t at_ = 0;      // in the packed bytes
  size_t given_ = 0;   // of the unpacked ones
  size_t copy_ = 0;    // bytes still to take as they are
  size_t repeat_ = 0;  // times still to give `value_`
  unsigned char value_ = 0;
  bool broken_ = false;
};

// All of a resource's bytes, unpacked; empty when its packing is broken.
std::vector<unsigned char> ResourceBytes(const TResource& r);

struct TResourceTable {
  const TResource* items;
  size_t count;
};

// The resource of that name and type, or none.
const TResource* FindResourceData(const std::string& name, int type);

// The text of a type-100 resource up to its first zero byte; empty when
// there is no such resource.
std::string LoadTextResource(const std::string& name);

// Swaps the table searched (tests use their own); returns the previous one.
const TResourceTable* SetResourceTable(const TResourceTable* table);

// The table compiled from resources/manifest.txt.
extern const TResourceTable ProgramResources;

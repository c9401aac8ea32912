// The program's embedded resources. They are compiled in from the files
// under resources/ (listed in resources/manifest.txt); nothing is read
// from disk at run time. Names are matched without regard to case.
#pragma once

#include <cstddef>
#include <string>

enum : int {
  ResBitmap = 2,   // a .bmp file image
  ResIcon = 14,    // a .ico file image
  ResData = 10,    // any other bytes (PNG icons for desktops without .ico)
  ResText = 100,   // code page 1251 text; list items separated by CR LF
};

struct TResource {
  const char* name;
  int type;
  const unsigned char* data;
  size_t size;
};

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

#include "app/web_kept_inputs.h"

#include <emscripten.h>

#include <cstdio>

const char kWebInputItem[] = "kelvane.designs";

// clang-format off
// Reads the item into Module.kelvaneStored: 1 with its text, 0 when there
// is none, -1 when the storage cannot be read (the reason stored instead).
EM_JS(int, kv_storage_read, (const char* item), {
  try {
    var text = window.localStorage.getItem(UTF8ToString(item));
    if (text === null) return 0;
    Module.kelvaneStored = text;
    return 1;
  } catch (e) {
    Module.kelvaneStored = String((e && e.name) || e);
    return -1;
  }
});
// The stored text's UTF-8 bytes, then the text itself into `to` (`size`
// bytes and the terminating zero), forgotten afterwards.
EM_JS(int, kv_stored_size, (), { return lengthBytesUTF8(Module.kelvaneStored || ""); });
EM_JS(void, kv_stored_take, (char* to, int size), {
  stringToUTF8(Module.kelvaneStored || "", to, size + 1);
  Module.kelvaneStored = "";
});
// Writes the item: 1 when done, else 0 with the reason stored.
EM_JS(int, kv_storage_write, (const char* item, const char* text), {
  try {
    window.localStorage.setItem(UTF8ToString(item), UTF8ToString(text));
    return 1;
  } catch (e) {
    Module.kelvaneStored = String((e && e.name) || e);
    return 0;
  }
});
// clang-format on

namespace {

std::string TakeStored() {
  const int size = kv_stored_size();
  std::string text(static_cast<size_t>(size) + 1, '\0');
  kv_stored_take(&text[0], size);
  text.resize(static_cast<size_t>(size));
  return text;
}

}  // namespace

bool TWebInputStore::Load(std::string& text) {
  const int found = kv_storage_read(item_.c_str());
  if (found == 0) return false;
  text = TakeStored();
  if (found > 0) return true;
  Note("cannot read the browser's storage (" + text + ")");
  text.clear();
  return false;
}

void TWebInputStore::Save(const std::string& text) {
  if (!kv_storage_write(item_.c_str(), text.c_str()))
    Note("cannot keep the inputs in the browser's storage (" + TakeStored() + ")");
}

void TWebInputStore::Note(const std::string& line) { std::fprintf(stderr, "%s: %s\n", program_.c_str(), line.c_str()); }

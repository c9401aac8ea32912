// List elements: a list of text lines offered as an array value, and a
// reader of one array item by index. Reading out of range fires nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/element.h"
#include "runtime/event.h"

// Holds text lines. Array answers an array interface bound to this element,
// built on first read and the same every time; it lives as long as the
// element, and readers only borrow it.
class THIStrList : public TElement {
 public:
  std::vector<std::string> Strings;
  std::unique_ptr<TArrayIntf> ArrayIntf;

  // Replaces the lines with those of `text` (CR LF, CR or LF separated).
  void SetStrings(const std::string& text);
  void Array(TData& data);
};

// Reads item Index of the array behind its Array input into Item and fires
// onRead with it; a missing array or an index out of range fires nothing.
class THIArrayRW : public TElement {
 public:
  TData Item;
  TData IndexDef;
  THI_Event Index;
  THI_Event Array;
  THI_Event onRead;

  void doRead(TData& data);
};

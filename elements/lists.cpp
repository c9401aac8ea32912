#include "elements/lists.h"

#include "runtime/lines.h"

namespace {

// The list's lines seen as an array; indexes follow ToIndex, so text that
// is not a number is out of range.
class TStrListArray : public TArrayIntf {
 public:
  explicit TStrListArray(THIStrList& owner) : owner_(owner) {}

  void Set(TData& index, TData& value) override {
    const int32_t i = ToIndex(index);
    if (i >= 0 && static_cast<size_t>(i) < owner_.Strings.size()) owner_.Strings[static_cast<size_t>(i)] = ToString(value);
  }

  bool Get(TData& index, TData& item) override {
    const int32_t i = ToIndex(index);
    if (i < 0 || static_cast<size_t>(i) >= owner_.Strings.size()) return false;
    SetString(item, owner_.Strings[static_cast<size_t>(i)]);
    return true;
  }

  int32_t Count() override { return static_cast<int32_t>(owner_.Strings.size()); }

  void Add(TData& value) override { owner_.Strings.push_back(ToString(value)); }

 private:
  THIStrList& owner_;
};

}  // namespace

void THIStrList::SetStrings(const std::string& text) { Strings = SplitLines(text); }

void THIStrList::Array(TData& data) {
  if (!ArrayIntf) ArrayIntf = std::make_unique<TStrListArray>(*this);
  SetArray(data, ArrayIntf.get());
}

void THIArrayRW::doRead(TData& data) {
  TArrayIntf* arr = ReadArray(Array);
  TData idx = ReadData(data, Index, &IndexDef);
  if (!arr || !arr->Get(idx, Item)) return;
  CopySingle(data, Item);
  FireEvent(onRead, data);
}

// Types, pastes, presses Enter and reads values in a THIEdit on the headless
// backend, and compares every step with the field's rule applied to the
// whole text.
//
// Input: the setup first (reader: real, integer or none; start flag;
// whether onEnter is wired; the initial text), then actions until the input
// ends: type a text, paste a text, move the caret, press Enter, read Value.
//
// The model keeps the text, caret and last good text as the rule says:
// after each change the whole text (in small letters) is read; accepted, it
// becomes the last good text; accepted only with "0" appended, nothing
// happens; otherwise the last good text and its caret come back. With the
// start flag the first change is not read, unless the field wrote its text
// itself before. The field checks only what each change touched, so any
// difference is a fault.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "fuzz/fuzz_check.h"
#include "runtime/event.h"
#include "ui/edit.h"
#include "ui/encoding.h"
#include "ui/headless/headless.h"
#include "ui/main_form.h"

namespace {

struct TCounter {
  int fired = 0;
  TData last;
  void Take(TData& d) {
    ++fired;
    CopySingle(last, d);
  }
};

// The field's rule on whole texts.
class TModel {
 public:
  TModel(THIEdit::TValueReader reader, const std::string& initial, bool startFlag)
      : reader_(reader), text_(initial), caret_(static_cast<int32_t>(initial.size())), reading_(!startFlag) {
    if (Accepted(initial)) {
      good_ = initial;
      goodCaret_ = caret_;
    }
  }

  bool Accepted(const std::string& text) {
    TData scratch;
    return !reader_ || (reference_.*reader_)(LowerCp1251(text), scratch);
  }

  // One change by the user; answers whether it gives a value.
  bool Changed(const std::string& text, int32_t caret) {
    text_ = text;
    caret_ = caret;
    if (!reading_) {
      reading_ = true;
      return false;
    }
    return Read();
  }

  bool Read() {
    if (Accepted(text_)) {
      good_ = text_;
      goodCaret_ = caret_;
      return true;
    }
    if (Accepted(text_ + "0")) return false;
    text_ = good_;
    caret_ = goodCaret_;
    reading_ = true;  // the field's own write ends the start state
    return false;
  }

  void Cleared() {
    text_.clear();
    caret_ = 0;
    reading_ = true;
  }
  void MovedCaret(int32_t caret) { caret_ = caret; }

  const std::string& Text() const { return text_; }
  int32_t Caret() const { return caret_; }
  const std::string& Good() const { return good_; }

 private:
  THIEdit::TValueReader reader_;
  THIEdit reference_{nullptr};  // only its readers are used
  std::string text_, good_;
  int32_t caret_ = 0, goodCaret_ = 0;
  bool reading_;
};

const THIEdit::TValueReader kReaders[] = {&THIEdit::ReadRealText, &THIEdit::ReadIntegerText, nullptr};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  THeadlessPlatform platform;
  auto form = std::make_unique<THIMainForm>();
  form->Width = 445;
  form->Height = 307;
  form->Init();
  RunInits();
  form->ShowApplication();
  StartDispatch();

  const THIEdit::TValueReader reader = kReaders[in.ConsumeIntegralInRange<int>(0, 2)];
  const bool startFlag = in.ConsumeBool();
  const bool enterWired = in.ConsumeBool();
  auto edit = std::make_unique<THIEdit>(form->Control());
  edit->ValueReader = reader;
  edit->StartFlag = startFlag ? 1 : 0;
  edit->Text = in.ConsumeRandomLengthString(16);
  edit->Init();
  TCounter changes, enters;
  edit->onChange = MakeLink<&TCounter::Take>(&changes);
  if (enterWired) edit->onEnter = MakeLink<&TCounter::Take>(&enters);
  TControl* c = edit->Control();
  FuzzCheck(c != nullptr);

  TModel model(reader, edit->Text, startFlag);
  int changesExpected = 0, entersExpected = 0;
  while (in.remaining_bytes() > 0) {
    switch (in.ConsumeIntegralInRange<int>(0, 4)) {
      case 0: {  // typing: the caret goes to the end, then one change per character at the caret
        const std::string typed = in.ConsumeRandomLengthString(64);
        platform.TypeText(c, typed);
        model.MovedCaret(static_cast<int32_t>(model.Text().size()));
        for (char ch : typed) {
          std::string text = model.Text();
          const size_t at = static_cast<size_t>(model.Caret());
          text.insert(at, 1, ch);
          if (model.Changed(text, static_cast<int32_t>(at + 1))) ++changesExpected;
        }
        break;
      }
      case 1: {
        const std::string pasted = in.ConsumeRandomLengthString(64);
        platform.PasteText(c, pasted);
        if (model.Changed(pasted, static_cast<int32_t>(pasted.size()))) ++changesExpected;
        break;
      }
      case 2: {
        const int32_t caret = in.ConsumeIntegralInRange<int32_t>(0, static_cast<int32_t>(model.Text().size()));
        c->SetCaret(caret);
        model.MovedCaret(caret);
        break;
      }
      case 3:
        platform.PressKey(c, VkReturn);
        if (enterWired && model.Read()) {
          ++entersExpected;
          model.Cleared();
        }
        break;
      default: {
        TData value;
        edit->Value(value);
        const bool gives = model.Read();
        FuzzCheck(gives != (KindOf(value) == KindNone));
        break;
      }
    }
    FuzzCheck(c->Text() == model.Text());
    FuzzCheck(c->Caret() == model.Caret());
    FuzzCheck(edit->LastGoodText() == model.Good());
    FuzzCheck(changes.fired == changesExpected);
    FuzzCheck(enters.fired == entersExpected);
  }

  StopDispatch();
  edit.reset();
  form.reset();
  return 0;
}

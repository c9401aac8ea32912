// THITable: a read-only table of texts, rows under column headings, one
// row selected or none. The program gives the columns and the rows and
// may select a row (doSelect); the user picks a row with the mouse or
// moves with the arrow, page, Home and End keys, and each row the user
// selects fires onChange with its index. Program writes never fire it.
// The element keeps a copy of the rows and of the selection, kept in line
// with the control on the window thread, so that it works (and reads)
// without a control too. Texts are code page 1251. Window thread only.
#pragma once

#include <string>
#include <vector>

#include "ui/win.h"

class THITable : public THIWin {
 public:
  explicit THITable(TControl* parent) : THIWin(parent) {}

  std::vector<TTableColumn> Columns;  // the columns Init gives the control
  THI_Event onChange;                 // the row the user selected (from 0)

  // Makes the control with Columns and the rows set so far.
  void Init() override;

  void SetColumns(std::vector<TTableColumn> columns);
  // Replaces every row (a text per column); no row is selected then.
  void SetRows(std::vector<std::vector<std::string>> rows);
  // No rows, none selected.
  void doClear(TData& data);
  // Selects the row the value names as an integer; out of range: none.
  void doSelect(TData& data);

  // Data outputs: the selected row (KindInteger, -1 for none); its texts
  // joined by tabs (none when no row is selected); the whole table as
  // text, headings first, then a line per row, texts joined by tabs and
  // lines by CR LF.
  void Index(TData& data);
  void Text(TData& data);
  void Lines(TData& data);

  const std::vector<std::vector<std::string>>& Rows() const { return rows_; }
  int32_t Selected();

 protected:
  bool HandleMessage(const TNotification& n) override;

 private:
  std::vector<std::vector<std::string>> rows_;
  int32_t selected_ = -1;
};

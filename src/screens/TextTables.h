// Read-only tables of texts as the analysis and journal windows show them: the core gives the
// texts, these put them in cells.
#pragma once

#include "app/BetAnalysisTexts.h"

#include <QString>

class QTableWidget;
class QWidget;

namespace sg {

// A table that shows and lets the user select texts, without editing them.
QTableWidget* MakeTextTable(QWidget* parent, const QString& name);

// The table's columns and rows; the columns from `textColumns` on hold numbers, aligned right.
// With `fitHeight` the table is as high as its rows.
void ShowTable(QTableWidget* table, const TextTable& texts, bool fitHeight = true,
               int textColumns = 1);
// Labelled values, one a row, without column titles.
void ShowLines(QTableWidget* table, const std::vector<SummaryLine>& lines);

} // namespace sg

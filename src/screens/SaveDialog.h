// The save dialog of the windows that export CSV files, shown without blocking.
#pragma once

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace sg {

// Asks where to save a CSV file, starting at `startPath`; `chosen` runs with the path the user
// picked (".csv" added when no suffix was typed), and nothing runs when the dialog is cancelled.
void AskWhereToSaveCsv(QWidget* parent, const QString& startPath,
                       std::function<void(const std::string&)> chosen);

} // namespace sg

#include "screens/TextTables.h"

#include "screens/Controls.h"

#include <QHeaderView>
#include <QTableWidget>

namespace sg {

QTableWidget* MakeTextTable(QWidget* parent, const QString& name) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setWordWrap(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

namespace {

void FitHeight(QTableWidget* table) {
    table->resizeRowsToContents();
    int height = 2 * table->frameWidth();
    if (!table->horizontalHeader()->isHidden())
        height += table->horizontalHeader()->sizeHint().height();
    for (int row = 0; row < table->rowCount(); ++row) height += table->rowHeight(row);
    table->setFixedHeight(height);
}

void SetCell(QTableWidget* table, int row, int column, const std::string& text, bool number) {
    auto* item = new QTableWidgetItem(Q(text));
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->setItem(row, column, item);
}

// Laying out a table again costs more than the whole analysis: a table that would show the
// same texts is left as it is.
bool Shows(const QTableWidget* table, const std::vector<std::string>& header,
           const std::vector<std::vector<std::string>>& rows) {
    if (table->columnCount() != static_cast<int>(header.size()) ||
        table->rowCount() != static_cast<int>(rows.size()))
        return false;
    for (std::size_t c = 0; c < header.size(); ++c) {
        const QTableWidgetItem* title = table->horizontalHeaderItem(static_cast<int>(c));
        if (!header[c].empty() && (!title || S(title->text()) != header[c])) return false;
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t c = 0; c < rows[r].size() && c < header.size(); ++c) {
            const QTableWidgetItem* item = table->item(static_cast<int>(r), static_cast<int>(c));
            if (!item || S(item->text()) != rows[r][c]) return false;
        }
    }
    return true;
}

} // namespace

void ShowTable(QTableWidget* table, const TextTable& texts, bool fitHeight, int textColumns) {
    if (Shows(table, texts.header, texts.rows)) return;
    table->setColumnCount(static_cast<int>(texts.header.size()));
    QStringList header;
    for (const std::string& title : texts.header) header << Q(title);
    table->setHorizontalHeaderLabels(header);
    table->setRowCount(static_cast<int>(texts.rows.size()));
    for (std::size_t r = 0; r < texts.rows.size(); ++r) {
        for (std::size_t c = 0; c < texts.rows[r].size() && c < texts.header.size(); ++c)
            SetCell(table, static_cast<int>(r), static_cast<int>(c), texts.rows[r][c],
                    static_cast<int>(c) >= textColumns);
    }
    if (fitHeight) FitHeight(table);
}

void ShowLines(QTableWidget* table, const std::vector<SummaryLine>& lines) {
    std::vector<std::vector<std::string>> rows;
    for (const SummaryLine& line : lines) rows.push_back({line.label, line.value});
    if (Shows(table, {"", ""}, rows)) return;
    table->horizontalHeader()->hide();
    table->setColumnCount(2);
    table->setRowCount(static_cast<int>(lines.size()));
    for (std::size_t r = 0; r < lines.size(); ++r) {
        SetCell(table, static_cast<int>(r), 0, lines[r].label, false);
        SetCell(table, static_cast<int>(r), 1, lines[r].value, true);
    }
    FitHeight(table);
}

} // namespace sg

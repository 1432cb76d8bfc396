#include "ui/MacCreadyTable.h"

#include <QHeaderView>
#include <QRegularExpression>
#include <QStringList>

namespace ornivo::ui {

MacCreadyTable::MacCreadyTable(const QString& objectName, QWidget* parent) : QTableWidget(parent) {
    setObjectName(objectName);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::NoFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    verticalHeader()->hide();
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setSectionsClickable(false);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void MacCreadyTable::setPlainText(const QString& text) {
    text_ = text;
    text_.remove('\r');
    QStringList lines = text_.split('\n');
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty()) lines.removeLast();
    const QRegularExpression wideGap(QStringLiteral("\\s{2,}")), anyGap(QStringLiteral("\\s+"));
    const QStringList first = lines.value(0).trimmed().split(wideGap, Qt::SkipEmptyParts);
    const QStringList second = lines.value(1).trimmed().split(wideGap, Qt::SkipEmptyParts);
    const int columns = int(first.size());
    setColumnCount(columns);
    QStringList headings;
    for (int c = 0; c < columns; ++c) headings << first[c] + (c < second.size() ? "\n" + second[c] : QString());
    setHorizontalHeaderLabels(headings);
    const int rows = std::max(0, int(lines.size()) - 2);
    setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const QStringList cells = lines[r + 2].trimmed().split(anyGap, Qt::SkipEmptyParts);
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem(cells.value(c));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            setItem(r, c, item);
        }
    }
    resizeColumnsToContents();
    resizeRowsToContents();
    updateGeometry();
}

QSize MacCreadyTable::sizeHint() const {
    // Room for every row and column, so nothing scrolls or is cut.
    int w = 2 * frameWidth(), h = 2 * frameWidth() + horizontalHeader()->sizeHint().height();
    for (int c = 0; c < columnCount(); ++c) w += std::max(columnWidth(c), horizontalHeader()->sectionSizeHint(c));
    for (int r = 0; r < rowCount(); ++r) h += rowHeight(r);
    return {w, h};
}

}  // namespace ornivo::ui

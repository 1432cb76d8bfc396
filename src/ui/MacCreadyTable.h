#pragma once
// The glide results' cross-country speed table shown as a real table: the text the results rule
// gives (two heading lines, then one line of numbers per climb rate) split into cells, so that every
// heading stands over its own column whatever the font.
#include <QString>
#include <QTableWidget>

namespace ornivo::ui {

class MacCreadyTable : public QTableWidget {
    Q_OBJECT
public:
    explicit MacCreadyTable(const QString& objectName, QWidget* parent = nullptr);

    // Fills the table from the text: heading words are separated by two or more spaces, numbers by
    // any spaces. Lines end with "\r\n" or "\n".
    void setPlainText(const QString& text);
    // The text as given (lines ended by "\n"), for copying.
    QString toPlainText() const { return text_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    QString text_;
};

}  // namespace ornivo::ui

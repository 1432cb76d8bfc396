#include "ui/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace ornivo::ui {
namespace {

QString joined(const std::vector<std::string>& lines) {
    QStringList l;
    for (const auto& s : lines) l << QString::fromStdString(s);
    return l.join('\n');
}

QWidget* owner() { return QApplication::activeWindow(); }

std::optional<std::string> fileDialog(const platform::FileDialogRequest& req, QFileDialog::AcceptMode mode) {
    QFileDialog dlg(owner(), QString::fromStdString(req.title), QString::fromStdString(req.initialFolder));
    dlg.setAcceptMode(mode);
    dlg.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const std::string filter = QtNameFilter(req.filter);
    if (!filter.empty()) dlg.setNameFilter(QString::fromStdString(filter));
    if (mode == QFileDialog::AcceptSave) {
        // A single extension in the filter is added to a name typed without one.
        const auto star = filter.find("*.");
        if (star != std::string::npos && filter.find("*.", star + 1) == std::string::npos) {
            std::string ext = filter.substr(star + 2);
            ext = ext.substr(0, ext.find_first_of(" )"));
            dlg.setDefaultSuffix(QString::fromStdString(ext));
        }
    }
    if (!req.initialName.empty()) dlg.selectFile(QString::fromStdString(req.initialName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().front().toStdString();
}

}  // namespace

std::string QtNameFilter(const std::string& filter) {
    if (filter.empty() || filter.find('(') != std::string::npos) return filter;
    std::string out;
    std::size_t i = 0;
    while (i < filter.size()) {
        std::size_t j = filter.find_first_of(" ;,", i);
        std::string part = filter.substr(i, j == std::string::npos ? std::string::npos : j - i);
        if (!part.empty()) {
            if (part[0] == '.') part = "*" + part;
            if (!out.empty()) out += ' ';
            out += part;
        }
        if (j == std::string::npos) break;
        i = j + 1;
    }
    return out;
}

void QtDialogs::message(const std::vector<std::string>& lines, platform::Icon icon) {
    QMessageBox box(icon == platform::Icon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    QStringLiteral("Ornivo"), joined(lines), QMessageBox::Ok, owner());
    box.exec();
}

bool QtDialogs::askYesNo(const std::vector<std::string>& lines) {
    return QMessageBox::question(owner(), QStringLiteral("Ornivo"), joined(lines),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool QtDialogs::askOkCancel(const std::vector<std::string>& lines) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Ornivo"), joined(lines),
                    QMessageBox::Ok | QMessageBox::Cancel, owner());
    return box.exec() == QMessageBox::Ok;
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& initial) {
    bool ok = false;
    const QString t = QInputDialog::getText(owner(), QStringLiteral("Ornivo"), QString::fromStdString(prompt),
                                            QLineEdit::Normal, QString::fromStdString(initial), &ok);
    return ok ? t.toStdString() : std::string();
}

std::optional<std::string> QtDialogs::openFile(const platform::FileDialogRequest& req) {
    return fileDialog(req, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtDialogs::saveFile(const platform::FileDialogRequest& req) {
    return fileDialog(req, QFileDialog::AcceptSave);
}

}  // namespace ornivo::ui

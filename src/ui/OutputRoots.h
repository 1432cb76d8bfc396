#pragma once
// The folders offered for the output tree: the user's home folder and the mounted volumes the user
// may write to.
#include <QString>
#include <vector>

namespace ornivo::ui {

struct OutputRoot {
    QString label;  // shown in the list
    QString path;   // the folder (OutDrive)
};

std::vector<OutputRoot> AvailableOutputRoots();
QString HomeFolder();
bool FolderExistsOnDisk(const QString& path);

}  // namespace ornivo::ui

#include "ui/OutputRoots.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace ornivo::ui {
namespace {

// System and pseudo file systems a user does not keep output on.
bool isSystemVolume(const QStorageInfo& v) {
    const QString root = v.rootPath();
    for (const char* p : {"/proc", "/sys", "/dev", "/run", "/boot", "/snap", "/var/lib", "/tmp"})
        if (root == p || root.startsWith(QString(p) + '/')) return true;
    const QByteArray fs = v.fileSystemType();
    for (const char* t : {"tmpfs", "devtmpfs", "proc", "sysfs", "overlay", "squashfs", "cgroup", "cgroup2",
                          "devpts", "mqueue", "fuse.portal", "autofs", "ramfs"})
        if (fs == t) return true;
    return false;
}

}  // namespace

QString HomeFolder() { return QDir::homePath(); }

bool FolderExistsOnDisk(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

std::vector<OutputRoot> AvailableOutputRoots() {
    std::vector<OutputRoot> roots;
    roots.push_back({QStringLiteral("Home folder (%1)").arg(QDir::toNativeSeparators(HomeFolder())), HomeFolder()});
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
        if (!v.isValid() || !v.isReady() || v.isReadOnly() || isSystemVolume(v)) continue;
        if (v.rootPath() == HomeFolder()) continue;
        QString label = QDir::toNativeSeparators(v.rootPath());
        if (!v.displayName().isEmpty() && v.displayName() != v.rootPath())
            label += QStringLiteral("  (%1)").arg(v.displayName());
        roots.push_back({label, v.rootPath()});
    }
    return roots;
}

}  // namespace ornivo::ui

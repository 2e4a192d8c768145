#include "class_file_watch.h"

#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QTimer>
#include <chrono>

namespace {

// Long enough to take a save's writes and renames as one change.
constexpr auto kSettle = std::chrono::milliseconds(150);

}  // namespace

ClassFileWatch::ClassFileWatch(QObject* parent)
    : QObject(parent), watcher_(new QFileSystemWatcher(this)), pause_(new QTimer(this)) {
    setObjectName(QStringLiteral("ClassFileWatch"));
    pause_->setSingleShot(true);
    pause_->setInterval(kSettle);
    connect(pause_, &QTimer::timeout, this, &ClassFileWatch::look);
    connect(watcher_, &QFileSystemWatcher::fileChanged, pause_, qOverload<>(&QTimer::start));
    connect(watcher_, &QFileSystemWatcher::directoryChanged, pause_, qOverload<>(&QTimer::start));
}

void ClassFileWatch::watch(const QString& path) {
    if (!watcher_->files().isEmpty() || !watcher_->directories().isEmpty()) {
        watcher_->removePaths(watcher_->files() + watcher_->directories());
    }
    pause_->stop();
    path_ = path;
    const QFileInfo file(path);
    seenModified_ = file.exists() ? file.lastModified() : QDateTime();
    seenSize_ = file.exists() ? file.size() : -1;
    watcher_->addPath(file.absolutePath());
    if (file.exists()) {
        watcher_->addPath(path);
    }
}

void ClassFileWatch::look() {
    const QFileInfo file(path_);
    if (!file.exists()) {
        if (seenModified_.isValid()) {
            seenModified_ = QDateTime();
            seenSize_ = -1;
            emit gone();
        }
        return;
    }
    // A file renamed over the old one is a new file: the watch on the old one ended with it.
    if (!watcher_->files().contains(path_)) {
        watcher_->addPath(path_);
    }
    const QDateTime modified = file.lastModified();
    if (modified == seenModified_ && file.size() == seenSize_) {
        return;
    }
    seenModified_ = modified;
    seenSize_ = file.size();
    emit changed();
}

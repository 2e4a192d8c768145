#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

class QFileSystemWatcher;
class QTimer;

// Tells when the class file at a path changes on disk, once per change. A
// spreadsheet saves by writing a new file and renaming it over the old one, so
// the path is followed, not the file first found there: its folder is watched
// too, and the path is watched anew once a file is back at it. The bursts of
// signals one save gives are taken together after a short pause.
class ClassFileWatch final : public QObject {
    Q_OBJECT

public:
    explicit ClassFileWatch(QObject* parent);

    // Watches `path` from now on, its file as it is now counting as unchanged.
    void watch(const QString& path);

signals:
    void changed();
    // The file is no longer at the path.
    void gone();

private:
    void look();

    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* pause_ = nullptr;
    QString path_;
    // What the file was when last seen; an invalid time for no file.
    QDateTime seenModified_;
    qint64 seenSize_ = -1;
};

#pragma once

#include <QObject>
#include <QString>

#include "class_table.h"
#include "kept_builds.h"
#include "progression.h"

class QWidget;
class UserPrompts;

// The builds kept in this run, and the player's say in keeping them.
// - Keeping a build already kept, or one with an incomplete first row, says so.
// - With the list full, the player chooses which build to let go, or keeps none.
// - A build about to be replaced is kept first, without a word, unless the list
//   is full: then the player chooses, and may call the replacing off.
class BuildKeeper final : public QObject {
    Q_OBJECT

public:
    BuildKeeper(UserPrompts& prompts, QObject* parent);

    const vostrel::KeptBuilds& builds() const { return builds_; }

    // Edit > Keep Build and the like: keeps `sheet` and tells the player why not
    // when it keeps nothing, in a box titled `command`.
    void keep(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table,
              const QString& command, QWidget* parent);
    // Before `command` replaces `current` by `next`: keeps `current` as "Before
    // <command>", unless nothing is replaced, or it is empty or already kept.
    // False when the list was full and the player chose to keep all and call the
    // command off.
    bool keepReplaced(const vostrel::BuildSheet& current, const vostrel::BuildSheet& next,
                      const vostrel::ClassTable& table, const QString& command, QWidget* parent);
    // Keeps the build on the clipboard, read as Paste Build reads it.
    void keepFromClipboard(const vostrel::ClassTable& table, QWidget* parent);
    // Asks for a new name for the kept build at `index`.
    void rename(std::size_t index, QWidget* parent);
    void remove(std::size_t index);
    // After another class file took the place of `from`: the kept builds' classes
    // found again by name in `to`.
    void carryOver(const vostrel::ClassTable& from, const vostrel::ClassTable& to) {
        builds_.carryOver(from, to);
        emit changed();
    }

signals:
    void changed();

private:
    // Room for one more build: true when there was or the player let one go.
    bool makeRoom(const QString& command, const QString& forWhat, QWidget* parent);
    void tell(const QString& command, const QString& text, QWidget* parent);

    UserPrompts& prompts_;
    vostrel::KeptBuilds builds_;
};

#include "build_keeper.h"

#include <QClipboard>
#include <QGuiApplication>

#include "build_refusal.h"
#include "build_text.h"
#include "user_prompts.h"

namespace {

const QString kNothingOnClipboard = QStringLiteral(
    "The build on the clipboard has no complete first row: there is nothing to keep.");

QString nameOf(const vostrel::KeptBuilds& builds, std::size_t index) {
    return QString::fromStdString(builds[index].name);
}

}  // namespace

BuildKeeper::BuildKeeper(UserPrompts& prompts, QObject* parent)
    : QObject(parent), prompts_(prompts) {}

void BuildKeeper::keep(const vostrel::BuildSheet& sheet, const vostrel::ClassTable& table,
                       const QString& command, QWidget* parent) {
    using Outcome = vostrel::KeptBuilds::Outcome;
    vostrel::KeptBuilds::Keeping keeping = builds_.keep(sheet, table);
    if (keeping.outcome == Outcome::Full && makeRoom(command, QString(), parent)) {
        keeping = builds_.keep(sheet, table);
    }
    switch (keeping.outcome) {
        case Outcome::Kept:
            emit changed();
            break;
        case Outcome::Empty:
            tell(command,
                 QString::fromStdString(vostrel::emptyBuildText(vostrel::EmptyBuildUse::NoRows)),
                 parent);
            break;
        case Outcome::AlreadyKept:
            tell(command,
                 QStringLiteral("This build is already kept, as \"%1\".")
                     .arg(nameOf(builds_, keeping.index)),
                 parent);
            break;
        case Outcome::Full:
            break;
    }
}

bool BuildKeeper::keepReplaced(const vostrel::BuildSheet& current, const vostrel::BuildSheet& next,
                               const vostrel::ClassTable& table, const QString& command,
                               QWidget* parent) {
    if (vostrel::copiedRows(current, table) == vostrel::copiedRows(next, table)) {
        return true;
    }
    const QString name = QStringLiteral("Before ") + command;
    using Outcome = vostrel::KeptBuilds::Outcome;
    vostrel::KeptBuilds::Keeping keeping = builds_.keep(current, table, name.toStdString());
    if (keeping.outcome == Outcome::Full) {
        if (!makeRoom(command, name, parent)) {
            return false;
        }
        keeping = builds_.keep(current, table, name.toStdString());
    }
    if (keeping.outcome == Outcome::Kept) {
        emit changed();
    }
    return true;
}

void BuildKeeper::keepFromClipboard(const vostrel::ClassTable& table, QWidget* parent) {
    const QString command = QStringLiteral("Add From Clipboard");
    const vostrel::PastedBuild pasted =
        vostrel::readBuildText(QGuiApplication::clipboard()->text().toStdString(), table);
    if (pasted.refusal) {
        prompts_.showMessage(parent, command,
                             QString::fromStdString(vostrel::describe(*pasted.refusal)),
                             QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    if (vostrel::copiedRows(pasted.sheet, table) == vostrel::copiedRows({}, table)) {
        tell(command, kNothingOnClipboard, parent);
        return;
    }
    keep(pasted.sheet, table, command, parent);
}

void BuildKeeper::rename(std::size_t index, QWidget* parent) {
    if (index >= builds_.size()) {
        return;
    }
    const QString title = QStringLiteral("Rename Build");
    QString name = nameOf(builds_, index);
    for (;;) {
        name =
            prompts_.askText(parent, title, QStringLiteral("New name of \"%1\":").arg(name), name);
        if (name.isNull() || builds_.rename(index, name.toStdString())) {
            break;
        }
        tell(title,
             name.trimmed().isEmpty()
                 ? QStringLiteral("A kept build needs a name.")
                 : QStringLiteral("Another kept build is named \"%1\".").arg(name.trimmed()),
             parent);
        name = nameOf(builds_, index);
    }
    emit changed();
}

void BuildKeeper::remove(std::size_t index) {
    builds_.remove(index);
    emit changed();
}

bool BuildKeeper::makeRoom(const QString& command, const QString& forWhat, QWidget* parent) {
    QStringList choices;
    for (std::size_t i = 0; i < builds_.size(); ++i) {
        choices.append(nameOf(builds_, i));
    }
    choices.append(QStringLiteral("Cancel"));
    const QString what =
        forWhat.isEmpty() ? QStringLiteral("this build") : QStringLiteral("\"%1\"").arg(forWhat);
    const int answer = prompts_.askChoice(
        parent, command,
        QStringLiteral("%1 builds are kept, the most this run holds. Which one may go to make "
                       "room for %2?")
            .arg(vostrel::kMaxKeptBuilds)
            .arg(what),
        choices, static_cast<int>(choices.size()) - 1, static_cast<int>(choices.size()) - 1,
        QMessageBox::Question);
    if (answer < 0 || answer >= static_cast<int>(builds_.size())) {
        return false;
    }
    builds_.remove(static_cast<std::size_t>(answer));
    return true;
}

void BuildKeeper::tell(const QString& command, const QString& text, QWidget* parent) {
    prompts_.showMessage(parent, command, text, QMessageBox::Ok, QMessageBox::Ok,
                         QMessageBox::Information);
}

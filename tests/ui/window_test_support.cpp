#include "window_test_support.h"

// Private headers, as no public call will do: QAccessible::isActive(), which Qt
// checks before sending any accessibility event, reads the platform layer's flag,
// and QAccessible::setActive() only tells observers. A screen reader's bridge sets
// that flag; the offscreen platform has none (setAccessibilityActive() below).
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

QString ScriptedPrompts::chooseOpenFile(QWidget* parent, const QString& title,
                                        FileDialogPlace& place, const QStringList& filters) {
    fileRequests.append(
        {title, place.folder, place.filter, filters, parent != nullptr && parent->isVisible()});
    if (!placesLeft.isEmpty()) {
        place = placesLeft.takeFirst();
    }
    if (fileAnswers.isEmpty()) {
        // Answer once with a good file so that the start-up loop can end and the test
        // fail; a loop that still asks has no end, and the run stops here.
        if (unscriptedFileAnswerGiven_) {
            qFatal("the file dialog keeps being shown after its scripted answers ran out");
        }
        unscriptedFileAnswerGiven_ = true;
        QTest::qFail("the file dialog was shown more often than scripted", __FILE__, __LINE__);
        return testDataFile("warden_mystic_scout.csv");
    }
    return fileAnswers.takeFirst();
}

QString ScriptedPrompts::chooseSaveFile(QWidget*, const QString&, const QString& proposedPath,
                                        const QStringList&, const QString&) {
    saveProposals.append(proposedPath);
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

QMessageBox::StandardButton ScriptedPrompts::showMessage(QWidget*, const QString& title,
                                                         const QString& text,
                                                         QMessageBox::StandardButtons buttons,
                                                         QMessageBox::StandardButton defaultButton,
                                                         QMessageBox::Icon icon) {
    messageRequests.append({title, text, buttons, defaultButton, icon, {}, -1, -1});
    if (!messageAnswers.isEmpty()) {
        return messageAnswers.takeFirst();
    }
    if (buttons != QMessageBox::Ok) {
        QTest::qFail(qPrintable("unscripted question: " + title), __FILE__, __LINE__);
    }
    return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::Ok;
}

int ScriptedPrompts::askChoice(QWidget*, const QString& title, const QString& text,
                               const QStringList& choices, int defaultChoice, int escapeChoice,
                               QMessageBox::Icon icon) {
    messageRequests.append(
        {title, text, {}, QMessageBox::NoButton, icon, choices, defaultChoice, escapeChoice});
    if (!choiceAnswers.isEmpty()) {
        return choiceAnswers.takeFirst();
    }
    QTest::qFail(qPrintable("unscripted question: " + title), __FILE__, __LINE__);
    return escapeChoice;
}

QString ScriptedPrompts::askText(QWidget*, const QString& title, const QString& label,
                                 const QString& text) {
    messageRequests.append({title,
                            label + QLatin1Char('\n') + text,
                            {},
                            QMessageBox::NoButton,
                            QMessageBox::NoIcon,
                            {},
                            -1,
                            -1});
    if (!textAnswers.isEmpty()) {
        return textAnswers.takeFirst();
    }
    QTest::qFail(qPrintable("unscripted question: " + title), __FILE__, __LINE__);
    return {};
}

ModalWatchdog::ModalWatchdog() {
    timer_.setInterval(5000);
    QObject::connect(&timer_, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        QTest::qFail(qPrintable("unexpected modal window: " + modal->windowTitle()), __FILE__,
                     __LINE__);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    });
}

namespace {

QList<std::pair<const QObject*, QString>> accessibilityEvents;
QList<QAccessible::Event> recordedKinds;

void recordAccessibilityEvent(QAccessibleEvent* event) {
    if (!recordedKinds.contains(event->type())) {
        return;
    }
    QString change;
    const QAccessibleInterface* source = event->accessibleInterface();
    switch (event->type()) {
        case QAccessible::DescriptionChanged:
            change = "description " + source->text(QAccessible::Description);
            break;
        case QAccessible::ValueChanged:
            change =
                "value " + static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
            break;
        // A window's activation or deactivation, which the bridge passes on with the
        // window's name and description for a screen reader to speak.
        case QAccessible::StateChanged:
            if (!static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().active) {
                return;
            }
            change = "activation, description " +
                     event->accessibleInterface()->text(QAccessible::Description);
            break;
        case QAccessible::Focus:
            change = "focus " + source->text(QAccessible::Name);
            break;
        case QAccessible::TextUpdated:
            change = "text " + static_cast<QAccessibleTextUpdateEvent*>(event)->textInserted();
            break;
        case QAccessible::ObjectShow:
            if (source->role() != QAccessible::Notification) {
                return;
            }
            change = "notification " + source->text(QAccessible::Name);
            break;
        default:
            return;
    }
    accessibilityEvents.append({event->object(), change});
}

// Qt sends accessibility events only while its platform layer is active, which on
// the offscreen platform only this turns on.
void setAccessibilityActive(bool active) {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(active);
}

}  // namespace

AccessibilityEvents::AccessibilityEvents(QList<QAccessible::Event> kinds) {
    accessibilityEvents.clear();
    recordedKinds = std::move(kinds);
    QAccessible::installUpdateHandler(recordAccessibilityEvent);
    setAccessibilityActive(true);
}

AccessibilityEvents::~AccessibilityEvents() {
    setAccessibilityActive(false);
    QAccessible::installUpdateHandler(nullptr);
}

QStringList AccessibilityEvents::on(const QObject* object) const {
    QStringList changes;
    for (const auto& [source, change] : accessibilityEvents) {
        if (source == object || object == nullptr) {
            changes.append(change);
        }
    }
    return changes;
}

QString testDataFile(const char* name) {
    return QDir(QStringLiteral(VOSTREL_UI_TEST_DATA)).filePath(QString::fromUtf8(name));
}

std::unique_ptr<Form1> loadedWindow(ScriptedPrompts& prompts, const char* classFile) {
    prompts.fileAnswers = {testDataFile(classFile)};
    return std::make_unique<Form1>(prompts);
}

void showAndActivate(QWidget& window) {
    window.show();
    // Activated before it is exposed, a window of its own loses the activation to
    // the one exposed before it.
    if (!QTest::qWaitForWindowExposed(&window)) {
        QTest::qFail("the window was not exposed", __FILE__, __LINE__);
    }
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) {
        QTest::qFail("the window did not become active", __FILE__, __LINE__);
    }
}

QLineEdit* levelBox(const QWidget& window, int index) {
    return control<QLineEdit>(window, QStringLiteral("Txt_Lvl_%1").arg(index));
}

QComboBox* classList(const QWidget& window, int index) {
    return control<QComboBox>(window, QStringLiteral("Cbo_Class_%1").arg(index));
}

void typeOver(QLineEdit* box, const QString& keys) {
    box->setFocus();
    box->selectAll();
    for (qsizetype at = 0; at < keys.size(); ++at) {
        if (keys[at].unicode() < 0x80) {
            QTest::keyClick(box, keys[at].toLatin1());
            continue;
        }
        // A key types a whole character: both halves of a surrogate pair at once.
        const qsizetype length = keys[at].isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, keys.mid(at, length),
                            Qt::NoModifier);
        at += length - 1;
    }
}

void pickEntry(QComboBox* list, int row) {
    list->showPopup();
    QAbstractItemView* view = list->view();
    if (!QTest::qWaitForWindowExposed(view->window())) {
        QTest::qFail("the drop-down did not open", __FILE__, __LINE__);
        return;
    }
    const QModelIndex entry = view->model()->index(row, 0);
    view->scrollTo(entry);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(entry).center());
}

void ShownWindowTest::init() {
    watchdog_.arm();
    prompts_ = {};
    window_ = loadedWindow(prompts_, classFile_);
    showAndActivate(*window_);
}

void ShownWindowTest::cleanup() {
    window_.reset();
    watchdog_.disarm();
}

QPlainTextEdit* ShownWindowTest::output() const {
    return control<QPlainTextEdit>(*window_, "Txt_Output");
}

void ShownWindowTest::reload(const char* classFile) {
    window_.reset();
    window_ = loadedWindow(prompts_, classFile);
    showAndActivate(*window_);
}

QWidget* ShownWindowTest::openTableWindow(Qt::Key key, const char* name) const {
    QTest::keyClick(QApplication::focusWidget(), key);
    auto* opened = control<QWidget>(*window_, QString::fromUtf8(name));
    showAndActivate(*opened);
    return opened;
}

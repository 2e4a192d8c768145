// Loaded with LD_PRELOAD into the unpacked packaged program, unchanged and stripped as
// shipped: answers its start-up dialog as a user would and reports what it saw.
// On standard output, one line each:
//   dialog <folder the dialog opened in>
//   offers <file>        the sample as the dialog lists it under its first filter
//   class-lists <items in the first class list> <its first class>
// then ends the program normally. Anything else ends it at once with a non-zero code
// and a line saying why: another message box (the sample refused), a dialog that
// never lists the sample, or no window within the time allowed.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

const QString kSample = QStringLiteral("classes.csv");

[[noreturn]] void fail(int code, const QString& why) {
    std::printf("probe failed: %s\n", qPrintable(why));
    std::fflush(stdout);
    std::_Exit(code);
}

bool listsSample(const QFileDialog& dialog) {
    const auto* view = dialog.findChild<QAbstractItemView*>(QStringLiteral("listView"));
    if (view == nullptr || view->model() == nullptr) {
        return false;
    }
    const QAbstractItemModel& model = *view->model();
    const QModelIndex folder = view->rootIndex();
    for (int row = 0; row < model.rowCount(folder); ++row) {
        if (model.index(row, 0, folder).data().toString() == kSample) {
            return true;
        }
    }
    return false;
}

// Polls the program's windows from its own event loops, the dialog's included.
class Probe final : public QObject {
public:
    Probe() : QObject(qApp) {
        poll_.setInterval(20);
        connect(&poll_, &QTimer::timeout, this, &Probe::look);
        poll_.start();
    }

private:
    void look() {
        if (++ticks_ > 1000) {
            fail(3, QStringLiteral("no loaded window within 20 seconds"));
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            fail(2, QStringLiteral("message box: ") + box->text());
        }
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            answer(*dialog);
            return;
        }
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<QMainWindow*>(top);
            auto* list = window == nullptr
                             ? nullptr
                             : window->findChild<QComboBox*>(QStringLiteral("Cbo_Class_0"));
            if (list != nullptr && window->isVisible()) {
                std::printf("class-lists %d %s\n", list->count(), qPrintable(list->itemText(1)));
                std::fflush(stdout);
                poll_.stop();
                window->close();
                QCoreApplication::exit(0);
                return;
            }
        }
    }

    void answer(QFileDialog& dialog) {
        if (chosen_) {
            fail(2, QStringLiteral("the dialog was shown again"));
        }
        // The dialog lists its folder in the background; give it a moment.
        if (!listsSample(dialog)) {
            return;
        }
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name == nullptr) {
            fail(2, QStringLiteral("the dialog has no file name box"));
        }
        if (!reported_) {
            reported_ = true;
            std::printf("dialog %s\noffers %s\n", qPrintable(dialog.directory().absolutePath()),
                        qPrintable(kSample));
            connect(&dialog, &QDialog::accepted, this, [this] { chosen_ = true; });
        }
        // As typing the name and pressing Open.
        name->setText(kSample);
        static_cast<QDialog&>(dialog).accept();
    }

    QTimer poll_;
    int ticks_ = 0;
    bool reported_ = false;
    bool chosen_ = false;
};

void startProbe() {
    new Probe;
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(startProbe)

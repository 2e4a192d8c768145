// A Qt input plugin that lets a test run the built program itself, unchanged:
// started with QT_QPA_GENERIC_PLUGINS="vostrelkeys:KEYS", it presses one key on each
// modal window as the window comes up, as a user would. KEYS are key names as
// QKeySequence reads them ("Esc", "Return") separated by spaces. A modal window
// once the keys have run out ends the program at once with status 3.
#include <QApplication>
#include <QGenericPlugin>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

class KeyScript final : public QObject {
public:
    explicit KeyScript(const QString& keys) : keys_(keys.split(' ', Qt::SkipEmptyParts)) {
        connect(&poll_, &QTimer::timeout, this, &KeyScript::look);
        poll_.start(20);
    }

private:
    void look() {
        QWidget* modal = QApplication::activeModalWidget();
        QWidget* focus = QApplication::focusWidget();
        // A window whose focus has not arrived yet is not ready for keys.
        if (modal == nullptr || modal == answered_ || focus == nullptr ||
            focus->window() != modal) {
            return;
        }
        answered_ = modal;
        if (keys_.isEmpty()) {
            std::_Exit(3);
        }
        const QKeyCombination key = QKeySequence::fromString(keys_.takeFirst())[0];
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QCoreApplication::postEvent(focus,
                                        new QKeyEvent(type, key.key(), key.keyboardModifiers()));
        }
    }

    QStringList keys_;
    QPointer<QWidget> answered_;  // a later dialog may take the same address
    QTimer poll_;
};

class KeyScriptPlugin final : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "key_script_plugin.json")

public:
    QObject* create(const QString& name, const QString& keys) override {
        return name == QStringLiteral("vostrelkeys") ? new KeyScript(keys) : nullptr;
    }
};

}  // namespace

#include "key_script_plugin.moc"

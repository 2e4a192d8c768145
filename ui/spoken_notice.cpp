#include "spoken_notice.h"

#include <QAccessibleWidget>

#include "accessible_factory.h"

namespace {

QAccessibleInterface* accessibleNotice(const QString&, QObject* object) {
    auto* notice = qobject_cast<SpokenNotice*>(object);
    return notice != nullptr ? new QAccessibleWidget(notice, QAccessible::Notification) : nullptr;
}

}  // namespace

SpokenNotice::SpokenNotice(QWidget* parent) : QWidget(parent) {
    installAccessibleFactoryOnce<accessibleNotice>();
    setObjectName(QStringLiteral("SpokenNotice"));
    setGeometry(0, 0, 0, 0);
    hide();
}

void SpokenNotice::say(const QString& text) {
    if (!QAccessible::isActive()) {
        return;
    }
    // Hidden first, so that the same text twice is a second appearance.
    hide();
    setAccessibleName(text);
    show();
}

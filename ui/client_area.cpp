#include "client_area.h"

#include <QApplication>
#include <QPainter>

ClientArea::ClientArea(QWidget* parent) : QWidget(parent) {
    connect(qApp, &QApplication::focusChanged, this, [this] { update(); });
}

void ClientArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0, 0, 255));
    if (const QWidget* control = focusedControl()) {
        // The control covers the middle, leaving the ring.
        constexpr int w = kFocusRingWidth;
        painter.fillRect(control->geometry().adjusted(-w, -w, w, w), QColor(255, 255, 0));
    }
}

// The control of this area that holds the focus, or holds what holds it (a
// class list's open drop-down); none while the window is not active.
QWidget* ClientArea::focusedControl() const {
    for (QWidget* widget = QApplication::focusWidget(); widget != nullptr;
         widget = widget->parentWidget()) {
        if (widget->parentWidget() == this) {
            return widget->isVisible() ? widget : nullptr;
        }
    }
    return nullptr;
}

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
        const QRect place(control->mapTo(this, QPoint(0, 0)), control->size());
        painter.fillRect(place.adjusted(-w, -w, w, w), QColor(255, 255, 0));
    }
}

// The control of this area that holds the focus, or holds what holds it (a
// class list's text field or open drop-down): the outermost widget below this
// area that takes the focus, so a group of controls counts as none. None while
// the window is not active.
QWidget* ClientArea::focusedControl() const {
    QWidget* control = nullptr;
    for (QWidget* widget = QApplication::focusWidget(); widget != nullptr;
         widget = widget->parentWidget()) {
        if (widget == this) {
            return control != nullptr && control->isVisible() ? control : nullptr;
        }
        if (widget->focusPolicy() != Qt::NoFocus) {
            control = widget;
        }
    }
    return nullptr;
}

#pragma once

#include <QWidget>

// Tells a screen reader a short text without moving the keyboard focus: an
// empty, invisible object that assistive technology sees as a notification,
// shown anew with each text. Orca speaks a notification when it appears.
// A changed description of the focused control would be the plain way, but Qt
// 6.4 sends that change to the screen reader without its text.
class SpokenNotice final : public QWidget {
    Q_OBJECT

public:
    explicit SpokenNotice(QWidget* parent);

    // Nothing happens while no assistive technology listens.
    void say(const QString& text);
};

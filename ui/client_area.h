#pragma once

#include <QWidget>

// The window's client area: pure blue behind every control, with a yellow ring
// around the control that has the keyboard focus. The styles' own focus marks
// are drawn in their highlight colour, which hardly shows against the blue.
class ClientArea final : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent = nullptr);

    // Width of the ring, drawn just outside the control: the rows leave 3 pixels
    // between controls.
    static constexpr int kFocusRingWidth = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* focusedControl() const;
};

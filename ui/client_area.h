#pragma once

#include <QRect>
#include <QWidget>

// The window is drawn up in twips, 15 to a pixel; a few widths fall between
// pixels and go to the nearest one.
constexpr QRect fromTwips(int left, int top, int width, int height) {
    constexpr auto px = [](int twips) { return (twips + 7) / 15; };
    return {px(left), px(top), px(width), px(height)};
}

// The window's client area: pure blue behind every control, with a yellow ring
// around the control that has the keyboard focus, also inside a group of controls
// such as the build sheet. The styles' own focus marks
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

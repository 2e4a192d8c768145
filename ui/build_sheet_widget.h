#pragma once

#include <QWidget>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "progression.h"

class ClassList;
class QAbstractItemModel;
class QLineEdit;

// The five rows of the build, two class lists and a level box each, laid out
// from the sheet's top-left corner. Row k is segment k: its first class in
// Cbo_Class(2k - 2) on the left, its second in Cbo_Class(2k - 1) in the middle,
// its level count in Txt_Lvl(k - 1) at the right.
// - A level box holds at most two characters, and any text with a character
//   other than an ASCII digit turns to "0" (an empty box stays empty).
// - Ctrl+Up and Ctrl+Down anywhere in a row swap the whole row with the one above
//   or below, the focus going along; the rows' context menu moves and clears them.
class BuildSheetWidget final : public QWidget {
    Q_OBJECT

public:
    // Every list shows `classNames`: "<None>", then the class names in file order.
    BuildSheetWidget(QAbstractItemModel& classNames, QWidget* parent);

    // What the rows count: the level texts and the lists' chosen entries, not
    // the texts typed into them.
    vostrel::BuildSheet sheet() const;
    // The same, after ending any editing of a list's text, so that every list
    // shows the class it counts (class_list.h): what Go and Copy Build take.
    vostrel::BuildSheet settledSheet();
    // Shows `sheet` in the rows, each list showing its class's whole name.
    void setSheet(const vostrel::BuildSheet& sheet);

    // The keyboard's order: the ten lists, then `between`, then the level boxes.
    void chainTabOrder(std::initializer_list<QWidget*> between);
    // The first list, its text selected so that typing replaces it.
    void focusFirstList();

signals:
    // Rows numbered from 1.
    void rowMoved(int from, int to);
    void rowCleared(int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void filterLevelText(std::size_t row);
    // Where `control`, or the control it is part of, sits: its row (0..4, -1 in
    // none) and column (0 the first list, 1 the second, 2 the level box).
    struct Place {
        int row = -1;
        int column = 0;
    };
    Place placeOf(const QWidget* control) const;
    QWidget* controlAt(Place place) const;
    // Swaps the row of `from` with its neighbour `step` rows down, when there is
    // one; the focus goes to the same control in the row's new place.
    void moveRow(Place from, int step);
    void clearRow(int row);
    // The text field's own commands, then the row's.
    void showRowMenu(Place place, QLineEdit* field, QPoint where);

    std::array<QLineEdit*, vostrel::kSegmentCount> Txt_Lvl{};
    std::array<ClassList*, 2 * vostrel::kSegmentCount> Cbo_Class{};
};

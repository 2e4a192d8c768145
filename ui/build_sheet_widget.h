#pragma once

#include <QWidget>
#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "progression.h"

class ClassList;
class QLineEdit;

// The five rows of the build, two class lists and a level box each, laid out
// from the sheet's top-left corner. Row k is segment k: its first class in
// Cbo_Class(2k - 2) on the left, its second in Cbo_Class(2k - 1) in the middle,
// its level count in Txt_Lvl(k - 1) at the right.
// - A level box holds at most two characters, and any text with a character
//   other than an ASCII digit turns to "0" (an empty box stays empty).
class BuildSheetWidget final : public QWidget {
    Q_OBJECT

public:
    explicit BuildSheetWidget(QWidget* parent);

    // Every list: "<None>", then `classNames` in their order, nothing chosen.
    void fillClassLists(const std::vector<std::string>& classNames);

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

private:
    void filterLevelText(std::size_t row);

    std::array<QLineEdit*, vostrel::kSegmentCount> Txt_Lvl{};
    std::array<ClassList*, 2 * vostrel::kSegmentCount> Cbo_Class{};
};

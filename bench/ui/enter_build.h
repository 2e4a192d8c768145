#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QWidget>
#include <initializer_list>

// Fills the first rows of the window as a user would leave them: the level
// boxes from the top, then the class lists by position, two to a row.
inline void enterBuild(QWidget& window, std::initializer_list<int> levels,
                       std::initializer_list<int> classes) {
    int box = 0;
    for (const int level : levels) {
        window.findChild<QLineEdit*>(QStringLiteral("Txt_Lvl_%1").arg(box++))
            ->setText(QString::number(level));
    }
    int list = 0;
    for (const int position : classes) {
        window.findChild<QComboBox*>(QStringLiteral("Cbo_Class_%1").arg(list++))
            ->setCurrentIndex(position);
    }
}

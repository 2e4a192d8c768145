#pragma once

#include <memory>

#include "class_table.h"
#include "table_window.h"

class QLabel;
class QLineEdit;
class QPushButton;

// What the program made of the class file: one row per class as the calculator
// reads it, the selected class's features level by level, and the cells where a
// silent rule of the file changes what the author may have meant (a save column
// that is neither TRUE nor FALSE, a hit die the report's hit-dice line leaves out).
// Copies as the file's own fields, so that a spreadsheet's CSV of its rows loads
// as the same classes.
class ClassesWindow final : public TableWindow {
    Q_OBJECT

public:
    explicit ClassesWindow(QWidget& mainWindow);

    // Shows the classes of `table`, read from the file at `path`.
    void showClasses(const QString& path, const vostrel::ClassTable& table);

protected:
    QStringList printedContext() const override;
    QSize preferredSize() const override;
    int narrowestWidth() const override;

private:
    void showFeaturesOf(const QModelIndex& current);

    std::shared_ptr<const vostrel::ClassTable> table_;  // as shown, a copy of the file's
    QLineEdit* fileBox = nullptr;
    QLabel* countLabel = nullptr;
    TableModel* classes_ = nullptr;
    TableView* classesTable = nullptr;
    QLabel* featuresLabel = nullptr;
    TableModel* features_ = nullptr;
    TableView* featuresTable = nullptr;
    QPushButton* copyAllButton = nullptr;
};

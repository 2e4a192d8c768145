// The table model alone: sorting, and copying rows as the table shows them.
#include <QtTest>
#include <memory>

#include "table_model.h"

namespace {

struct Row {
    QString name;
    int number;
};

// Shows `rows` by name, ignoring case, and by number; copies them number first.
std::unique_ptr<TableModel> modelOf(const QList<Row>& rows) {
    const auto shown = std::make_shared<const QList<Row>>(rows);
    const auto name = [shown](int r) { return shown->at(r).name; };
    const auto number = [shown](int r) { return shown->at(r).number; };
    auto model = std::make_unique<TableModel>(std::vector<TableColumn>{});
    model->setRows({{.title = "Name", .display = name}, numberColumn("N", number)},
                   static_cast<int>(rows.size()),
                   {numberColumn("N\tr", number), {.title = "Name", .display = name}});
    return model;
}

const QList<Row> kRows{{"beta", 10}, {"Alpha", 9}, {"gamma", 100}, {"alpha", 8}};

}  // namespace

class TableModelTest : public QObject {
    Q_OBJECT

private slots:
    void sorts_by_the_key_or_the_text_keeping_ties_in_their_given_order_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::addColumn<QList<int>>("given");  // the given row at each table row
        QTest::newRow("by name, case aside") << 0 << Qt::AscendingOrder << QList<int>{1, 3, 0, 2};
        QTest::newRow("by name, reversed") << 0 << Qt::DescendingOrder << QList<int>{2, 0, 1, 3};
        QTest::newRow("by number, not its text")
            << 1 << Qt::AscendingOrder << QList<int>{3, 1, 0, 2};
        QTest::newRow("by number, reversed") << 1 << Qt::DescendingOrder << QList<int>{2, 0, 1, 3};
    }
    void sorts_by_the_key_or_the_text_keeping_ties_in_their_given_order() {
        QFETCH(int, column);
        QFETCH(Qt::SortOrder, order);
        QFETCH(QList<int>, given);
        const auto model = modelOf(kRows);
        model->sort(1, Qt::AscendingOrder);  // a sort before leaves no trace in the ties
        model->sort(column, order);
        QString copied = "N r\tName\n";  // rows 0 and 3 as the table shows them
        for (const int row : {0, 3}) {
            const Row& shown = kRows[given[row]];
            copied += QString::number(shown.number) + '\t' + shown.name + '\n';
        }
        QCOMPARE(model->rowsText({0, 3, 7}), copied);
        QCOMPARE(model->index(3, 0).data().toString(), kRows[given[3]].name);
        QCOMPARE(model->index(3, 1).data(Qt::TextAlignmentRole),
                 int{Qt::AlignRight | Qt::AlignVCenter});
    }

    void rows_that_sort_alike_keep_their_order_however_many() {
        QList<Row> alike;
        for (int n = 0; n < 40; ++n) {
            alike.append({"same", n});
        }
        const auto model = modelOf(alike);
        model->sort(0, Qt::DescendingOrder);
        QCOMPARE(model->index(39, 1).data().toString(), QStringLiteral("39"));
        QCOMPARE(model->index(20, 1).data().toString(), QStringLiteral("20"));
    }

    void a_tab_or_line_end_in_a_value_shows_and_copies_as_one_space_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("tab") << "a\tb"
                             << "a b";
        QTest::newRow("CR LF") << "a\r\nb"
                               << "a b";
        QTest::newRow("CR") << "a\rb"
                            << "a b";
        QTest::newRow("LF, twice") << "a\n\nb"
                                   << "a  b";
    }
    void a_tab_or_line_end_in_a_value_shows_and_copies_as_one_space() {
        QFETCH(QString, value);
        QFETCH(QString, shown);
        const auto model = modelOf({{value, 1}});
        QCOMPARE(model->index(0, 0).data().toString(), shown);
        QCOMPARE(model->rowsText({0}), "N r\tName\n1\t" + shown + "\n");
    }
};

QTEST_APPLESS_MAIN(TableModelTest)

#include "test_table_model.moc"

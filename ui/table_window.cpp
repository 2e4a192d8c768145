#include "table_window.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "accessible_factory.h"
#include "print_service.h"
#include "window_placement.h"

namespace {

// A plain QWidget reads as a filler to assistive technology; a table window is
// a window with its title, announced as such when it opens.
QAccessibleInterface* tableWindowAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("TableWindow") && object->isWidgetType()) {
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    }
    return nullptr;
}

}  // namespace

TableWindow::TableWindow(QWidget& mainWindow, const QString& objectName, const QString& title)
    : QWidget(&mainWindow, Qt::Window), mainWindow_(mainWindow) {
    installAccessibleFactoryOnce<tableWindowAccessible>();
    setObjectName(objectName);
    setWindowTitle(title);
    setAccessibleName(title);

    auto* closeWindow = new QAction(this);
    closeWindow->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(closeWindow);
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);

    auto* print = new QAction(this);
    print->setObjectName(QStringLiteral("printTable"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addAction(print);
    connect(print, &QAction::triggered, this, &TableWindow::printTable);

    // The tables belong to the main window's file and build: they go when it goes.
    mainWindow.installEventFilter(this);
}

void TableWindow::setParts(TableView& table, const Parts& parts) {
    table_ = &table;
    QWidget* middle = &table;
    if (parts.messageInPlace) {
        // Named by its text, so that a screen reader reads the message itself.
        messageLabel = new QLabel(this);
        messageLabel->setObjectName(QStringLiteral("messageLabel"));
        messageLabel->setAlignment(Qt::AlignCenter);
        messageLabel->setWordWrap(true);
        messageLabel->setTextFormat(Qt::PlainText);
        messageLabel->setMargin(12);
        messageLabel->hide();
        // A plain holder, where a stacked widget would be announced as a "layered
        // pane" each time the table takes the focus.
        middle = new QWidget(this);
        auto* holder = new QVBoxLayout(middle);
        holder->setContentsMargins(0, 0, 0, 0);
        holder->addWidget(&table);
        holder->addWidget(messageLabel);
    }
    if (parts.pane != nullptr) {
        auto* split = new QSplitter(Qt::Vertical, this);
        split->setChildrenCollapsible(false);
        split->addWidget(middle);
        split->addWidget(parts.pane);
        middle = split;
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : parts.buttons) {
        buttons->addWidget(button);
    }
    auto* layout = new QVBoxLayout(this);
    if (parts.controls != nullptr) {
        layout->addLayout(parts.controls);
    }
    layout->addWidget(middle, 1);
    layout->addLayout(buttons);
}

void TableWindow::focusContents() {
    if (table_ != nullptr && !showsMessage()) {
        table_->setFocus();
    }
}

void TableWindow::showMessage(const QString& message) {
    if (!message.isEmpty()) {
        messageLabel->setText(message);
    }
    table_->setHidden(!message.isEmpty());
    messageLabel->setHidden(message.isEmpty());
    setOpeningMessage(message);
}

bool TableWindow::showsMessage() const {
    return messageLabel != nullptr && !messageLabel->isHidden();
}

// As a window opens, a screen reader speaks its title and description, then the
// control with the focus. The message is no control, and without the table no
// control takes the focus: the window's description carries it.
void TableWindow::setOpeningMessage(const QString& message) {
    setAccessibleDescription(message);
}

bool TableWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &mainWindow_ && event->type() == QEvent::Close) {
        close();
    }
    return QWidget::eventFilter(watched, event);
}

PrintedDocument TableWindow::printedDocument() const {
    PrintedDocument document;
    document.title = windowTitle();
    document.lines.push_back({windowTitle(), true});
    for (const QString& line : printedContext()) {
        document.lines.push_back({line});
    }
    document.lines.push_back({});
    document.table = printedTable(*table_->tableModel());
    return document;
}

void TableWindow::printTable() {
    QString problem;
    if (showsMessage()) {
        problem = messageLabel->text();
    } else {
        problem = printDocument(this, printJob([this] { return printedDocument(); }), false);
    }
    if (!problem.isEmpty()) {
        QMessageBox box(QMessageBox::Information, windowTitle(), problem, QMessageBox::Ok, this);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    }
}

void TableWindow::present() {
    if (!placed_) {
        // A window with a transient parent is kept above it by the desktop; this
        // one is a window of its own that the main window may cover.
        winId();
        windowHandle()->setTransientParent(nullptr);
        placeAgain();
        placed_ = true;
    }
    shareMainCommands();
    // A minimized window would take the command without a sign.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    focusContents();
}

// The menu commands are the main window's own actions, added here too: one set
// of commands, each still acting on the main window. Added on each showing, so a
// command of this window's own made after construction still takes precedence,
// where two actions on one shortcut would cancel each other out.
void TableWindow::shareMainCommands() {
    const auto* bar = mainWindow_.findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (bar == nullptr) {
        return;
    }
    QList<QKeySequence> own;
    for (const QAction* action : findChildren<QAction*>()) {
        own.append(action->shortcuts());
    }
    for (const QAction* title : bar->actions()) {
        if (title->menu() == nullptr) {
            continue;
        }
        for (QAction* command : title->menu()->actions()) {
            const QList<QKeySequence> keys = command->shortcuts();
            const bool taken =
                std::any_of(keys.begin(), keys.end(),
                            [&own](const QKeySequence& key) { return own.contains(key); });
            if (!keys.isEmpty() && !taken) {
                addAction(command);
            } else {
                removeAction(command);
            }
        }
    }
}

void TableWindow::placeAgain() {
    const QScreen* screen = mainWindow_.screen();
    if (screen == nullptr) {
        return;
    }
    QList<QRect> others;
    for (const TableWindow* other : mainWindow_.findChildren<TableWindow*>()) {
        if (other != this && other->isVisible()) {
            others.append(other->frameGeometry());
        }
    }
    QSize wanted = preferredSize();
    if (placed_) {
        wanted = wanted.expandedTo(size());
    }
    // Before it is first shown the window has no frame yet; the main window's is
    // the best guess of what the desktop will add.
    setGeometry(placementBeside(mainWindow_.frameGeometry(), mainWindow_.geometry(), others,
                                screen->availableGeometry(), wanted, narrowestWidth()));
}

QPushButton* TableWindow::makeCopyAllButton(TableView& view) {
    auto* button = new QPushButton(QStringLiteral("Copy All"), this);
    button->setObjectName(QStringLiteral("copyAllButton"));
    button->setAccessibleName(QStringLiteral("Copy All"));
    button->setAccessibleDescription(
        QStringLiteral("Copies the whole table as tab-separated text"));
    // Outside a dialog this only makes Enter press the focused button.
    button->setAutoDefault(true);
    connect(button, &QPushButton::clicked, &view, &TableView::copyAllRows);
    return button;
}

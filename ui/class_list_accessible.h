#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What assistive technology reads of a class list. Qt's own combo box reports
// its text as its name on Linux, so ten lists read as "Class" or a class name and
// never say which row or side they are. Here the name is always the list's own
// (its accessible name), the value is the chosen entry (empty with none chosen),
// and the description says the chosen class; the text field stays a child that
// reads the text being typed.
// A factory for QAccessible::installFactory: an interface for a ClassList,
// nothing for any other object.
QAccessibleInterface* accessibleClassList(const QString& className, QObject* object);

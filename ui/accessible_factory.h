#pragma once

#include <QAccessible>

// Hands `factory` to Qt's accessibility once per program, when the first control
// it serves is built: a program that never builds one never asks it.
template <QAccessible::InterfaceFactory factory>
void installAccessibleFactoryOnce() {
    static const bool installed = (QAccessible::installFactory(factory), true);
    Q_UNUSED(installed)
}

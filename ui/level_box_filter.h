#pragma once

#include <QStringView>

// A level box may hold ASCII digits only; an empty box passes too.
bool levelTextPasses(QStringView text);

#include "level_box_filter.h"

#include <QByteArray>
#include <cstddef>
#include <string_view>

#include "progression.h"

bool levelTextPasses(QStringView text) {
    // A character beyond ASCII turns into bytes that are no digits.
    const QByteArray bytes = text.toUtf8();
    return vostrel::levelCount(
               std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))
        .has_value();
}

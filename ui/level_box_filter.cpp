#include "level_box_filter.h"

bool levelTextPasses(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() < u'0' || c.unicode() > u'9') {
            return false;
        }
    }
    return true;
}

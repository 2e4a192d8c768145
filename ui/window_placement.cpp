#include "window_placement.h"

#include <QMargins>
#include <algorithm>

namespace {

// The narrowest a window is sized down to beside the main window rather than
// over it: on a screen of 1280 pixels the wider side of a main window anywhere
// leaves more.
constexpr int kSmallestBeside = 360;

// The same for a frame of `wanted`, all rectangles frames.
QRect frameBeside(const QRect& main, const QList<QRect>& others, const QRect& room, QSize wanted,
                  int narrowest) {
    const int width = std::min(std::max(wanted.width(), narrowest), room.width());
    narrowest = std::min(narrowest, width);
    const int height = std::min(wanted.height(), room.height());
    const int top = std::clamp(main.top(), room.top(), room.bottom() + 1 - height);
    QList<QRect> taken{main};
    taken.append(others);
    const auto isFree = [&taken](const QRect& place) {
        return std::none_of(taken.begin(), taken.end(),
                            [&place](const QRect& window) { return window.intersects(place); });
    };
    // To the right of a window first, as the eye reads on from the main window.
    for (const QRect& window : taken) {
        const int fits = std::min(width, room.right() - window.right());
        const QRect place(window.right() + 1, top, fits, height);
        if (fits >= narrowest && isFree(place)) {
            return place;
        }
    }
    for (const QRect& window : taken) {
        const int fits = std::min(width, window.left() - room.left());
        const QRect place(window.left() - fits, top, fits, height);
        if (fits >= narrowest && isFree(place)) {
            return place;
        }
    }
    // Sized down on the side with more room rather than over the main window,
    // whose rows and Go must stay in view; the table scrolls.
    const int rightRoom = room.right() - main.right();
    const int leftRoom = main.left() - room.left();
    const int side = std::min(width, std::max(rightRoom, leftRoom));
    if (side >= std::min(narrowest, kSmallestBeside)) {
        return rightRoom >= leftRoom ? QRect(main.right() + 1, top, side, height)
                                     : QRect(main.left() - side, top, side, height);
    }
    // No room beside it: at its narrowest as far right as fits, over the main
    // window only where the screen is too narrow.
    const int fallbackWidth = std::max(narrowest, std::min(width, room.right() - main.right()));
    const int left = std::clamp(main.right() + 1, room.left(), room.right() + 1 - fallbackWidth);
    return {left, top, fallbackWidth, height};
}

}  // namespace

QRect placementBeside(const QRect& mainFrame, const QRect& mainClient, const QList<QRect>& others,
                      const QRect& room, QSize wanted, int narrowest) {
    const QMargins frame(mainClient.left() - mainFrame.left(), mainClient.top() - mainFrame.top(),
                         mainFrame.right() - mainClient.right(),
                         mainFrame.bottom() - mainClient.bottom());
    const QRect place = frameBeside(mainFrame, others, room, wanted.grownBy(frame),
                                    narrowest + frame.left() + frame.right());
    return place.marginsRemoved(frame);
}

#pragma once

// Helpers of the Qt tests: waiting while Qt events run, and comparing pictures.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>

#include <functional>

namespace panelink::uitest {

// Runs Qt events (deferred deletes included) until `done` holds or the time is up.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

// The bounding rectangle of the pixels of `after` that differ from `before`.
inline QRect changedRect(const QImage& before, const QImage& after) {
    QRect changed;
    for (int y = 0; y < before.height(); ++y) {
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        }
    }
    return changed;
}

// The pixels of `rect` on `canvas` that are not `bitmap` drawn keyed (pure green shows what
// lay below) at the rectangle's corner over `before`.
inline int keyedMismatches(const QImage& bitmap, const QRect& rect, const QImage& before,
                           const QImage& canvas) {
    int wrong = 0;
    for (int y = 0; y < rect.height(); ++y) {
        for (int x = 0; x < rect.width(); ++x) {
            const QRgb source = bitmap.pixel(x, y) | 0xFF000000;
            const QPoint at(rect.x() + x, rect.y() + y);
            const QRgb expected = source == 0xFF00FF00 ? before.pixel(at) : source;
            if (canvas.pixel(at) != expected) ++wrong;
        }
    }
    return wrong;
}

}  // namespace panelink::uitest

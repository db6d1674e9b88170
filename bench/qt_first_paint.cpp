// SPDX-License-Identifier: MIT

#include "bench/qt_first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include "bench/report.h"

namespace korvanta::bench {
namespace {

// Waits until the X server has carried out every request sent so far.
void RoundTripToServer() {
    auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return; // not on X11 (the offscreen platform): nothing to wait for
    }
    xcb_connection_t *connection = x11->connection();
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

class FirstPaintWatcher final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!watched->isWidgetType() || !static_cast<QWidget *>(watched)->isWindow()) {
            return false;
        }
        if (event->type() == QEvent::Show) {
            MarkPhase(Phase::Shown);
        } else if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            MarkPhase(Phase::Painting);
            // The window and its children are painted and the backing store is
            // flushed before control returns to the event loop: report after that.
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    RoundTripToServer();
                    ReportFirstPaint();
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

} // namespace

void QuitAfterFirstPaint() {
    MarkPhase(Phase::Application);
    qApp->installEventFilter(new FirstPaintWatcher(qApp));
}

} // namespace korvanta::bench

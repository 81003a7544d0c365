#include "pages/main/RunInputGuard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace mnemex::pages {

RunInputGuard::RunInputGuard(QWidget* stopButton, std::function<void()> stop)
    : stopButton_(stopButton), stop_(std::move(stop)) {
    QCoreApplication::instance()->installEventFilter(this);
}

RunInputGuard::~RunInputGuard() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool RunInputGuard::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            // A window hands its mouse events on to the widget under the pointer, where
            // they are judged.
            if (watched->isWindowType())
                return false;
            return watched != stopButton_.data();
        case QEvent::KeyPress: {
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && stop_)
                stop_();
            return true;
        }
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::ContextMenu:
        case QEvent::Drop:
            return true;
        case QEvent::Close:
            event->ignore();
            return true;
        default:
            return false;
    }
}

}  // namespace mnemex::pages

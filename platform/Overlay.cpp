#include "platform/Overlay.h"

#include <QApplication>
#include <QEvent>

namespace {

const QString kOverlayName = QStringLiteral("Overlay");

} // namespace

Overlay::Overlay(QWidget* host)
    : QWidget(host) {
    setObjectName(kOverlayName);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#Overlay { background: rgba(0, 0, 0, 110); }"));
    if (host) {
        host->installEventFilter(this);
        setGeometry(host->rect());
    }
}

QWidget* Overlay::hostWindow() {
    QWidgetList candidates{QApplication::activeWindow()};
    candidates.append(QApplication::topLevelWidgets());
    for (QWidget* window : std::as_const(candidates)) {
        if (window && window->isWindow() && !window->isHidden() && window->objectName() != kOverlayName)
            return window;
    }
    return nullptr;
}

void Overlay::raiseOverlays(QWidget* host) {
    const QList<Overlay*> overlays = host->findChildren<Overlay*>(Qt::FindDirectChildrenOnly);
    for (Overlay* overlay : overlays)
        overlay->raise();
}

void Overlay::close(QWidget* overlay) {
    if (!overlay)
        return;
    overlay->hide();
    overlay->deleteLater();
}

bool Overlay::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

#include "platform/Slide.h"

#include <QPropertyAnimation>
#include <QWidget>

QPropertyAnimation* slideView(QWidget* view, const QPoint& to, bool animated, std::function<void()> done) {
    if (!animated) {
        view->move(to);
        done();
        return nullptr;
    }
    auto* slide = new QPropertyAnimation(view, "pos", view);
    slide->setDuration(300);
    slide->setEasingCurve(QEasingCurve::OutCubic);
    slide->setEndValue(to);
    QObject::connect(slide, &QPropertyAnimation::finished, view, std::move(done));
    slide->start(QAbstractAnimation::DeleteWhenStopped);
    return slide;
}

void finishSlide(QPropertyAnimation* slide) {
    if (slide && slide->state() == QAbstractAnimation::Running)
        slide->setCurrentTime(slide->totalDuration());
}

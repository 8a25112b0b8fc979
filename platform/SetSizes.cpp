#include "platform/SetSizes.h"

#include <QWidget>

double x(const QWidget* view) {
    return view ? view->geometry().x() : 0;
}

double y(const QWidget* view) {
    return view ? view->geometry().y() : 0;
}

double width(const QWidget* view) {
    return view ? view->geometry().width() : 0;
}

double height(const QWidget* view) {
    return view ? view->geometry().height() : 0;
}

void setX(QWidget* view, double value) {
    if (view)
        view->move(qRound(value), view->geometry().y());
}

void setY(QWidget* view, double value) {
    if (view)
        view->move(view->geometry().x(), qRound(value));
}

void setWidth(QWidget* view, double value) {
    if (view)
        view->resize(qRound(value), view->height());
}

void setHeight(QWidget* view, double value) {
    if (view)
        view->resize(view->width(), qRound(value));
}

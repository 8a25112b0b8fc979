#pragma once

class QWidget;

// Short accessors for the parts of a view's frame, in points. A missing view reads as 0 and ignores writes.
double x(const QWidget* view);
double y(const QWidget* view);
double width(const QWidget* view);
double height(const QWidget* view);
void setX(QWidget* view, double value);
void setY(QWidget* view, double value);
void setWidth(QWidget* view, double value);
void setHeight(QWidget* view, double value);

#pragma once

#include <QPoint>

#include <functional>

class QPropertyAnimation;
class QWidget;

// Moves a view to a position, the way screens and sheets move on the phone: over 0.3 s, easing out, when
// animated (the returned animation is running and calls done at its end); at once otherwise (done has
// already run and the result is null).
QPropertyAnimation* slideView(QWidget* view, const QPoint& to, bool animated, std::function<void()> done);

// Jumps a running slide to its end, so that its done runs now; a null slide is left alone.
void finishSlide(QPropertyAnimation* slide);

#pragma once

#include <functional>

class QVBoxLayout;
class QWidget;

// The frame the desktop's mail and message composers share: a row with "Avbryt" and "Send" at the top
// of the view, under which the composer lays out its fields.
QVBoxLayout* makeComposerForm(QWidget* view, const std::function<void()>& cancel,
                              const std::function<void()>& send);

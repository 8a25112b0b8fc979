#pragma once

#include <QString>

// The phone's keyboard announces itself before it slides in and out. The desktop has no on-screen keyboard,
// so only whoever plays one (a test, a future input method) posts these; screens that make room for the
// keyboard observe them.
inline const QString KeyboardWillShowNotification = QStringLiteral("UIKeyboardWillShowNotification");
inline const QString KeyboardWillHideNotification = QStringLiteral("UIKeyboardWillHideNotification");

// Extra data of both: the keyboard's frame before the slide (QRect, in points of the window) and the slide's
// duration in seconds (double).
inline const QString KeyboardFrameBeginUserInfoKey = QStringLiteral("UIKeyboardFrameBeginUserInfoKey");
inline const QString KeyboardAnimationDurationUserInfoKey =
    QStringLiteral("UIKeyboardAnimationDurationUserInfoKey");

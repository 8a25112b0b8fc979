#pragma once

#include <QWidget>

// A dimming layer over a whole window, under the alerts and action sheets shown above the screens. It
// follows the size of the window it covers.
class Overlay : public QWidget {
    Q_OBJECT
public:
    // Without a host the overlay is a window of its own.
    explicit Overlay(QWidget* host);

    // The window an overlay covers now: the active window, else the first shown top-level window; never an
    // overlay that is a window of its own.
    static QWidget* hostWindow();
    // Keeps the overlays of a window above a screen that has just been raised in it.
    static void raiseOverlays(QWidget* host);
    // Hides an overlay at once and deletes it once the click that closed it has been handled (the clicked
    // button is one of its children). A null overlay is left alone.
    static void close(QWidget* overlay);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

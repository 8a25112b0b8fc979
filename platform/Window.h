#pragma once

#include <QPointer>
#include <QWidget>

class ViewController;

// The phone's screen: one top-level window 320 points wide and as high as the device, titled
// "Korvo Store", that shows its root screen and, above it, whatever screens are presented modally.
class Window : public QWidget {
    Q_OBJECT
public:
    explicit Window(int screenHeight, QWidget* parent = nullptr);

    void setRootViewController(ViewController* controller); // not owned
    ViewController* rootViewController() const { return m_root; }
    // Shows the window and tells the root screen that it appears.
    void makeKeyAndVisible();

    // The window a view belongs to (the top-level widget of its parent chain).
    static Window* of(QWidget* view);

private:
    QPointer<ViewController> m_root;
};

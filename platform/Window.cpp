#include "platform/Window.h"

#include "platform/ViewController.h"

Window::Window(int screenHeight, QWidget* parent)
    : QWidget(parent) {
    setFixedSize(320, screenHeight);
    setWindowTitle(QStringLiteral("Korvo Store"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0x1c, 0x1c, 0x1e));
    setPalette(palette);
    setAutoFillBackground(true);
}

void Window::setRootViewController(ViewController* controller) {
    if (controller == m_root)
        return;
    if (m_root && m_root->isViewLoaded() && m_root->view()->parentWidget() == this)
        m_root->view()->hide();
    m_root = controller;
    if (!controller)
        return;
    QWidget* view = controller->view();
    view->setParent(this);
    view->setGeometry(rect());
    view->lower(); // screens presented over the window stay above it
    if (isVisible())
        controller->viewWillAppear(false);
    view->show();
    if (isVisible())
        controller->viewDidAppear(false);
}

void Window::makeKeyAndVisible() {
    const bool appears = !isVisible() && m_root;
    if (appears)
        m_root->viewWillAppear(false);
    show();
    raise();
    activateWindow();
    if (appears)
        m_root->viewDidAppear(false);
}

Window* Window::of(QWidget* view) {
    QWidget* top = view;
    while (top && top->parentWidget())
        top = top->parentWidget();
    return qobject_cast<Window*>(top);
}

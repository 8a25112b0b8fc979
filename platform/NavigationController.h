#pragma once

#include "platform/ViewController.h"

#include <QList>
#include <QPointer>
#include <QRect>

class QLabel;
class QPushButton;

// A stack of screens of which the top one is shown; pushing slides the new screen in from the right,
// popping slides it out again. Owns the screens on its stack. Its bar (a title and a back button) can be
// hidden; the screens of this app draw their own top bars.
class NavigationController : public ViewController {
    Q_OBJECT
public:
    explicit NavigationController(ViewController* rootViewController = nullptr, QObject* parent = nullptr);

    void pushViewController(ViewController* controller, bool animated);
    ViewController* popViewControllerAnimated(bool animated); // the popped screen, deleted later
    ViewController* topViewController() const;
    QList<ViewController*> viewControllers() const { return m_stack; }

    bool isNavigationBarHidden() const { return m_navigationBarHidden; }
    void setNavigationBarHidden(bool hidden);

    // Appearance and orientation follow the screen on top.
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;
    bool shouldAutorotate() const override;
    unsigned supportedInterfaceOrientations() const override;

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;

private:
    QRect contentRect() const;
    void layoutViews();
    void updateBar();

    QList<ViewController*> m_stack;
    bool m_navigationBarHidden = false;
    bool m_onScreen = false; // between viewWillAppear and viewDidDisappear
    QPointer<QWidget> m_bar;
    QPointer<QLabel> m_titleLabel;
    QPointer<QPushButton> m_backButton;
};

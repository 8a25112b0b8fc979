#pragma once

#include "platform/Orientation.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class NavigationController;
class QPropertyAnimation;
class QWidget;

// One screen: a view loaded once on first use, told when it is about to appear and disappear, able to
// present another screen modally over the whole window (sliding it up from the bottom, as a phone does)
// and to dismiss it again (sliding it down). A presented screen is owned by its presenter and deleted once
// dismissed.
class ViewController : public QObject {
    Q_OBJECT
public:
    explicit ViewController(QObject* parent = nullptr);
    ~ViewController() override;

    // The screen's view, loaded (loadView, then viewDidLoad) on first use.
    QWidget* view();
    bool isViewLoaded() const { return !m_view.isNull(); }
    // Drops the loaded view (as under memory pressure); viewDidUnload follows. The next view() loads anew.
    void unloadView();

    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // Presents the screen over this one (or over the screen this one already presents, as the platform does
    // when asked by a screen that is covered). Takes ownership.
    void presentViewController(ViewController* controller, bool animated,
                               std::function<void()> completion = {});
    // Dismisses the screen this one presents; called on a presented screen, dismisses that screen itself.
    void dismissViewControllerAnimated(bool animated, std::function<void()> completion = {});
    ViewController* presentedViewController() const { return m_presented; }
    ViewController* presentingViewController() const { return m_presenting; }
    NavigationController* navigationController() const;

    // Lifecycle, called by presentation, navigation and the window.
    virtual void viewWillAppear(bool animated);
    virtual void viewDidAppear(bool animated);
    virtual void viewWillDisappear(bool animated);
    virtual void viewDidDisappear(bool animated);

    // Orientation answers of the screen.
    virtual bool shouldAutorotateToInterfaceOrientation(InterfaceOrientation orientation) const;
    virtual bool shouldAutorotate() const;
    virtual unsigned supportedInterfaceOrientations() const;
    virtual InterfaceOrientation preferredInterfaceOrientationForPresentation() const;

    // Test support: true while a presentation or dismissal slide runs.
    bool isTransitioning() const;

protected:
    // Makes the view; the default is an empty widget of the screen's size.
    virtual QWidget* loadView();
    virtual void viewDidLoad() {}
    virtual void viewDidUnload() {}

private:
    friend class NavigationController;
    ViewController* coveredScreen();
    void showPresented(bool animated, std::function<void()> completion);
    void dismissPresented(bool animated, std::function<void()> completion);
    void finishTransitions();

    QPointer<QWidget> m_view;
    QString m_title;
    QPointer<ViewController> m_presented;
    QPointer<ViewController> m_presenting;
    NavigationController* m_navigationController = nullptr;
    QPointer<QPropertyAnimation> m_slide; // the running slide of this screen's view
    bool m_waitingForWindow = false;
    bool m_beingDismissed = false;
};

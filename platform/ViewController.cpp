#include "platform/ViewController.h"

#include "platform/Configuration.h"
#include "platform/NavigationController.h"
#include "platform/Overlay.h"
#include "platform/Slide.h"

#include <QPropertyAnimation>
#include <QTimer>
#include <QWidget>

ViewController::ViewController(QObject* parent)
    : QObject(parent) {}

ViewController::~ViewController() {
    delete m_view;
}

QWidget* ViewController::view() {
    if (!m_view) {
        m_view = loadView();
        viewDidLoad();
    }
    return m_view;
}

void ViewController::unloadView() {
    if (!m_view)
        return;
    delete m_view;
    viewDidUnload();
}

QWidget* ViewController::loadView() {
    auto* view = new QWidget;
    view->resize(320, Configuration::current().screenHeight);
    return view;
}

NavigationController* ViewController::navigationController() const {
    return m_navigationController;
}

void ViewController::viewWillAppear(bool) {}
void ViewController::viewDidAppear(bool) {}
void ViewController::viewWillDisappear(bool) {}
void ViewController::viewDidDisappear(bool) {}

bool ViewController::shouldAutorotateToInterfaceOrientation(InterfaceOrientation) const {
    return true;
}

bool ViewController::shouldAutorotate() const {
    return true;
}

unsigned ViewController::supportedInterfaceOrientations() const {
    return InterfaceOrientationMaskAll;
}

InterfaceOrientation ViewController::preferredInterfaceOrientationForPresentation() const {
    return InterfaceOrientation::Portrait;
}

bool ViewController::isTransitioning() const {
    return m_slide || m_waitingForWindow || (m_presented && m_presented->isTransitioning());
}

ViewController* ViewController::coveredScreen() {
    // A screen on a navigation stack is shown by its container, which passes the calls on to its top screen.
    return m_navigationController ? static_cast<ViewController*>(m_navigationController) : this;
}

void ViewController::finishTransitions() {
    // A new presentation or dismissal starts from where the running ones end.
    for (ViewController* screen = this; screen; screen = screen->m_presented) {
        finishSlide(screen->m_slide);
        if (!screen->m_presented)
            break;
    }
}

void ViewController::presentViewController(ViewController* controller, bool animated,
                                           std::function<void()> completion) {
    if (!controller || controller == this || controller->m_presenting)
        return;
    finishTransitions();
    ViewController* presenter = this;
    while (presenter->m_presented)
        presenter = presenter->m_presented;
    controller->setParent(presenter);
    presenter->m_presented = controller;
    controller->m_presenting = presenter;

    QWidget* presenterView = presenter->view();
    if (!presenterView->parentWidget() && !presenterView->isVisible()) {
        // Asked while the presenting screen is still being set up (from its viewDidLoad): the screen is
        // placed in its window once the set-up returns to the event loop.
        controller->m_waitingForWindow = true;
        const QPointer<ViewController> presented(controller);
        QTimer::singleShot(
            0, presenter, [presenter, presented, animated, completion = std::move(completion)] {
                if (!presented || presented->m_presenting != presenter || !presented->m_waitingForWindow)
                    return;
                presented->m_waitingForWindow = false;
                presenter->showPresented(animated, completion);
            });
        return;
    }
    presenter->showPresented(animated, std::move(completion));
}

void ViewController::showPresented(bool animated, std::function<void()> completion) {
    ViewController* presented = m_presented;
    ViewController* covered = coveredScreen();
    QWidget* host = view()->window();
    // Loaded first, as on the phone: a screen is told it will appear only once its view exists.
    QWidget* presentedView = presented->view();
    presented->viewWillAppear(animated);
    covered->viewWillDisappear(animated);

    presentedView->setParent(host);
    presentedView->setGeometry(0, animated ? host->height() : 0, host->width(), host->height());
    presentedView->show();
    presentedView->raise();
    Overlay::raiseOverlays(host);

    const QPointer<ViewController> presentedGuard(presented);
    const QPointer<ViewController> coveredGuard(covered);
    presented->m_slide = slideView(presentedView, QPoint(0, 0), animated,
                                   [presentedGuard, coveredGuard, animated, completion] {
                                       if (presentedGuard)
                                           presentedGuard->viewDidAppear(animated);
                                       if (coveredGuard)
                                           coveredGuard->viewDidDisappear(animated);
                                       if (completion)
                                           completion();
                                   });
}

void ViewController::dismissViewControllerAnimated(bool animated, std::function<void()> completion) {
    if (m_presented)
        dismissPresented(animated, std::move(completion));
    else if (m_presenting)
        m_presenting->dismissPresented(animated, std::move(completion));
}

void ViewController::dismissPresented(bool animated, std::function<void()> completion) {
    finishTransitions();
    ViewController* dismissed = m_presented;
    if (!dismissed || dismissed->m_beingDismissed)
        return;
    // Screens that the dismissed one presents in turn go with it; only the one on top is seen to slide.
    ViewController* top = dismissed;
    for (ViewController* screen = dismissed; screen; screen = screen->m_presented) {
        screen->m_beingDismissed = true;
        screen->m_waitingForWindow = false;
        top = screen;
    }
    for (ViewController* screen = dismissed; screen != top; screen = screen->m_presented) {
        if (screen->isViewLoaded())
            screen->m_view->hide();
    }

    ViewController* uncovered = coveredScreen();
    top->viewWillDisappear(animated);
    uncovered->viewWillAppear(animated);

    QWidget* topView = top->view();
    const QPoint below(0, topView->parentWidget() ? topView->parentWidget()->height() : topView->height());
    const QPointer<ViewController> self(this);
    const QPointer<ViewController> dismissedGuard(dismissed);
    const QPointer<ViewController> topGuard(top);
    const QPointer<ViewController> uncoveredGuard(uncovered);
    top->m_slide = slideView(topView, below, animated, [=] {
        if (topGuard) {
            topGuard->view()->hide();
            topGuard->viewDidDisappear(animated);
        }
        if (uncoveredGuard)
            uncoveredGuard->viewDidAppear(animated);
        if (self && self->m_presented == dismissedGuard)
            self->m_presented = nullptr;
        if (completion)
            completion();
        if (dismissedGuard)
            dismissedGuard->deleteLater();
    });
}

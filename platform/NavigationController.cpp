#include "platform/NavigationController.h"

#include "platform/Configuration.h"
#include "platform/Slide.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>

namespace {

constexpr int kBarHeight = 44;

// The container's view: lays its screens out again whenever its size changes.
class NavigationView : public QWidget {
public:
    explicit NavigationView(std::function<void()> resized)
        : m_resized(std::move(resized)) {}

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        m_resized();
    }

private:
    std::function<void()> m_resized;
};

} // namespace

NavigationController::NavigationController(ViewController* rootViewController, QObject* parent)
    : ViewController(parent) {
    if (rootViewController)
        pushViewController(rootViewController, false);
}

ViewController* NavigationController::topViewController() const {
    return m_stack.isEmpty() ? nullptr : m_stack.last();
}

QWidget* NavigationController::loadView() {
    auto* view = new NavigationView([this] { layoutViews(); });
    view->resize(320, Configuration::current().screenHeight);

    m_bar = new QWidget(view);
    m_bar->setObjectName(QStringLiteral("NavigationBar"));
    m_bar->setAttribute(Qt::WA_StyledBackground);
    m_bar->setStyleSheet(
        QStringLiteral("#NavigationBar { background: #f7f7f7; border-bottom: 1px solid #b2b2b2; }"
                       "QLabel { font-weight: bold; }"));
    m_backButton = new QPushButton(QStringLiteral("Tilbake"), m_bar);
    m_titleLabel = new QLabel(m_bar);
    m_titleLabel->setAlignment(Qt::AlignCenter);
    auto* barLayout = new QHBoxLayout(m_bar);
    barLayout->addWidget(m_backButton);
    barLayout->addWidget(m_titleLabel, 1);
    barLayout->addSpacing(m_backButton->sizeHint().width());
    connect(m_backButton, &QPushButton::clicked, this, [this] { popViewControllerAnimated(true); });
    return view;
}

void NavigationController::viewDidLoad() {
    // Loading the top screen may push another one on top of it.
    ViewController* top = nullptr;
    while (top != topViewController()) {
        top = topViewController();
        if (top)
            top->view();
    }
    for (ViewController* screen : std::as_const(m_stack)) {
        if (!screen->isViewLoaded())
            continue;
        if (screen->m_view->parentWidget() != view())
            screen->m_view->setParent(view());
        screen->m_view->setVisible(screen == top);
    }
    if (top)
        top->m_view->raise();
    layoutViews();
    updateBar();
}

QRect NavigationController::contentRect() const {
    const QRect area = m_view ? m_view->rect() : QRect();
    return m_navigationBarHidden ? area : area.adjusted(0, kBarHeight, 0, 0);
}

void NavigationController::layoutViews() {
    if (!isViewLoaded())
        return;
    m_bar->setGeometry(0, 0, m_view->width(), kBarHeight);
    m_bar->setVisible(!m_navigationBarHidden);
    m_bar->raise();
    for (ViewController* screen : std::as_const(m_stack)) {
        if (screen->isViewLoaded() && screen->m_view->parentWidget() == m_view)
            screen->m_view->setGeometry(contentRect());
    }
}

void NavigationController::updateBar() {
    if (!isViewLoaded())
        return;
    m_titleLabel->setText(topViewController() ? topViewController()->title() : QString());
    m_backButton->setVisible(m_stack.size() > 1);
}

void NavigationController::setNavigationBarHidden(bool hidden) {
    m_navigationBarHidden = hidden;
    layoutViews();
}

void NavigationController::pushViewController(ViewController* controller, bool animated) {
    if (!controller || m_stack.contains(controller))
        return;
    finishSlide(m_slide);
    ViewController* previous = topViewController();
    controller->setParent(this);
    controller->m_navigationController = this;
    m_stack.append(controller);
    if (!isViewLoaded())
        return;

    const bool onScreen = m_onScreen;
    QWidget* incoming = controller->view();
    const QRect area = contentRect();
    if (incoming->parentWidget() != view())
        incoming->setParent(view());
    incoming->setGeometry(area.translated(animated && onScreen ? area.width() : 0, 0));
    incoming->show();
    incoming->raise();
    m_bar->raise();
    updateBar();
    if (onScreen) {
        controller->viewWillAppear(animated);
        if (previous)
            previous->viewWillDisappear(animated);
    }
    const QPointer<ViewController> incomingGuard(controller);
    const QPointer<ViewController> previousGuard(previous);
    m_slide = slideView(incoming, area.topLeft(), animated && onScreen, [=] {
        if (previousGuard && previousGuard->isViewLoaded())
            previousGuard->m_view->hide();
        if (!onScreen)
            return;
        if (incomingGuard)
            incomingGuard->viewDidAppear(animated);
        if (previousGuard)
            previousGuard->viewDidDisappear(animated);
    });
}

ViewController* NavigationController::popViewControllerAnimated(bool animated) {
    if (m_stack.size() < 2)
        return nullptr;
    finishSlide(m_slide);
    ViewController* popped = m_stack.takeLast();
    ViewController* revealed = m_stack.last();
    if (!isViewLoaded() || !popped->isViewLoaded()) {
        popped->m_navigationController = nullptr;
        popped->deleteLater();
        return popped;
    }

    const bool onScreen = m_onScreen;
    QWidget* outgoing = popped->view();
    QWidget* beneath = revealed->view();
    if (beneath->parentWidget() != view())
        beneath->setParent(view());
    beneath->setGeometry(contentRect());
    beneath->stackUnder(outgoing);
    beneath->show();
    updateBar();
    if (onScreen) {
        popped->viewWillDisappear(animated);
        revealed->viewWillAppear(animated);
    }
    const QPointer<ViewController> poppedGuard(popped);
    const QPointer<ViewController> revealedGuard(revealed);
    m_slide = slideView(outgoing, contentRect().topLeft() + QPoint(contentRect().width(), 0),
                        animated && onScreen, [=] {
                            if (!poppedGuard)
                                return;
                            poppedGuard->m_view->hide();
                            if (onScreen) {
                                poppedGuard->viewDidDisappear(animated);
                                if (revealedGuard)
                                    revealedGuard->viewDidAppear(animated);
                            }
                            poppedGuard->m_navigationController = nullptr;
                            poppedGuard->deleteLater();
                        });
    return popped;
}

void NavigationController::viewWillAppear(bool animated) {
    m_onScreen = true;
    if (ViewController* top = topViewController())
        top->viewWillAppear(animated);
}

void NavigationController::viewDidAppear(bool animated) {
    if (ViewController* top = topViewController())
        top->viewDidAppear(animated);
}

void NavigationController::viewWillDisappear(bool animated) {
    if (ViewController* top = topViewController())
        top->viewWillDisappear(animated);
}

void NavigationController::viewDidDisappear(bool animated) {
    m_onScreen = false;
    if (ViewController* top = topViewController())
        top->viewDidDisappear(animated);
}

bool NavigationController::shouldAutorotate() const {
    const ViewController* top = topViewController();
    return top ? top->shouldAutorotate() : ViewController::shouldAutorotate();
}

unsigned NavigationController::supportedInterfaceOrientations() const {
    const ViewController* top = topViewController();
    return top ? top->supportedInterfaceOrientations() : ViewController::supportedInterfaceOrientations();
}

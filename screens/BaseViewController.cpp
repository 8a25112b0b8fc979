#include "screens/BaseViewController.h"

#include "platform/ImageView.h"

BaseViewController::BaseViewController(QObject* parent)
    : ViewController(parent) {}

bool BaseViewController::shouldAutorotateToInterfaceOrientation(InterfaceOrientation orientation) const {
    return orientation == InterfaceOrientation::Portrait;
}

bool BaseViewController::shouldAutorotate() const {
    return false;
}

unsigned BaseViewController::supportedInterfaceOrientations() const {
    return InterfaceOrientationMaskPortrait;
}

InterfaceOrientation BaseViewController::preferredInterfaceOrientationForPresentation() const {
    return InterfaceOrientation::Portrait;
}

void BaseViewController::viewDidLoad() {
    if (m_topBarImage)
        m_topBarImage->setCapInsets(QMargins(0, 0, 1, 42), ImageView::ResizingMode::Stretch);
}

void BaseViewController::viewDidUnload() {
    m_topBarImage = nullptr;
}

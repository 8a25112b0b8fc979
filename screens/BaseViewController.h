#pragma once

#include "platform/ViewController.h"

#include <QPointer>

#include "platform/ImageView.h"

// The base of every screen of the app: portrait only, and a top bar picture that stretches to the screen's
// width while its bottom 42 points and its rightmost point keep their size.
class BaseViewController : public ViewController {
    Q_OBJECT
public:
    explicit BaseViewController(QObject* parent = nullptr);

    ImageView* topBarImage() const { return m_topBarImage; }
    void setTopBarImage(ImageView* topBarImage) { m_topBarImage = topBarImage; }

    bool shouldAutorotateToInterfaceOrientation(InterfaceOrientation orientation) const override;
    bool shouldAutorotate() const override;
    unsigned supportedInterfaceOrientations() const override;
    InterfaceOrientation preferredInterfaceOrientationForPresentation() const override;

protected:
    // Subclasses call this at the end of their own viewDidLoad, once the outlets are set.
    void viewDidLoad() override;
    void viewDidUnload() override;

private:
    QPointer<ImageView> m_topBarImage;
};

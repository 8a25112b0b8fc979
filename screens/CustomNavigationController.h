#pragma once

#include "platform/NavigationController.h"

// The app's root container: it turns when its top screen allows it, and so stays in portrait while a
// screen of this app is on top.
class CustomNavigationController : public NavigationController {
    Q_OBJECT
public:
    using NavigationController::NavigationController;

    bool shouldAutorotate() const override { return true; }
};

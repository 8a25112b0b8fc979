#pragma once

// Orientations of the phone's screen, with the values the phone platform uses for them.
enum class InterfaceOrientation {
    Portrait = 1,
    PortraitUpsideDown = 2,
    LandscapeRight = 3,
    LandscapeLeft = 4
};

// Bit masks of orientations: bit n is orientation n.
enum InterfaceOrientationMask : unsigned {
    InterfaceOrientationMaskPortrait = 1u << 1,
    InterfaceOrientationMaskPortraitUpsideDown = 1u << 2,
    InterfaceOrientationMaskLandscapeRight = 1u << 3,
    InterfaceOrientationMaskLandscapeLeft = 1u << 4,
    InterfaceOrientationMaskAll = 30u,
};

#pragma once

#include "platform/AttributedLabel.h"
#include "storage/RatingState.h"

#include <optional>

// What the home screen's coffee-rating teaser shows for the member's rating allowance: ratable while the
// rating window is open, otherwise how many ratings are left.
struct RatingTeaser {
    bool ratable = false;
    QString title;
    AttributedString text;
    int textHeight = 18;
    QString buttonTitle;
    QString buttonImage;

    static RatingTeaser forState(const std::optional<RatingState>& state);
};

#pragma once

#include "sim/SimulatorData.h"

#include <QByteArray>

// The pictures the simulated service serves, drawn on request and returned as PNG bytes.
namespace PictureFactory {

constexpr int couponWidth = 436;
constexpr int couponHeight = 608;

QByteArray couponCard(const SimulatedCoupon& coupon);
QByteArray newsPicture(const SimulatedNewsItem& item);
QByteArray splashAdvert(const SimulatedSplash& splash);

} // namespace PictureFactory

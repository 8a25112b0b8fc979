#pragma once

#include "service/RedireCoupon.h"

#include <QPointer>
#include <QSharedPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <utility>

class FlipTransition;
namespace Ui {
class CouponView;
}

// One coupon as a card of the carousel: the picture with its faded reflection and, by the coupon's kind,
// a line of coupons left, a countdown to the expiry or a two-line sub-text; on the back, the coupon's
// text. A card is reused for coupon after coupon.
class CouponView : public QWidget, public RedireCouponLoading {
    Q_OBJECT
public:
    explicit CouponView(QWidget* parent = nullptr);
    ~CouponView() override;

    // The layout's two objects: the card (already awake) and the card's bottom view, both without parent.
    static std::pair<CouponView*, QWidget*> loadFromLayout();
    // The countdown line for the seconds left; an expiry that has passed reads as nothing left.
    static QString countdownText(double secondsLeft);

    void awakeFromNib();
    void setCoupon(const QSharedPointer<RedireCoupon>& coupon);
    QSharedPointer<RedireCoupon> coupon() const { return m_coupon; }
    void updateCoupon();
    void flip();
    void prepareForReuse();
    void imageLoaded(const QImage& image) override;
    void countdown();

    QWidget* viewBottom() const { return m_viewBottom; }
    void setViewBottom(QWidget* viewBottom) { m_viewBottom = viewBottom; }
    Ui::CouponView& ui() const { return *m_ui; }
    const QTimer& countdownTimer() const { return m_countdown; }
    bool isFlipping() const { return !m_flip.isNull(); }

private:
    void showPicture(const QImage& image);

    std::unique_ptr<Ui::CouponView> m_ui;
    QSharedPointer<RedireCoupon> m_coupon;
    QPointer<QWidget> m_viewBottom;
    QTimer m_countdown;
    QPointer<FlipTransition> m_flip;
};

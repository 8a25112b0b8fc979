#pragma once

#include <QPointer>
#include <QPushButton>
#include <QRectF>

#include "platform/ImageView.h"
#include <QLabel>

// A menu button with a count badge over its top right corner. The badge overhangs the button by 7 points,
// which a child widget could not do in Qt (children are clipped to their parent), so the badge lives beside
// the button in the same parent and follows it; its frame is still given in the button's coordinates.
class ButtonWithBadge : public QPushButton {
    Q_OBJECT
public:
    explicit ButtonWithBadge(QWidget* parent = nullptr);
    ~ButtonWithBadge() override;

    unsigned badgeCount() const { return m_badgeCount; }
    void setBadgeCount(unsigned count);
    bool isBig() const { return m_isBig; }
    void setIsBig(bool big);

    ImageView* badgeImageView() const { return m_badgeImageView; }
    QLabel* badgeCountLabel() const { return m_badgeCountLabel; }
    // The badge's frame in the button's coordinates.
    QRectF badgeFrame() const { return m_badgeFrame; }

protected:
    bool event(QEvent* event) override;

private:
    struct Variant;
    static const Variant& variantFor(bool big);
    void createBadge(const Variant& variant);
    void placeBadge();

    bool m_isBig = false;
    unsigned m_badgeCount = 0;
    QPointer<ImageView> m_badgeImageView;
    QPointer<QLabel> m_badgeCountLabel;
    QRectF m_badgeFrame;
};

#pragma once

#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QVariantAnimation>
#include <QWidget>

#include <functional>

// Turns a view over like a card: the view as it looks now rotates away about its vertical axis, and the
// view as it looks after the change rotates in. The view itself changes at once; while the pictures turn,
// its own content is hidden, and it comes back when the transition ends (or is deleted early).
class FlipTransition : public QWidget {
    Q_OBJECT
public:
    enum class From { Left, Right };

    static FlipTransition* run(QWidget* view, From from, int durationMs, const std::function<void()>& change);

    ~FlipTransition() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FlipTransition(QWidget* view, From from, const QPixmap& before, const QPixmap& after, int durationMs);

    QPixmap m_before;
    QPixmap m_after;
    From m_from;
    qreal m_progress = 0;
    QVariantAnimation m_animation;
    QList<QPointer<QWidget>> m_hiddenContent;
};

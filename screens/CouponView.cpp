#include "screens/CouponView.h"

#include "platform/ImageView.h"
#include "platform/SetSizes.h"
#include "screens/FlipTransition.h"
#include "ui_CouponView.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

constexpr int backTextMaxHeight = 250;
constexpr int flipDurationMs = 500;
const QString coffeeUniverse = QStringLiteral("KAFFE");

// Made once and shared by every card: the reflection under the back side never changes.
// Never destroyed: a picture must not outlive the application object.
const QPixmap& backReflection() {
    static const QPixmap* reflection =
        new QPixmap(QPixmap::fromImage(RedireCoupon::generateReflectionImageForImage(
            imageNamed(QStringLiteral("CouponBackside.png")).toImage(), 25)));
    return *reflection;
}

} // namespace

CouponView::CouponView(QWidget* parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::CouponView>()) {
    m_ui->setupUi(this);
    m_countdown.setInterval(1000);
    connect(&m_countdown, &QTimer::timeout, this, &CouponView::countdown);
}

CouponView::~CouponView() {
    if (m_coupon && m_coupon->delegate() == this)
        m_coupon->setDelegate(nullptr);
}

std::pair<CouponView*, QWidget*> CouponView::loadFromLayout() {
    auto* card = new CouponView;
    QWidget* bottom = card->m_ui->viewBottom;
    bottom->setParent(nullptr);
    card->awakeFromNib();
    return {card, bottom};
}

QString CouponView::countdownText(double secondsLeft) {
    const double left = std::max(secondsLeft, 0.0);
    const qint64 hours = qint64(left / 3600);
    const qint64 minutes = qint64(left / 60) % 60;
    const qint64 seconds = qint64(left) % 60;
    return QStringLiteral("%1t %2m %3s").arg(hours).arg(minutes).arg(seconds);
}

void CouponView::awakeFromNib() {
    m_ui->backReflectionImageView->setImage(backReflection());
    m_ui->backReflectionImageView->setAlpha(0.5);
    m_ui->frontReflectionImageView->setAlpha(0.5);
}

void CouponView::setCoupon(const QSharedPointer<RedireCoupon>& coupon) {
    if (m_coupon && m_coupon->delegate() == this)
        m_coupon->setDelegate(nullptr);
    m_coupon = coupon;
    if (m_coupon)
        m_coupon->setDelegate(this);
    updateCoupon();
}

void CouponView::updateCoupon() {
    m_ui->indicatorImage->startAnimating();
    m_countdown.stop();
    m_ui->labelSingleLine->hide();
    m_ui->labelTwoLines->hide();
    if (!m_coupon)
        return;

    QLabel* back = m_ui->labelBackText;
    back->setText(m_coupon->backCoverText());
    back->ensurePolished();
    const QRect measured = QFontMetrics(back->font())
                               .boundingRect(QRect(0, 0, back->width(), backTextMaxHeight),
                                             int(back->alignment()) | Qt::TextWordWrap, back->text());
    setHeight(back, std::min(measured.height(), backTextMaxHeight));

    // A reused card must not go on showing the previous coupon's picture while this one's loads.
    m_ui->imageCoupon->setImage({});
    m_ui->frontReflectionImageView->setImage({});
    const QByteArray bytes = m_coupon->image();
    if (!bytes.isEmpty())
        showPicture(QImage::fromData(bytes));

    switch (m_coupon->type()) {
    case 148:
        if (m_coupon->expirationDate().isValid()) {
            m_ui->labelSingleLine->show();
            countdown();
            m_countdown.start();
        }
        break;
    case 147:
        m_ui->labelSingleLine->show();
        m_ui->labelSingleLine->setText(QStringLiteral("Det er %1 kuponger igjen").arg(m_coupon->left()));
        break;
    case 145:
        m_ui->labelTwoLines->show();
        m_ui->labelTwoLines->setText(m_coupon->subText());
        break;
    default:
        break;
    }

    if (m_coupon->isFlipped()) {
        m_ui->viewFront->hide();
        m_ui->viewBack->show();
    }
    const bool coffee = m_coupon->universeString() == coffeeUniverse;
    m_ui->frontReflectionImageView->setVisible(!coffee);
    if (m_viewBottom)
        m_viewBottom->setVisible(!coffee);
}

void CouponView::showPicture(const QImage& image) {
    if (image.isNull())
        return;
    m_ui->imageCoupon->setImage(QPixmap::fromImage(image));
    m_ui->frontReflectionImageView->setImage(QPixmap::fromImage(m_coupon->reflectionImage()));
    m_ui->indicatorImage->stopAnimating();
}

void CouponView::imageLoaded(const QImage& image) {
    if (m_coupon)
        showPicture(image);
}

void CouponView::countdown() {
    if (!m_coupon)
        return;
    const QDateTime expiry = m_coupon->expirationDate();
    if (!expiry.isValid())
        return;
    m_ui->labelSingleLine->setText(countdownText(QDateTime::currentDateTime().msecsTo(expiry) / 1000.0));
}

void CouponView::flip() {
    if (!m_coupon || !m_coupon->isCanFlip())
        return;
    m_coupon->setFlipped(!m_coupon->isFlipped());
    delete m_flip; // a turn still running shows its end state first
    const bool frontShowing = !m_ui->viewFront->isHidden();
    m_flip =
        FlipTransition::run(this, frontShowing ? FlipTransition::From::Left : FlipTransition::From::Right,
                            flipDurationMs, [this, frontShowing] {
                                m_ui->viewFront->setHidden(frontShowing);
                                m_ui->viewBack->setHidden(!frontShowing);
                            });
}

void CouponView::prepareForReuse() {
    delete m_flip;
    if (m_ui->viewFront->isHidden()) {
        m_ui->viewFront->show();
        m_ui->viewBack->hide();
    }
}

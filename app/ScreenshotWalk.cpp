#include "app/ScreenshotWalk.h"

#include "app/KorvoAppDelegate.h"
#include "member/BirthdayViewController.h"
#include "platform/ActionSheet.h"
#include "platform/AlertView.h"
#include "platform/DebugLog.h"
#include "platform/MailComposeViewController.h"
#include "platform/Window.h"
#include "screens/CouponsViewController.h"
#include "screens/CouponView.h"
#include "screens/HomeViewController.h"
#include "screens/SplashViewController.h"
#include "service/RedireServer.h"
#include "sim/EmbeddedRedireService.h"
#include "storage/Database.h"
#include "ui_BirthdayViewController.h"
#include "ui_CouponsViewController.h"
#include "ui_CouponView.h"
#include "ui_HomeViewController.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMouseEvent>
#include <QTimer>

namespace {
const QString demoMobile = QStringLiteral("41234567");
const QString demoBirthday = QStringLiteral("24.12.1990");
const QString demoPostalCode = QStringLiteral("0150");
constexpr int patienceMs = 15000;
constexpr int pollMs = 50;

void closeAlerts() {
    for (AlertView* alert : AlertView::visibleAlerts())
        alert->dismissWithClickedButtonIndex(0);
}

CouponView* centredCard(const CouponsViewController* screen) {
    const Carousel* carousel = screen->ui().carousel;
    QWidget* item = carousel->itemViewAtIndex(carousel->currentItemIndex());
    return item ? item->findChild<CouponView*>() : nullptr;
}

// The fresh list is in and every card in sight shows its picture.
bool couponsShown(ViewController* screen) {
    const auto* coupons = qobject_cast<CouponsViewController*>(screen);
    if (!coupons || !coupons->isUpdated() || coupons->ui().carousel->isScrolling())
        return false;
    const Carousel* carousel = coupons->ui().carousel;
    for (const int index : carousel->indexesForVisibleItems()) {
        const CouponView* card = carousel->itemViewAtIndex(index)->findChild<CouponView*>();
        if (!card || card->ui().imageCoupon->image().isNull() || card->isFlipping())
            return false;
    }
    return true;
}
} // namespace

ScreenshotWalk::ScreenshotWalk(KorvoAppDelegate& delegate, EmbeddedRedireService& service,
                               const QString& directory)
    : m_delegate(delegate)
    , m_service(service)
    , m_directory(directory) {}

HomeViewController* ScreenshotWalk::home() const {
    const NavigationController* navigation = m_delegate.navCon();
    const auto* splash =
        navigation ? qobject_cast<SplashViewController*>(navigation->viewControllers().value(0)) : nullptr;
    return splash ? splash->homeViewController() : nullptr;
}

ViewController* ScreenshotWalk::presentedScreen() const {
    const NavigationController* navigation = m_delegate.navCon();
    if (!navigation)
        return nullptr;
    for (ViewController* screen : navigation->viewControllers()) {
        if (screen->presentedViewController())
            return screen->presentedViewController();
    }
    return navigation->presentedViewController();
}

bool ScreenshotWalk::settled() const {
    const ViewController* presented = presentedScreen();
    return !(presented && presented->isTransitioning()) && !(home() && home()->isTransitioning());
}

ScreenshotWalk::Step ScreenshotWalk::presenting(const QString& name, const std::function<void()>& tap) {
    return {name,
            [this, tap] {
                if (ViewController* open = presentedScreen())
                    open->dismissViewControllerAnimated(false);
                tap();
            },
            [this] { return presentedScreen() && settled(); }};
}

ScreenshotWalk::Step ScreenshotWalk::showingCoupons(const QString& name, const std::function<void()>& tap) {
    Step step = presenting(name, tap);
    step.reached = [this, presented = step.reached] {
        return presented() && couponsShown(presentedScreen());
    };
    return step;
}

BirthdayViewController* ScreenshotWalk::registrationScreen() const {
    return qobject_cast<BirthdayViewController*>(presentedScreen());
}

// The member registers through the registration screen, typing into its fields and pressing its buttons.
// The simulated service sends no SMS; the code is read where it keeps it, as a person reads the SMS.
QList<ScreenshotWalk::Step> ScreenshotWalk::registrationSteps() {
    const auto form = [this]() -> Ui::BirthdayViewController& { return registrationScreen()->ui(); };
    return {
        {QStringLiteral("registration-date-picker"),
         [this, form] {
             closeAlerts();
             form().mobileField->setText(demoMobile);
             QMouseEvent tap(QEvent::MouseButtonPress, QPointF(4, 4), QPointF(4, 4), Qt::LeftButton,
                             Qt::LeftButton, Qt::NoModifier);
             QCoreApplication::sendEvent(form().birthdayField, &tap);
             form().datePicker->setSelectedDate(
                 QDate::fromString(demoBirthday, QStringLiteral("dd.MM.yyyy")));
         },
         [this, form] {
             return registrationScreen()->isDatePickerShown() &&
                    form().datePickerView->geometry().bottom() <
                        form().datePickerView->parentWidget()->height();
         }},
        {QStringLiteral("registration-prefilled"),
         [this, form] {
             form().doneButton->click();
             form().postalCodeField->setText(demoPostalCode);
             form().passwordButton->click();
         },
         [this, form] {
             return !m_service.verificationCode(demoMobile).isEmpty() &&
                    !form().loadingIndicator->isAnimating() &&
                    form().datePickerView->y() >= form().datePickerView->parentWidget()->height();
         }},
        {QStringLiteral("registration-confirmation"),
         [this, form] {
             closeAlerts();
             form().passwordField->setText(m_service.verificationCode(demoMobile));
             form().registerButton->click();
         },
         [] { return !AlertView::visibleAlerts().isEmpty(); }},
        {QStringLiteral("registered"),
         [] { AlertView::visibleAlerts().first()->dismissWithClickedButtonIndex(1); },
         [this, form] {
             return RedireServer::sharedServer().isUserRegistered() &&
                    form().registeredScrollView->isVisible() && !form().loadingIndicator->isAnimating();
         }},
        {QStringLiteral("privacy"),
         [this] {
             closeAlerts();
             registrationScreen()->showPrivacy();
         },
         [this] {
             const ViewController* privacy = registrationScreen()->presentedViewController();
             return privacy && !privacy->isTransitioning();
         }},
    };
}

QList<ScreenshotWalk::Step> ScreenshotWalk::steps() {
    QList<Step> walk;
    walk.append({QStringLiteral("splash"), [] {}, [this] { return home() != nullptr; },
                 [this] { return m_delegate.navCon()->viewControllers().value(0)->view(); }});
    walk.append({QStringLiteral("registration"), [] {}, [this] { return presentedScreen() && settled(); }});
    walk.append(registrationSteps());
    walk.append({QStringLiteral("home"),
                 [this] {
                     registrationScreen()->presentedViewController()->dismissViewControllerAnimated(false);
                     registrationScreen()->ui().dismissButton->click();
                 },
                 [this] {
                     return RedireServer::sharedServer().isUserRegistered() &&
                            Database::shared().lastRatingState() &&
                            !Database::shared().fetchAllBadges().isEmpty() && settled() && !presentedScreen();
                 }});
    walk.append(menuSteps());
    walk.append({QStringLiteral("tell-a-friend"),
                 [this] {
                     if (ViewController* open = presentedScreen())
                         open->dismissViewControllerAnimated(false);
                     home()->showTips();
                 },
                 [] { return !ActionSheet::visibleSheets().isEmpty(); }});
    walk.append(
        {QStringLiteral("tell-a-friend-mail"),
         [] { ActionSheet::visibleSheets().first()->dismissWithClickedButtonIndex(0); },
         [this] { return qobject_cast<MailComposeViewController*>(presentedScreen()) && settled(); }});
    return walk;
}

QList<ScreenshotWalk::Step> ScreenshotWalk::menuSteps() {
    return {
        showingCoupons(QStringLiteral("loyalty-cards"), [this] { home()->loyaltyCardsButtonAction(); }),
        showingCoupons(QStringLiteral("promotions"), [this] { home()->promotionButtonAction(); }),
        showingCoupons(QStringLiteral("value-coupons"), [this] { home()->myCouponsButtonAction(); }),
        showingCoupons(QStringLiteral("first-to-the-store"), [this] { home()->competitionButtonAction(); }),
        {QStringLiteral("coupon-back"),
         [this] {
             auto* coupons = qobject_cast<CouponsViewController*>(presentedScreen());
             if (CouponView* card = coupons ? centredCard(coupons) : nullptr)
                 card->flip();
         },
         [this] { return couponsShown(presentedScreen()); }},
        presenting(QStringLiteral("news"), [this] { home()->newsButtonAction(); }),
        presenting(QStringLiteral("store-finder"), [this] { home()->storeFinderButtonAction(); }),
        presenting(QStringLiteral("coffee-rating"), [this] { home()->ratingButtonClick(); }),
        presenting(QStringLiteral("member"), [this] { home()->bottomBarAction(); }),
        presenting(QStringLiteral("info"), [this] { home()->showInfo(); }),
    };
}

void ScreenshotWalk::start() {
    m_directory.mkpath(QStringLiteral("."));
    m_steps = steps();
    QTimer::singleShot(0, this, [this] { runStep(0); });
}

void ScreenshotWalk::runStep(int index) {
    if (index >= m_steps.size()) {
        emit finished(m_missed.isEmpty());
        return;
    }
    const Step& step = m_steps.at(index);
    step.action();
    auto* poll = new QTimer(this);
    const QDeadlineTimer deadline(patienceMs);
    connect(poll, &QTimer::timeout, this, [this, poll, index, deadline] {
        const Step& current = m_steps.at(index);
        if (current.reached()) {
            poll->deleteLater();
            capture(current);
            runStep(index + 1);
        } else if (deadline.hasExpired()) {
            poll->deleteLater();
            m_missed.append(current.name);
            DebugLog::write(QStringLiteral("Screenshots: %1 was not reached").arg(current.name));
            emit finished(false);
        }
    });
    poll->start(pollMs);
}

void ScreenshotWalk::capture(const Step& step) {
    QWidget* subject = step.shot ? step.shot() : static_cast<QWidget*>(m_delegate.window());
    const QString path = m_directory.filePath(step.name + QStringLiteral(".png"));
    if (subject && subject->grab().save(path))
        m_written.append(path);
    else
        m_missed.append(step.name);
}

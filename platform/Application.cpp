#include "platform/Application.h"

#include "platform/NotificationCenter.h"

#include <QDesktopServices>
#include <QGuiApplication>

Application& Application::shared() {
    static Application application;
    return application;
}

Application::Application()
    : m_recordsOpenedUrls(qEnvironmentVariableIntValue("KORVO_TEST") == 1) {}

void Application::setApplicationIconBadgeNumber(int number) {
    m_badgeNumber = std::max(number, 0);
}

void Application::setApplicationState(State state) {
    if (state == m_state)
        return;
    const State previous = std::exchange(m_state, state);
    emit applicationStateChanged(state);
    NotificationCenter& center = NotificationCenter::defaultCenter();
    if (previous == State::Background)
        center.postNotification(ApplicationWillEnterForegroundNotification);
    if (state == State::Active)
        center.postNotification(ApplicationDidBecomeActiveNotification);
    if (state == State::Background)
        center.postNotification(ApplicationDidEnterBackgroundNotification);
}

void Application::followPlatformState() {
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
                     [this](Qt::ApplicationState state) {
                         switch (state) {
                         case Qt::ApplicationActive:
                             return setApplicationState(State::Active);
                         case Qt::ApplicationInactive:
                             return setApplicationState(State::Inactive);
                         default:
                             return setApplicationState(State::Background);
                         }
                     });
}

bool Application::openUrl(const QUrl& url) {
    if (!url.isValid() || url.isEmpty())
        return false;
    if (m_recordsOpenedUrls) {
        m_openedUrls.append(url);
        return true;
    }
    return QDesktopServices::openUrl(url);
}

bool Application::canOpenUrl(const QUrl& url) const {
    static const QStringList schemes = {QStringLiteral("http"),   QStringLiteral("https"),
                                        QStringLiteral("mailto"), QStringLiteral("tel"),
                                        QStringLiteral("sms"),    QStringLiteral("file")};
    const QString address = url.toString(QUrl::RemoveScheme);
    return url.isValid() && schemes.contains(url.scheme().toLower()) && !address.isEmpty() &&
           address != u"//";
}

void Application::setRecordsOpenedUrls(bool records) {
    m_recordsOpenedUrls = records;
}

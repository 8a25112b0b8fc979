#pragma once

#include "app/FacebookClient.h"
#include "finder/StoreAnnotation.h"
#include "platform/AlertView.h"

#include <QObject>
#include <QPointer>

#include <memory>

class BRHelper;
class FacebookSession;
#include "screens/CustomNavigationController.h"
#include <QWidget>
class Reachability;
class Window;

// The application delegate: starts the database, the picture cache, the push helper and the analytics
// session, watches the internet connection, shows the window with the root navigation, and keeps what many
// screens read: the connection status, the last known position and the offline banner.
class KorvoAppDelegate : public QObject, public FacebookClientDelegate {
    Q_OBJECT
public:
    KorvoAppDelegate();
    ~KorvoAppDelegate() override;

    // The delegate of the shared application, as screens reach it; nothing before one was made.
    static KorvoAppDelegate* shared();
    // Whether the app's delegate last saw an internet connection (no delegate: not connected).
    static bool isOnline();

    // Platform events
    bool applicationDidFinishLaunching();
    void applicationWillEnterForeground();
    void applicationDidBecomeActive();
    void applicationWillTerminate();
    unsigned supportedInterfaceOrientationsForWindow() const;

    void setup();
    void createCache(const QString& name);
    void showOfflineWarningInView(QWidget* view);
    void removeOfflineWarning();
    void facebookAuthorize();

    Window* window() const { return m_window.get(); }
    CustomNavigationController* navCon() const { return m_navCon; }
    QWidget* viewOfflineWarning() const { return m_viewOfflineWarning; }
    Reachability* internet() const { return m_internet; }
    int connectionStatus() const { return m_connectionStatus; }
    void setConnectionStatus(int status) { m_connectionStatus = status; }
    LocationCoordinate currentLocation() const { return m_currentLocation; }
    void setCurrentLocation(const LocationCoordinate& location) { m_currentLocation = location; }
    FacebookClient* facebook() const { return m_facebook; }
    BRHelper* parseHelper() const { return m_parseHelper; }

    // The older client's login events
    void fbDidLogin(const QString& accessToken, const QDateTime& expirationDate) override;
    void fbDidExtendToken(const QString& accessToken, const QDateTime& expiresAt) override;
    void fbDidLogout() override;
    void fbDidNotLogin(bool cancelled) override;
    void fbSessionInvalidated() override;

private:
    void storeFacebookAuthData(const QString& accessToken, const QDateTime& expiresAt);
    void removeFacebookAuthData();
    void connectionStatusChanged(const QVariant& monitor);
    void fbSessionStateChanged(FacebookSession* session, int state);
    void watchApplicationState();

    std::unique_ptr<Window> m_window;
    QPointer<CustomNavigationController> m_navCon;
    QPointer<QWidget> m_viewOfflineWarning;
    Reachability* m_internet = nullptr;
    int m_connectionStatus = 0;
    LocationCoordinate m_currentLocation;
    FacebookClient* m_facebook = nullptr;
    BRHelper* m_parseHelper = nullptr;
};

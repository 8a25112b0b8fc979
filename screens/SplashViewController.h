#pragma once

#include "platform/UrlConnection.h"
#include "screens/BaseViewController.h"

#include <QPixmap>
#include <QPointer>

#include <memory>

#include "screens/HomeViewController.h"
class ImageView;
namespace Ui {
class SplashViewController;
}

// The first screen: the start picture, then straight on to the home screen, with the registration screen
// over it for a member who has not registered. A splash advert that arrives is faded in first.
class SplashViewController : public BaseViewController, public UrlConnectionDelegate {
    Q_OBJECT
public:
    explicit SplashViewController(QObject* parent = nullptr);
    ~SplashViewController() override;

    static bool showRegisterAtStart();

    // Pushes the home screen once per process; later calls (an advert that arrives afterwards) do nothing.
    void showRoot();
    void showAd(const QPixmap& picture);
    ImageView* backgroundImageView() const;
    ImageView* adView() const;
    HomeViewController* homeViewController() const { return m_home; }

protected:
    QWidget* loadView() override;
    void viewDidLoad() override;

private:
    void advertismentLoaded(const QString& address);
    void connectionDidReceiveData(UrlConnection* connection, const QByteArray& data) override;
    void connectionDidFailWithError(UrlConnection* connection, const Error& error) override;
    void connectionDidFinishLoading(UrlConnection* connection) override;

    std::unique_ptr<Ui::SplashViewController> m_ui;
    QPointer<HomeViewController> m_home;
    std::unique_ptr<UrlConnection> m_advertDownload;
    QByteArray m_advertBytes;
};

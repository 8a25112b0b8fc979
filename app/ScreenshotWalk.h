#pragma once

#include <QDir>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class BirthdayViewController;
class EmbeddedRedireService;
class HomeViewController;
class KorvoAppDelegate;
class QWidget;
class ViewController;

// Walks through every screen of a freshly started app, the way a person would, and writes one PNG per
// screen into a directory. Each step acts, waits until its screen is there (or gives up after a while),
// and takes the picture; the walk then says whether every screen was reached.
class ScreenshotWalk : public QObject {
    Q_OBJECT
public:
    struct Step {
        QString name;                        // the picture's name, without ".png"
        std::function<void()> action;        // what the person does
        std::function<bool()> reached;       // the screen is there and settled
        std::function<QWidget*()> shot = {}; // what to photograph; the window when not given
    };

    ScreenshotWalk(KorvoAppDelegate& delegate, EmbeddedRedireService& service, const QString& directory);

    // Runs the walk on the event loop; finished() tells the outcome.
    void start();
    QStringList written() const { return m_written; }
    QStringList missed() const { return m_missed; }

signals:
    void finished(bool everyScreenReached);

private:
    QList<Step> steps();
    QList<Step> menuSteps();
    void runStep(int index);
    void capture(const Step& step);
    HomeViewController* home() const;
    ViewController* presentedScreen() const;
    bool settled() const;
    Step presenting(const QString& name, const std::function<void()>& tap);
    // Presenting a coupon carousel, reached once its cards show their pictures.
    Step showingCoupons(const QString& name, const std::function<void()>& tap);
    BirthdayViewController* registrationScreen() const;
    QList<Step> registrationSteps();

    KorvoAppDelegate& m_delegate;
    EmbeddedRedireService& m_service;
    QDir m_directory;
    QList<Step> m_steps;
    QStringList m_written;
    QStringList m_missed;
};

#include "platform/NavigationController.h"
#include "platform/ViewController.h"
#include "platform/Window.h"

#include <QTest>
#include <QWidget>

namespace {

// Writes every lifecycle call as "<name> <call>" to a log shared by the screens of one test.
class Screen : public ViewController {
public:
    Screen(QString name, QStringList* log)
        : m_name(std::move(name))
        , m_log(log) {}

    int loads = 0;
    int unloads = 0;
    std::function<void()> onLoad;
    unsigned orientations = InterfaceOrientationMaskAll;
    bool autorotates = true;

    void viewWillAppear(bool) override { m_log->append(m_name + " willAppear"); }
    void viewDidAppear(bool) override { m_log->append(m_name + " didAppear"); }
    void viewWillDisappear(bool) override { m_log->append(m_name + " willDisappear"); }
    void viewDidDisappear(bool) override { m_log->append(m_name + " didDisappear"); }
    unsigned supportedInterfaceOrientations() const override { return orientations; }
    bool shouldAutorotate() const override { return autorotates; }

protected:
    void viewDidLoad() override {
        ++loads;
        if (onLoad)
            onLoad();
    }
    void viewDidUnload() override { ++unloads; }

private:
    QString m_name;
    QStringList* m_log;
};

// The screen whose view is seen at a point of the window.
bool showsOnTop(Window& window, ViewController* screen) {
    for (QWidget* widget = window.childAt(160, 300); widget; widget = widget->parentWidget()) {
        if (widget == screen->view())
            return true;
    }
    return false;
}

} // namespace

class TestViewController : public QObject {
    Q_OBJECT

private slots:
    void viewLoadsOnceAndUnloads() {
        QStringList log;
        Screen screen(QStringLiteral("a"), &log);
        QVERIFY(!screen.isViewLoaded());
        QPointer<QWidget> view = screen.view();
        QCOMPARE(screen.view(), view.data());
        QCOMPARE(screen.loads, 1);
        QCOMPARE(view->size(), QSize(320, 568));
        screen.unloadView();
        QVERIFY(view.isNull());
        QCOMPARE(screen.unloads, 1);
        QVERIFY(screen.view());
        QCOMPARE(screen.loads, 2);
    }

    void presentAndDismissInOrder_data() {
        QTest::addColumn<bool>("animated");
        QTest::newRow("animated") << true;
        QTest::newRow("at once") << false;
    }

    void presentAndDismissInOrder() {
        QFETCH(bool, animated);
        QStringList log;
        Window window(480);
        Screen home(QStringLiteral("home"), &log);
        window.setRootViewController(&home);
        window.makeKeyAndVisible();
        QCOMPARE(log, (QStringList{"home willAppear", "home didAppear"}));
        log.clear();

        QPointer<Screen> modal = new Screen(QStringLiteral("modal"), &log);
        home.presentViewController(modal, animated, [&log] { log.append("presented"); });
        QCOMPARE(modal->parent(), &home);
        QCOMPARE(home.presentedViewController(), modal.data());
        QCOMPARE(modal->presentingViewController(), &home);
        QCOMPARE(modal->view()->parentWidget(), &window);
        if (animated) {
            QVERIFY(home.isTransitioning());
            QVERIFY(modal->view()->y() > 0);
            QCOMPARE(log, (QStringList{"modal willAppear", "home willDisappear"}));
            QVERIFY(QTest::qWaitFor([&] { return !home.isTransitioning(); }, 2000));
        }
        QCOMPARE(log, (QStringList{"modal willAppear", "home willDisappear", "modal didAppear",
                                   "home didDisappear", "presented"}));
        QCOMPARE(modal->view()->geometry(), window.rect());
        QVERIFY(showsOnTop(window, modal));
        log.clear();

        // A presented screen with nothing over it dismisses itself through its presenter.
        modal->dismissViewControllerAnimated(animated, [&log] { log.append("dismissed"); });
        QVERIFY(QTest::qWaitFor([&] { return !home.isTransitioning(); }, 2000));
        QCOMPARE(log, (QStringList{"modal willDisappear", "home willAppear", "modal didDisappear",
                                   "home didAppear", "dismissed"}));
        QVERIFY(!home.presentedViewController());
        QVERIFY(showsOnTop(window, &home));
        QTRY_VERIFY(modal.isNull());
    }

    void presentingFromCoveredScreenChains() {
        QStringList log;
        Window window(568);
        Screen home(QStringLiteral("home"), &log);
        window.setRootViewController(&home);
        window.makeKeyAndVisible();
        QPointer<Screen> first = new Screen(QStringLiteral("first"), &log);
        QPointer<Screen> second = new Screen(QStringLiteral("second"), &log);
        home.presentViewController(first, false);
        log.clear();

        home.presentViewController(second, true);
        QCOMPARE(second->presentingViewController(), first.data());
        QCOMPARE(second->parent(), first.data());
        QVERIFY(QTest::qWaitFor([&] { return !home.isTransitioning(); }, 2000));
        QCOMPARE(log, (QStringList{"second willAppear", "first willDisappear", "second didAppear",
                                   "first didDisappear"}));
        QVERIFY(showsOnTop(window, second));
        log.clear();

        // Dismissing from the bottom takes both away; only the one on top was seen.
        home.dismissViewControllerAnimated(false);
        QCOMPARE(log, (QStringList{"second willDisappear", "home willAppear", "second didDisappear",
                                   "home didAppear"}));
        QVERIFY(showsOnTop(window, &home));
        QTRY_VERIFY(first.isNull() && second.isNull());
    }

    void navigationPushesAndPopsInOrder() {
        QStringList log;
        Window window(568);
        auto* root = new Screen(QStringLiteral("root"), &log);
        NavigationController navigation(root);
        window.setRootViewController(&navigation);
        window.makeKeyAndVisible();
        QCOMPARE(log, (QStringList{"root willAppear", "root didAppear"}));
        QCOMPARE(root->parent(), &navigation);
        log.clear();

        QPointer<Screen> pushed = new Screen(QStringLiteral("pushed"), &log);
        pushed->setTitle(QStringLiteral("Nyheter"));
        navigation.pushViewController(pushed, true);
        QCOMPARE(pushed->parent(), &navigation);
        QCOMPARE(pushed->navigationController(), &navigation);
        QCOMPARE(navigation.topViewController(), pushed.data());
        QVERIFY(pushed->view()->x() > 0);
        QVERIFY(QTest::qWaitFor([&] { return !navigation.isTransitioning(); }, 2000));
        QCOMPARE(log, (QStringList{"pushed willAppear", "root willDisappear", "pushed didAppear",
                                   "root didDisappear"}));
        QCOMPARE(pushed->view()->geometry(), QRect(0, 44, 320, 568 - 44));
        QVERIFY(showsOnTop(window, pushed));
        QVERIFY(!root->view()->isVisible());
        log.clear();

        navigation.setNavigationBarHidden(true);
        QCOMPARE(pushed->view()->geometry(), window.rect());

        QCOMPARE(navigation.popViewControllerAnimated(true), pushed.data());
        QCOMPARE(navigation.viewControllers(), QList<ViewController*>{root});
        QVERIFY(QTest::qWaitFor([&] { return !navigation.isTransitioning(); }, 2000));
        QCOMPARE(log, (QStringList{"pushed willDisappear", "root willAppear", "pushed didDisappear",
                                   "root didAppear"}));
        QVERIFY(showsOnTop(window, root));
        QTRY_VERIFY(pushed.isNull());
        QVERIFY(!navigation.popViewControllerAnimated(false)); // the root stays
    }

    void presentingFromScreenUnderNavigationTopCoversTheTop() {
        QStringList log;
        Window window(568);
        auto* bottom = new Screen(QStringLiteral("bottom"), &log);
        auto* top = new Screen(QStringLiteral("top"), &log);
        NavigationController navigation(bottom);
        // As at start: the bottom screen pushes the next one and presents a screen while its view loads.
        auto* modal = new Screen(QStringLiteral("modal"), &log);
        bottom->onLoad = [&] {
            navigation.pushViewController(top, false);
            bottom->presentViewController(modal, false);
        };
        window.setRootViewController(&navigation);
        window.makeKeyAndVisible();
        QVERIFY(QTest::qWaitFor([&] { return !bottom->isTransitioning(); }, 2000));
        QCOMPARE(log, (QStringList{"top willAppear", "top didAppear", "modal willAppear", "top willDisappear",
                                   "modal didAppear", "top didDisappear"}));
        QCOMPARE(modal->view()->parentWidget(), &window);
        QVERIFY(showsOnTop(window, modal));
    }

    void orientationAnswers() {
        QStringList log;
        ViewController plain;
        QVERIFY(plain.shouldAutorotate());
        QCOMPARE(plain.supportedInterfaceOrientations(), unsigned(InterfaceOrientationMaskAll));
        QVERIFY(plain.shouldAutorotateToInterfaceOrientation(InterfaceOrientation::LandscapeLeft));
        QCOMPARE(plain.preferredInterfaceOrientationForPresentation(), InterfaceOrientation::Portrait);

        auto* portrait = new Screen(QStringLiteral("portrait"), &log);
        portrait->orientations = InterfaceOrientationMaskPortrait;
        portrait->autorotates = false;
        NavigationController navigation(new Screen(QStringLiteral("free"), &log));
        QCOMPARE(navigation.supportedInterfaceOrientations(), unsigned(InterfaceOrientationMaskAll));
        navigation.pushViewController(portrait, false);
        QCOMPARE(navigation.supportedInterfaceOrientations(), unsigned(InterfaceOrientationMaskPortrait));
        QVERIFY(!navigation.shouldAutorotate());
    }
};

QTEST_MAIN(TestViewController)
#include "tst_viewcontroller.moc"

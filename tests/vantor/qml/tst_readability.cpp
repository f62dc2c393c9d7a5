// Every screen readable on the device: the screen tour walks every screen the menus open, the run
// screen, the message boxes, the wait overlay, the display-board output screen and the LED mirror
// window, with the real application object, engine, device services and board, in each theme and
// language; every text shown must be whole, at least 12 px, clear of its neighbours, inside the
// 320 × 280 window and in a colour that stands out, and QML must say nothing.
#include "app/application.h"
#include "app/systemfonts.h"
#include "mainwindowfixture.h"
#include "testsupport/testmain.h"
#include "tour/motioncheck.h"
#include "tour/readabilitycheck.h"
#include "tour/screentour.h"

#include <QMutex>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {

QStringList s_warnings;
QtMessageHandler s_previousHandler = nullptr;
const ScreenTour* s_tour = nullptr;

void recordWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type >= QtWarningMsg) {
        // Worker threads warn too.
        static QMutex mutex;
        QMutexLocker locker(&mutex);
        const QString step = s_tour ? s_tour->currentStep() : QString();
        s_warnings << (step.isEmpty() ? message : step + QStringLiteral(": ") + message);
    }
    if (s_previousHandler)
        s_previousHandler(type, context, message);
}

// Records every warning of its lifetime, each with the tour's step under way.
class WarningRecorder
{
public:
    WarningRecorder()
    {
        s_warnings.clear();
        s_previousHandler = qInstallMessageHandler(recordWarning);
    }
    ~WarningRecorder()
    {
        qInstallMessageHandler(s_previousHandler);
        s_previousHandler = nullptr;
        s_tour = nullptr;
    }
    void follow(const ScreenTour* tour) { s_tour = tour; }
    QStringList warnings() const { return s_warnings; }
};

// Large bold texts are readable at 3:1 against their background.
constexpr double kMinimumContrast = 3.0;
constexpr int kMinimumPixelSize = 12;

} // namespace

class TestReadability : public QObject
{
    Q_OBJECT

private slots:
    void everyScreenIsReadable_data();
    void everyScreenIsReadable();
    void findsUnreadableTexts_data();
    void findsUnreadableTexts();
    void findsFaintGraphics_data();
    void findsFaintGraphics();
    void findsWhatMoves_data();
    void findsWhatMoves();

    void cleanup();

private:
    // Shows a small scene: a window of the device's size in the ground's colour holding the items.
    bool showScene(const QString& ground, const QString& items, QQuickWindow** window, QString* error);
    void verifyProblem(const QString& ground, const QString& items, const QString& problem);

    std::unique_ptr<QQmlEngine> m_sceneEngine;
    std::unique_ptr<QObject> m_scene;
};

void TestReadability::everyScreenIsReadable_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("language");
    for (const char* theme : { "dark", "light" }) {
        for (const char* language : { "en", "it", "de" })
            QTest::addRow("%s-%s", theme, language) << QString::fromLatin1(theme) << QString::fromLatin1(language);
    }
}

void TestReadability::everyScreenIsReadable()
{
    QFETCH(QString, theme);
    QFETCH(QString, language);
    // The program's own fonts: the texts must fit in what the device draws them with.
    Vl::Tavix3::UI::SystemFonts::load();
    WarningRecorder recorder;
    // The engine counts down and the command server reads remote text only with their threads.
    MainWindowFixture fixture(MainWindowFixture::Start::WorkerThreads);
    auto* engine = qmlEngine(fixture.app()->rootObject());
    QVERIFY(engine);
    // The stack's transitions take up to 400 ms each way; run in no time, they still leave every
    // screen where they would.
    auto* stack = fixture.window()->findChild<QQuickItem*>(QStringLiteral("stack"));
    QVERIFY(stack);
    for (const char* name : { "pushEnter", "pushExit", "popEnter", "popExit" }) {
        auto* transition = stack->property(name).value<QObject*>();
        QVERIFY(transition);
        for (QObject* animation : transition->findChildren<QObject*>()) {
            if (animation->property("duration").isValid())
                animation->setProperty("duration", 0);
        }
    }

    ScreenTour tour(engine, fixture.app()->rootObject());
    QString error;
    QVERIFY2(tour.load(&error), qPrintable(error));
    QVERIFY(tour.themes().contains(theme));
    QVERIFY(tour.languages().contains(language));
    recorder.follow(&tour);

    // The info bar's notices arrive at the engine's pace and slide over the status bar for a few
    // seconds, elided to the bar's width.
    const ReadabilityCheck check(kMinimumPixelSize, kMinimumContrast, { QStringLiteral("infoBar") });
    QStringList problems;
    QStringList views;
    const QStringList failures = tour.run(theme, language, [&](const QString& view, QQuickWindow* window) {
        views << view;
        if (!window) {
            problems << view + QStringLiteral(": no window");
            return;
        }
        for (const QString& problem : check.check(window))
            problems << view + QStringLiteral(": ") + problem;
    });
    recorder.follow(nullptr);

    // Everything at once: a step that fails, a warning, a text that cannot be read.
    const QStringList all = failures + recorder.warnings() + problems;
    // QtTest shortens a long message: the whole list goes to the log first.
    for (const QString& line : all)
        std::fprintf(stderr, "%s\n", qPrintable(line));
    QVERIFY2(all.isEmpty(), qPrintable(all.join(QLatin1Char('\n'))));
    QVERIFY(!views.isEmpty());
}

// The check itself finds each kind of unreadable text in a small scene of its own.
void TestReadability::findsUnreadableTexts_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("problem");
    const QString text = QStringLiteral("Text { objectName: \"probe\"; %1 }");
    QTest::newRow("readable") << text.arg(QStringLiteral("x: 10; y: 10; text: \"START\"; font.pixelSize: 20"))
                              << QString();
    QTest::newRow("elided") << text.arg(QStringLiteral("width: 40; text: \"EINSTELLUNGEN\"; elide: Text.ElideRight"))
                            << QStringLiteral("is elided");
    QTest::newRow("shrunk") << text.arg(QStringLiteral(
        "width: 60; height: 30; text: \"EINSTELLUNGEN\"; font.pixelSize: 20; fontSizeMode: Text.Fit; minimumPixelSize: "
        "4")) << QStringLiteral("is drawn at");
    QTest::newRow("small") << text.arg(QStringLiteral("text: \"Version\"; font.pixelSize: 11"))
                           << QStringLiteral("is drawn at 11 px");
    QTest::newRow("too wide") << text.arg(QStringLiteral("width: 50; text: \"Kein Fehlstart\"; font.pixelSize: 15"))
                              << QStringLiteral("wide in a room of 50");
    QTest::newRow("too high") << text.arg(
        QStringLiteral("width: 80; height: 20; text: \"Kein Fehlstart\"; font.pixelSize: 15; wrapMode: Text.WordWrap"))
                              << QStringLiteral("high in a room of 20");
    QTest::newRow("outside") << text.arg(QStringLiteral("x: 300; text: \"SETTINGS\"; font.pixelSize: 15"))
                             << QStringLiteral("runs outside the window");
    QTest::newRow("cut") << QStringLiteral("Item { width: 40; height: 40; clip: true; %1 }")
                                .arg(text.arg(QStringLiteral("x: 20; text: \"SETTINGS\"; font.pixelSize: 15")))
                         << QStringLiteral("is cut by");
    QTest::newRow("overlap") << text.arg(QStringLiteral("text: \"NO SETTINGS\"; font.pixelSize: 15"))
            + QStringLiteral(" Image { objectName: \"icon\"; x: 20; width: 48; height: 48; source: \"%1\" }")
                  .arg(QStringLiteral("qrc:/resources/Light/close.png"))
                             << QStringLiteral("overlaps");
    QTest::newRow("hidden") << text.arg(QStringLiteral("text: \"Version\"; font.pixelSize: 9"))
            + QStringLiteral(" Rectangle { anchors.fill: parent; color: \"#363636\" }")
                            << QString();
    const QString frame = QStringLiteral("Rectangle { x: 10; y: 10; width: 150; height: 60; color: \"transparent\"; "
                                         "border.width: 1; border.color: \"#363636\"; %1 }");
    const QString caption = QStringLiteral("anchors.fill: parent; text: \"KALIBRIERUNG STARTEN\"; font.pixelSize: 40; "
                                           "fontSizeMode: Text.Fit; minimumPixelSize: 12; horizontalAlignment: "
                                           "Text.AlignHCenter; verticalAlignment: Text.AlignVCenter; %1");
    QTest::newRow("touching its frame") << frame.arg(text.arg(caption.arg(QString())))
                                        << QStringLiteral("touches the frame of");
    QTest::newRow("clear of its frame") << frame.arg(
        text.arg(caption.arg(QStringLiteral("padding: 5; wrapMode: Text.WordWrap"))))
                                        << QString();
    // A control that cannot be used now is dimmed with its texts: judged at full strength.
    QTest::newRow("dimmed button") << QStringLiteral(
        "Rectangle { width: 150; height: 60; color: \"#363636\"; opacity: 0.5; %1 }")
                                          .arg(text.arg(QStringLiteral("anchors.centerIn: parent; text: \"START\"; "
                                                                       "font.pixelSize: 20; color: \"#e9dd2f\"")))
                                   << QString();
    QTest::newRow("faint") << QStringLiteral("Rectangle { anchors.fill: parent; color: \"#e9dd2f\"; %1 }")
                                  .arg(text.arg(
                                      QStringLiteral("text: \"12:00\"; font.pixelSize: 15; color: \"#eee230\"")))
                           << QStringLiteral("has a contrast of 1.0");
}

void TestReadability::findsUnreadableTexts()
{
    QFETCH(QString, items);
    QFETCH(QString, problem);
    verifyProblem(QStringLiteral("white"), items, problem);
}

// Icons, arcs and bars must stand out from what lies behind them: the ground of their screen, or a
// plate drawn under them.
void TestReadability::findsFaintGraphics_data()
{
    QTest::addColumn<QString>("ground");
    QTest::addColumn<QString>("items");
    QTest::addColumn<QString>("problem");
    const QString image
        = QStringLiteral("Image { objectName: \"probe\"; x: 10; y: 10; source: \"qrc:/resources/%1\"; %2 }");
    const QString bar = QStringLiteral("Rectangle { objectName: \"probe\"; x: 10; y: 10; width: 20; %1 }");
    const QString dark = QStringLiteral("#363636");
    const QString bright = QStringLiteral("#e9dd2f");
    const QString faint = QStringLiteral("stands out from #e9dd2f in 0%");
    QTest::newRow("icon of its theme") << bright << image.arg(QStringLiteral("Light/close.png"), QString())
                                       << QString();
    QTest::newRow("icon of the other theme")
        << bright << image.arg(QStringLiteral("Dark/close.png"), QString()) << faint;
    QTest::newRow("icon on a plate") << bright
                                     << QStringLiteral("Rectangle { width: 80; height: 80; color: \"#363636\" } ")
            + image.arg(QStringLiteral("Dark/close.png"), QString())
                                     << QString();
    // A dimmed icon is one that cannot be used now: judged at full strength.
    QTest::newRow("dimmed icon") << bright
                                 << image.arg(QStringLiteral("Light/close.png"), QStringLiteral("opacity: 0.2"))
                                 << QString();
    QTest::newRow("dimmed icon of the other theme")
        << bright << image.arg(QStringLiteral("Dark/close.png"), QStringLiteral("opacity: 0.2")) << faint;
    QTest::newRow("busy arc") << dark << image.arg(QStringLiteral("wait_b.png"), QString()) << QString();
    QTest::newRow("busy arc on the bright ground")
        << bright << image.arg(QStringLiteral("wait_b.png"), QString()) << faint;
    QTest::newRow("dark busy arc") << bright << image.arg(QStringLiteral("wait_b_dark.png"), QString()) << QString();
    QTest::newRow("bar") << dark << bar.arg(QStringLiteral("height: 60; color: \"yellow\"")) << QString();
    QTest::newRow("faint bar") << bright << bar.arg(QStringLiteral("height: 60; color: \"yellow\""))
                               << QStringLiteral("has a contrast of 1.3");
    QTest::newRow("framed bar") << bright
                                << bar.arg(QStringLiteral(
                                       "height: 60; color: \"yellow\"; border.width: 1; border.color: \"#363636\""))
                                << QString();
    QTest::newRow("faint line") << dark << bar.arg(QStringLiteral("height: 1; color: \"#404040\""))
                                << QStringLiteral("has a contrast of 1.2");
    // A see-through grid and discs keep the colours their design gives them.
    QTest::newRow("grid line") << dark << bar.arg(QStringLiteral("height: 1; color: \"#33a7a7a7\"")) << QString();
    QTest::newRow("disc") << bright << bar.arg(QStringLiteral("height: 20; radius: 10; color: \"#c2ba46\""))
                          << QString();
}

void TestReadability::findsFaintGraphics()
{
    QFETCH(QString, ground);
    QFETCH(QString, items);
    QFETCH(QString, problem);
    verifyProblem(ground, items, problem);
}

// A picture waits until nothing in its window moves: the check names what still does.
void TestReadability::findsWhatMoves_data()
{
    QTest::addColumn<QString>("items");
    QTest::addColumn<bool>("moving");
    // The items of each scene; %1 is a duration long enough never to end while the test looks.
    struct Scene
    {
        const char* name;
        const char* items;
        bool moving;
    };
    const Scene scenes[] = {
        { "still", "Rectangle { width: 20; height: 20 }", false },
        { "animation",
            "Rectangle { width: 20; height: 20; NumberAnimation on x { objectName: \"probe\"; to: 100; %1 } }", true },
        { "stopped animation",
            "Rectangle { width: 20; height: 20; NumberAnimation on x { to: 100; running: false; %1 } }", false },
        { "endless animation",
            "Rectangle { width: 20; height: 20; "
            "RotationAnimation on rotation { from: 0; to: 360; loops: Animation.Infinite; %1 } }",
            false },
        { "behaviour",
            "Rectangle { width: 20; height: 20; Behavior on x { NumberAnimation { objectName: \"probe\"; %1 } } "
            "Component.onCompleted: x = 100 }",
            true },
        { "transition",
            "Rectangle { id: box; width: 20; height: 20; "
            "states: State { name: \"right\"; PropertyChanges { target: box; x: 100 } } "
            "transitions: Transition { objectName: \"probe\"; NumberAnimation { properties: \"x\"; %1 } } "
            "Component.onCompleted: state = \"right\" }",
            true },
        { "hidden", "Rectangle { width: 20; height: 20; visible: false; NumberAnimation on x { to: 100; %1 } }",
            false },
        { "screen on its way",
            "StackView { objectName: \"probe\"; width: 100; height: 100; initialItem: Item {} "
            "pushEnter: Transition { NumberAnimation { property: \"x\"; from: 100; to: 0; %1 } } "
            "Component.onCompleted: push(Qt.createQmlObject(\"import QtQuick 2.15; Item {}\", this)) }",
            true },
        { "flicking view",
            "Flickable { objectName: \"probe\"; width: 100; height: 100; contentHeight: 100000; "
            "flickDeceleration: 1; Component.onCompleted: flick(0, -5000) }",
            true },
    };
    for (const Scene& scene : scenes) {
        QString items = QString::fromLatin1(scene.items);
        if (items.contains(QLatin1String("%1")))
            items = items.arg(QStringLiteral("duration: 600000"));
        QTest::newRow(scene.name) << items << scene.moving;
    }
}

void TestReadability::findsWhatMoves()
{
    QFETCH(QString, items);
    QFETCH(bool, moving);
    QQuickWindow* window = nullptr;
    QString error;
    QVERIFY2(showScene(QStringLiteral("white"), items, &window, &error), qPrintable(error));
    const QStringList found = MotionCheck::moving(window);
    if (!moving) {
        QCOMPARE(found, QStringList());
        return;
    }
    QVERIFY(!found.isEmpty());
    QVERIFY2(found.first().startsWith(QStringLiteral("probe ")), qPrintable(found.join(QLatin1Char('\n'))));
}

void TestReadability::cleanup()
{
    m_scene.reset();
    m_sceneEngine.reset();
}

bool TestReadability::showScene(const QString& ground, const QString& items, QQuickWindow** window, QString* error)
{
    Vl::Tavix3::UI::SystemFonts::load();
    m_sceneEngine = std::make_unique<QQmlEngine>();
    QQmlComponent component(m_sceneEngine.get());
    component.setData(QStringLiteral("import QtQuick 2.15; import QtQuick.Controls 2.15; import QtQuick.Window 2.15\n"
                                     "Window { width: 320; height: 280; color: \"%1\"; visible: true; %2 }")
                          .arg(ground, items)
                          .toUtf8(),
        QUrl());
    m_scene.reset(component.create());
    *window = qobject_cast<QQuickWindow*>(m_scene.get());
    if (!*window) {
        *error = component.errorString();
        return false;
    }
    if (!QTest::qWaitForWindowExposed(*window)) {
        *error = QStringLiteral("the window is not shown");
        return false;
    }
    return true;
}

// The check of a small scene in a window of the device's size: no problem at all, or one problem of
// the item named "probe".
void TestReadability::verifyProblem(const QString& ground, const QString& items, const QString& problem)
{
    QQuickWindow* window = nullptr;
    QString error;
    QVERIFY2(showScene(ground, items, &window, &error), qPrintable(error));
    const QStringList found = ReadabilityCheck(kMinimumPixelSize, kMinimumContrast).check(window);
    if (problem.isEmpty()) {
        QCOMPARE(found, QStringList());
        return;
    }
    QCOMPARE(found.size(), 1);
    QVERIFY2(found.first().startsWith(QStringLiteral("probe ")), qPrintable(found.first()));
    QVERIFY2(found.first().contains(problem), qPrintable(found.first()));
}

VANTOR_TEST_CLASS(TestReadability)
#include "tst_readability.moc"

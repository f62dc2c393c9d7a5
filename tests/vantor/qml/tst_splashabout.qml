import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The splash window of the start-up, which holds the main window back until it times out, and
// the about screen with the device's identity.
TestCase {
    id: testCase
    name: "SplashAbout"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    SignalSpy {
        id: timeoutSpy
        signalName: "timeout"
    }

    property var root: null

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function cleanup() {
        timeoutSpy.target = null
        timeoutSpy.clear()
        if (root) {
            root.controlWindow.visible = false
            helper.destroyRoot(root)
            root = null
        }
        helper.dispose()
        application.currentLanguage = OrvaneEnum.LANGUAGE_ENG
    }

    // Starts the interface as the application object does, the splash left as it is.
    function start(properties) {
        application.isCompleted = false
        var component = Qt.createComponent("qrc:/main.qml")
        root = component.createObject(null, properties === undefined ? {} : properties)
        verify(root !== null)
        return root.splashWindow
    }

    function test_splashHoldsTheMainWindowBack() {
        testSupport.resetWarnings()
        var splash = start()
        verify(splash !== null)
        timeoutSpy.target = splash
        verify(splash.isEnabled)
        compare(splash.timeoutInterval, 2000)
        verify(splash.visible)
        compare(splash.title, "Splash Window")
        compare(splash.modality, Qt.ApplicationModal)
        var logo = findChild(splash.contentItem, "splashLogo")
        compare(logo.x, 25)
        compare(logo.y, 25)
        compare(splash.width, logo.width + 50)
        compare(splash.height, logo.height + 50)
        compare(findChild(splash.contentItem, "splashVersion").text, "Version " + application.getVersionNumber())
        wait(300)
        verify(!root.controlWindow.visible)
        verify(!application.isCompleted)
        compare(timeoutSpy.count, 0)
        splash.timeoutInterval = 10
        tryVerify(function() { return root.controlWindow.visible }, 20000, "the main window is shown")
        verify(application.isCompleted)
        verify(!splash.visible)
        compare(timeoutSpy.count, 1)
        wait(100)
        compare(timeoutSpy.count, 1)
        compare(testSupport.warnings, [])
    }

    // Without the splash nothing would ever show the main window: it is shown at once.
    function test_disabledSplashShowsTheMainWindowAtOnce() {
        var splash = start({ "appSplash": false })
        timeoutSpy.target = splash
        verify(!splash.isEnabled)
        verify(!splash.visible)
        tryVerify(function() { return root.controlWindow.visible }, 20000, "the main window is shown")
        verify(application.isCompleted)
        wait(100)
        compare(timeoutSpy.count, 0)
        verify(!splash.visible)
    }

    function openAbout() {
        helper.create()
        var screen = helper.window.openScreen("qrc:/menu/About.qml", { "objectName": "About", "formTitle": "ABOUT" })
        verify(screen !== null)
        helper.waitForStack()
        return screen
    }

    function test_aboutShowsVersionAndBuildDate() {
        var screen = openAbout()
        var text = findChild(screen, "aboutText")
        compare(text.text, "Version: " + application.getVersionNumber() + "\nBuild Date: " + application.getAppBuildDate()
                + "\n")
        verify(text.readOnly)
        compare(text.wrapMode, Text.WrapAtWordBoundaryOrAnywhere)
        verify(findChild(screen, "backIcon").visible)
        helper.tap(findChild(screen, "backIcon"))
        helper.waitForStack()
        compare(helper.stack().depth, 1)
    }

    function test_aboutInItalian() {
        helper.create()
        application.currentLanguage = OrvaneEnum.LANGUAGE_ITA
        var screen = helper.window.openScreen("qrc:/menu/About.qml", { "objectName": "About", "formTitle": "ABOUT" })
        helper.waitForStack()
        compare(findChild(screen, "aboutText").text, "Versione: " + application.getVersionNumber()
                + "\nData di compilazione: " + application.getAppBuildDate() + "\n")
    }

    function test_osBuildDate_data() {
        return [
            { "tag": "eight characters", "value": "20240315", "shown": "15/03/2024" },
            { "tag": "seven characters", "value": "2024031", "shown": "2024031" },
            { "tag": "nine characters", "value": "202403150", "shown": "202403150" },
            { "tag": "eight characters, not all digits", "value": "2024-3-5", "shown": "2024-3-5" },
            { "tag": "empty", "value": "", "shown": "" }
        ]
    }

    function test_osBuildDate(data) {
        var screen = openAbout()
        compare(screen.formatOsBuildDate(data.value), data.shown)
    }

    function test_longTextScrollsToItsEnd() {
        var screen = openAbout()
        var text = findChild(screen, "aboutText")
        var flickable = findChild(screen, "aboutFlickable")
        var lines = ""
        for (var i = 0; i < 30; ++i)
            lines += "Line " + i + "\n"
        text.text = lines
        verify(flickable.contentHeight > flickable.height)
        tryVerify(function() { return Math.abs(flickable.contentY - (flickable.contentHeight - flickable.height)) < 1 },
                  3000, "scrolled to the end")
    }
}

import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The LED mirror window, which paints the frames the display board publishes, and the
// display-board output screen of the display-board mode.
TestCase {
    id: testCase
    name: "DisplayboardScreens"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    DateTimeUtil {
        id: clock
    }

    readonly property color off: "#363636"

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function init() {
        helper.create()
        testSupport.resetWarnings()
    }

    function cleanup() {
        helper.dispose()
        application.displayboardMode = OrvaneEnum.COUNTDOWN_MODE
        application.displayboardOutput = ""
    }

    function mirror() {
        return helper.root.winDisplayboard
    }

    function lamp(index) {
        return mirror().lamps.itemAt(index).lampColor
    }

    function frame(codes) {
        var pixels = []
        for (var i = 0; i < 768; ++i)
            pixels.push(i < codes.length ? codes[i] : DisplayboardEnum.DISP_COLOR_OFF)
        return pixels
    }

    function compareLamps(expected) {
        for (var i = 0; i < expected.length; ++i)
            verify(Qt.colorEqual(lamp(i), expected[i]), "lamp " + i + " is " + lamp(i) + ", not " + expected[i])
    }

    function test_mirrorWindowOpensBesideTheMainWindow() {
        var window = mirror()
        verify(window !== null)
        compare(window.title, "Displayboard")
        // The height the opener hands in does not change the size.
        compare(window.width, 1000)
        compare(window.height, 380)
        compare(window.x, helper.window.x + helper.window.width)
        compare(window.lamps.count, 768)
        // Lamp i is child i of the grid's cells: column i mod 48, row i div 48.
        var first = window.lamps.itemAt(0)
        var second = window.lamps.itemAt(1)
        var below = window.lamps.itemAt(48)
        compare(second.y, first.y)
        verify(second.x > first.x)
        compare(below.x, first.x)
        verify(below.y > first.y)
        compare(first.width, (1000 - 10 - 3 * 48) / 48)
        compareLamps([off, off])
        compare(testSupport.warnings, [])
    }

    function test_framesPaintTheLamps() {
        displayboard.setMatrix(0, frame([DisplayboardEnum.DISP_COLOR_RED, DisplayboardEnum.DISP_COLOR_GREEN,
                                         DisplayboardEnum.DISP_COLOR_YELLOW, DisplayboardEnum.DISP_COLOR_BLUE,
                                         DisplayboardEnum.DISP_COLOR_WHITE, 5, 6, DisplayboardEnum.DISP_COLOR_OFF]))
        compareLamps(["#CC3333", "#99CC00", "#d29730", "#3366CC", "#FFFFFF", off, off, off])

        // A shorter list repaints only the lamps it covers; a longer one only the lamps there are.
        displayboard.setMatrix(0, [DisplayboardEnum.DISP_COLOR_OFF, DisplayboardEnum.DISP_COLOR_WHITE])
        compareLamps([off, "#FFFFFF", "#d29730", "#3366CC", "#FFFFFF"])
        var longer = frame([DisplayboardEnum.DISP_COLOR_GREEN])
        for (var i = 0; i < 40; ++i)
            longer.push(DisplayboardEnum.DISP_COLOR_RED)
        longer[767] = DisplayboardEnum.DISP_COLOR_BLUE
        displayboard.setMatrix(0, longer)
        compareLamps(["#99CC00", off, off])
        verify(Qt.colorEqual(lamp(767), "#3366CC"))
        compare(testSupport.warnings, [])
    }

    function test_aLaterFrameWaitsForItsTime() {
        var window = mirror()
        var timer = findChild(window, "frameTimer")
        displayboard.setMatrix(clock.getDateTime() + 20 * DateTimeUtil.QMIL1 * 10,
                               frame([DisplayboardEnum.DISP_COLOR_RED]))
        compareLamps([off])
        verify(timer.running)
        tryVerify(function() { return Qt.colorEqual(lamp(0), "#CC3333") }, 20000)
        verify(!timer.running)
        compare(window.nextPixelData, undefined)

        // A frame for a time already past is shown at once.
        displayboard.setMatrix(clock.getDateTime() - DateTimeUtil.QSEC1, frame([DisplayboardEnum.DISP_COLOR_GREEN]))
        compareLamps(["#99CC00"])
        verify(!timer.running)
    }

    function test_aNewerFrameReplacesOneStillWaiting() {
        var window = mirror()
        displayboard.setMatrix(clock.getDateTime() + DateTimeUtil.QMIN1, frame([DisplayboardEnum.DISP_COLOR_RED]))
        displayboard.setMatrix(0, frame([DisplayboardEnum.DISP_COLOR_BLUE]))
        compareLamps(["#3366CC"])
        compare(window.nextTime, undefined)
        wait(50)
        compareLamps(["#3366CC"])
    }

    function test_closingTheMirrorDestroysIt() {
        mirror().close()
        tryVerify(function() { return helper.root.winDisplayboard === null }, 20000)
        displayboard.setMatrix(0, frame([DisplayboardEnum.DISP_COLOR_RED]))
        compare(testSupport.warnings, [])
    }

    function openOutput() {
        application.displayboardOutput = "OLD"
        application.displayboardMode = OrvaneEnum.DISPLAYBOARD_MODE
        waitForRendering(helper.current())
        helper.tap(findChild(helper.current(), "menuIcon_NewSessionMenuForm"))
        tryVerify(function() { return helper.stack().depth === 2 }, 20000)
        helper.waitForStack()
        return helper.current()
    }

    function test_outputScreenClearsTextAndBoard() {
        var screen = openOutput()
        compare(screen.objectName, "NewSessionMenuForm")
        compare(screen.formTitle, "NEW SESSION")
        verify(application.isInTimingMenu)
        compare(application.displayboardOutput, "")
        compare(displayboard.calls, ["reset()"])
        compare(findChild(screen, "timeLabel").text, "TIME")
        compare(screen.runningTime.text, "")
        verify(!findChild(screen, "backIcon").visible)

        application.displayboardOutput = "12:34"
        compare(screen.runningTime.text, "12:34")
        compare(testSupport.warnings, [])

        // Leaving clears the board again and ends the timing mark.
        helper.window.menuPressed()
        helper.waitForStack()
        compare(helper.stack().depth, 1)
        compare(displayboard.calls, ["reset()", "reset()"])
        verify(!application.isInTimingMenu)
    }

    function test_closeIconRestsAfterANewText() {
        var screen = openOutput()
        var close = findChild(screen, "closeIcon")
        compare(screen.guardTimer.interval, 1500)
        screen.guardTimer.interval = 100
        application.displayboardOutput = "1"
        verify(!close.enabled)
        compare(close.opacity, 0.2)
        helper.tap(close)
        wait(20)
        compare(helper.current(), screen)
        tryVerify(function() { return close.enabled }, 20000)
        compare(close.opacity, 1)
        helper.tap(close)
        helper.waitForStack()
        compare(helper.stack().depth, 1)
        verify(!application.isInTimingMenu)
    }

    function test_settingsIconOpensTheRaceSettings() {
        var screen = openOutput()
        helper.tap(findChild(screen, "settingsTouch"))
        helper.waitForStack()
        compare(helper.current().objectName, "settingsForm")
        compare(helper.current().formParam, "RACE")
        compare(testSupport.warnings, [])
    }

    function test_remoteTextOpensTheScreenOutsideTimingScreens() {
        application.showDisplayboardOutputMenu()
        helper.waitForStack()
        var screen = helper.current()
        compare(screen.objectName, "NewSessionMenuForm")
        verify(application.isInTimingMenu)
        // Already in a timing screen: nothing more opens.
        application.showDisplayboardOutputMenu()
        helper.waitForStack()
        compare(helper.stack().depth, 2)
    }
}

import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The technician's screens: the service test settings, the single LED test and the timing-base
// calibration screens with their menu.
TestCase {
    id: testCase
    name: "ServiceTestScreens"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    readonly property int off: DisplayboardEnum.DISP_COLOR_OFF
    readonly property int red: DisplayboardEnum.DISP_COLOR_RED
    readonly property int green: DisplayboardEnum.DISP_COLOR_GREEN
    readonly property int blue: DisplayboardEnum.DISP_COLOR_BLUE
    readonly property int white: DisplayboardEnum.DISP_COLOR_WHITE

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function init() {
        helper.create()
        testSupport.resetWarnings()
    }

    function cleanup() {
        helper.dispose()
        testSupport.useFake("sema")
        testSupport.useFake("displayboard")
        application.isInTestMenu = false
    }

    function open(url, title, properties) {
        var initial = { "objectName": "", "formTitle": title, "formMenuTitle": title, "pageSource": "", "formParam": "" }
        for (var key in properties)
            initial[key] = properties[key]
        var screen = helper.window.openScreen(url, initial)
        verify(screen !== null, url)
        helper.waitForStack()
        return screen
    }

    // --- service test settings ---

    function openTestSettings() {
        var screen = open("qrc:/menu/TestSettings.qml", "TEST SETTINGS", { "objectName": "TestSettingsForm" })
        return screen
    }

    function ids(screen) {
        var list = []
        for (var i = 0; i < screen.settingsCount; ++i)
            list.push(screen.settingsModel.get(i).id)
        return list
    }

    function showPageOf(screen, id) {
        var index = ids(screen).indexOf(id)
        verify(index >= 0, "page " + id)
        screen.showPage(index)
        return findChild(screen, id)
    }

    function tapButtonOf(screen, id) {
        helper.tap(findChild(showPageOf(screen, id), "buttonTouch"))
    }

    function test_testSettingsPages() {
        displayboard.calls = []
        var screen = openTestSettings()
        verify(application.isInTestMenu)
        compare(displayboard.calls, ["reset()"])
        compare(ids(screen), ["RecoveryMode", "isSingleLedTest", "isShowingLedTest", "BatteryCalibration",
                              "MeMenuOscillatorCalibration"])
        var types = ["button", "buttonUrl", "bool", "button", "buttonUrl"]
        var titles = ["Recovery mode", "Single LED test", "Continuous LED test", "Battery calibration",
                      "Oscillator Calibration"]
        for (var i = 0; i < types.length; ++i) {
            compare(screen.settingsModel.get(i).type, types[i])
            compare(screen.settingsModel.get(i).title, titles[i])
        }
        compare(screen.formTitle, "TEST SETTINGS")
        compare(screen.formSubTitle, "1/5 Recovery mode")
        screen.showPage(3)
        compare(screen.formSubTitle, "4/5 Battery calibration")
        compare(testSupport.warnings, [])
        displayboard.calls = []
        helper.window.menuPressed()
        helper.waitForStack()
        compare(displayboard.calls, ["reset()"])
        verify(!application.isInTestMenu)
    }

    function test_continuousSwitchShowsTheEngine_data() {
        return [{ "tag": "running", "running": true }, { "tag": "stopped", "running": false }]
    }
    function test_continuousSwitchShowsTheEngine(data) {
        sema.isShowingLedTest = data.running
        var screen = openTestSettings()
        compare(screen.settingsModel.get(2).value, data.running ? 1 : 0)
        compare(showPageOf(screen, "isShowingLedTest").checked, data.running)
    }

    function test_continuousSwitchStartsAndStopsTheTest() {
        testSupport.useReal("sema")
        testSupport.useReal("displayboard")
        sema.isShowingLedTest = false
        var screen = openTestSettings()
        var item = showPageOf(screen, "isShowingLedTest")
        helper.tap(item, item.width - 10, item.height / 2)
        verify(sema.isShowingLedTest)
        item = showPageOf(screen, "isShowingLedTest")
        verify(item.checked)
        helper.tap(item, 10, item.height / 2)
        verify(!sema.isShowingLedTest)
    }

    // The single LED test stops the continuous one; back on the service test settings the switch
    // shows it stopped, on the page it was on.
    function test_switchFollowsTheSingleLedTest() {
        testSupport.useReal("sema")
        testSupport.useReal("displayboard")
        sema.isShowingLedTest = true
        var screen = openTestSettings()
        verify(showPageOf(screen, "isShowingLedTest").checked)
        screen.showPage(1)
        tapButtonOf(screen, "isSingleLedTest")
        tryVerify(function() { return helper.current() !== screen }, 20000)
        helper.waitForStack()
        compare(helper.current().formTitle, "Single LED test")
        press(helper.current(), "btnRed")
        verify(!sema.isShowingLedTest)
        compare(testSupport.displayboardPixel(0, 0), red)
        helper.window.menuPressed()
        helper.waitForStack()
        compare(helper.current(), screen)
        compare(screen.page, 1)
        compare(screen.settingsModel.get(2).value, 0)
        verify(!showPageOf(screen, "isShowingLedTest").checked)
        displayboard.reset()
    }

    function test_recoveryModeButton() {
        var screen = openTestSettings()
        systemHw.calls = []
        tapButtonOf(screen, "RecoveryMode")
        compare(systemHw.calls, ["bootToRecoveryMode"])
        compare(helper.current(), screen)
    }

    function test_batteryCalibration_data() {
        return [{ "tag": "refused", "allowed": false }, { "tag": "allowed", "allowed": true }]
    }
    function test_batteryCalibration(data) {
        var colour = application.displayboardTimeColor
        var screen = openTestSettings()
        systemHw.calls = []
        systemHw.batteryCalibrationAllowed = data.allowed
        displayboard.calls = []
        tapButtonOf(screen, "BatteryCalibration")
        compare(systemHw.calls, ["activateBatteryCalibration"])
        if (data.allowed) {
            compare(application.displayboardTimeColor, DisplayboardEnum.DISP_COLOR_WHITE)
            verify(!application.isInTestMenu)
            compare(displayboard.calls, ["reset()", "drawCornice"])
        } else {
            compare(application.displayboardTimeColor, colour)
            verify(application.isInTestMenu)
            compare(displayboard.calls, [])
        }
        application.displayboardTimeColor = colour
    }

    function test_oscillatorCalibrationOpensItsMenu() {
        var screen = openTestSettings()
        tapButtonOf(screen, "MeMenuOscillatorCalibration")
        tryVerify(function() { return helper.current() !== screen }, 20000)
        helper.waitForStack()
        var menu = helper.current()
        compare(menu.formTitle, "Oscillator Calibration")
        compare(menu.pageSource, "qrc:/menudata/MenuOscillatorCalibrationModel.qml")
        compare(menu.modelCount, 2)
        verify(application.isInTestMenu, "still in the service test menu")
    }

    // --- single LED test ---

    function openLedTest() {
        return open("qrc:/menu/LedSingleTest.qml", "Single LED test")
    }

    function press(screen, name) {
        helper.tap(findChild(screen, name))
    }

    function test_ledTestButtons() {
        var screen = openLedTest()
        compare(screen.objectName, "")
        var names = ["btnRed", "btnGreen", "btnBlue", "btnSingleDriver", "btnReset"]
        var captions = ["Red", "Green", "Blue", "Single Driver", "Reset"]
        for (var i = 0; i < names.length; ++i) {
            var button = findChild(screen, names[i])
            compare(button.width, 90)
            compare(button.height, 60)
            compare(findChild(button, "caption").text, captions[i])
        }
        displayboard.calls = []
        press(screen, "btnRed")
        press(screen, "btnGreen")
        press(screen, "btnBlue")
        press(screen, "btnReset")
        compare(displayboard.calls, ["fillRed", "fillGreen", "fillBlue", "reset()"])
    }

    function test_singleDriverStepsThroughTheSixteenGroups() {
        var screen = openLedTest()
        displayboard.calls = []
        var expected = []
        for (var i = 0; i < 17; ++i) {
            press(screen, "btnSingleDriver")
            expected.push("fillSingleDrivers(" + (i % 16) + ")")
        }
        compare(displayboard.calls, expected)
        press(screen, "btnSingleDriver")
        press(screen, "btnRed")
        press(screen, "btnSingleDriver")
        compare(displayboard.calls.slice(17), ["fillSingleDrivers(1)", "fillRed", "fillSingleDrivers(0)"])
    }

    // With the real engine and board: a button stops the continuous test before its pattern is
    // drawn, so the pattern stays on the board.
    function test_aButtonStopsTheContinuousTest_data() {
        return [
            { "tag": "red", "button": "btnRed", "pixels": [[0, 0, red], [47, 15, red]] },
            { "tag": "green", "button": "btnGreen", "pixels": [[0, 0, green], [47, 15, green]] },
            { "tag": "blue", "button": "btnBlue", "pixels": [[0, 0, blue], [47, 15, blue]] },
            { "tag": "driver 0", "button": "btnSingleDriver", "pixels": [[0, 0, white], [1, 7, white], [17, 0, white],
                                                                         [33, 7, white], [2, 0, off], [0, 8, off]] },
            { "tag": "reset", "button": "btnReset", "pixels": [[0, 0, off], [47, 15, off]] }
        ]
    }
    function test_aButtonStopsTheContinuousTest(data) {
        testSupport.useReal("sema")
        testSupport.useReal("displayboard")
        var screen = openLedTest()
        sema.isShowingLedTest = true
        verify(sema.isShowingLedTest)
        press(screen, data.button)
        verify(!sema.isShowingLedTest)
        for (var i = 0; i < data.pixels.length; ++i) {
            var pixel = data.pixels[i]
            compare(testSupport.displayboardPixel(pixel[0], pixel[1]), pixel[2], pixel[0] + "," + pixel[1])
        }
        displayboard.reset()
    }

    // --- calibration ---

    function test_calibrationMenu() {
        var menu = open("qrc:/menu/MenuPage.qml", "Oscillator Calibration",
                        { "pageSource": "qrc:/menudata/MenuOscillatorCalibrationModel.qml" })
        compare(menu.modelCount, 2)
        compare(menu.menuModel.get(0).name, "TestOscillatorCalibration")
        compare(menu.menuModel.get(0).text, "Test Timing Base Calibration")
        compare(menu.menuModel.get(1).name, "ExecuteOscillatorCalibration")
        compare(menu.menuModel.get(1).page, "ExecuteOscillatorCalibration.qml")
        helper.tap(findChild(menu, "menuIcon_ExecuteOscillatorCalibration"))
        tryVerify(function() { return helper.current().objectName === "ExecuteOscillatorCalibration" }, 20000)
        var screen = helper.current()
        compare(screen.formTitle, "Execute Timing Base Calibration")
        compare(findChild(screen, "infoString").text, "Press button to start calibration")
        helper.window.menuPressed()
        helper.waitForStack()
        helper.tap(findChild(menu, "menuIcon_TestOscillatorCalibration"))
        tryVerify(function() { return helper.current().objectName === "TestOscillatorCalibration" }, 20000)
        compare(findChild(helper.current(), "infoString").text, "Press button to start the test")
    }

    function openCalibration(execution) {
        return open(execution ? "qrc:/menu/ExecuteOscillatorCalibration.qml" : "qrc:/menu/TestOscillatorCalibration.qml",
                    "Calibration")
    }

    function caption(screen) {
        return findChild(screen, "buttonText").text
    }

    function test_calibrationRun_data() {
        return [
            { "tag": "test", "execution": false, "start": "START TEST", "stop": "STOP TEST", "call": "checkCalibration" },
            { "tag": "execution", "execution": true, "start": "START CALIBRATION", "stop": "STOP CALIBRATION",
              "call": "execCalibration" }
        ]
    }
    function test_calibrationRun(data) {
        var screen = openCalibration(data.execution)
        var bar = findChild(screen, "ppTimer")
        compare(screen.timeRemaning, -1)
        compare(caption(screen), data.start)
        verify(!bar.visible)
        verify(!screen.countdown.running)
        compare(bar.width, 300)
        compare(bar.height, 3)
        helper.tap(findChild(screen, "button"))
        compare(gps.calls, [data.call])

        gps.calibMessage("Running")
        gps.calibDuration(40)
        compare(findChild(screen, "infoString").text, "Running")
        compare(screen.timeRemaning, 40)
        compare(bar.maxValue, 40)
        compare(bar.value, 0)
        compare(caption(screen), data.stop)
        verify(bar.visible)
        verify(screen.countdown.running)
        compare(screen.countdown.interval, 1000)

        screen.countdown.triggered()
        screen.countdown.triggered()
        compare(screen.timeRemaning, 38)
        compare(bar.value, 2)
        compare(findChild(bar, "bar").width, 300 * 2 / 40)

        helper.tap(findChild(screen, "button"))
        compare(gps.calls, [data.call, "stopCalibration"])
        gps.calibDuration(-1)
        compare(screen.timeRemaning, -1)
        compare(bar.maxValue, 40)
        compare(caption(screen), data.start)
        verify(!bar.visible)
        verify(!screen.countdown.running)
        gps.calls = []
        helper.tap(findChild(screen, "button"))
        compare(gps.calls, [data.call])
    }

    function test_calibrationEndsWithoutADuration() {
        var screen = openCalibration(true)
        gps.calibDuration(20)
        screen.countdown.triggered()
        gps.calibMessage("Done")
        gps.calibDuration(undefined)
        compare(screen.timeRemaning, 19)
        compare(findChild(screen, "ppTimer").maxValue, 20)
        compare(findChild(screen, "infoString").text, "Done")
    }

    function test_aDurationOfZeroDrawsAnEmptyBar() {
        var screen = openCalibration(false)
        gps.calibDuration(0)
        var bar = findChild(screen, "ppTimer")
        compare(bar.maxValue, 0)
        compare(screen.timeRemaning, 0)
        compare(findChild(bar, "bar").width, 0)
        compare(caption(screen), "STOP TEST")
        screen.countdown.triggered()
        compare(screen.timeRemaning, 0, "the count stays at 0")
        compare(testSupport.warnings, [])
    }

    // The GPS service reports its countdown every second with the duration it started with; those
    // reports must not put the screen's count back to the start.
    function test_theServiceRepeatingItsDurationKeepsTheCount() {
        var screen = openCalibration(true)
        gps.calibDuration(30)
        screen.countdown.triggered()
        gps.calibDuration(30)
        screen.countdown.triggered()
        gps.calibDuration(30)
        compare(screen.timeRemaning, 28)
        compare(findChild(screen, "ppTimer").value, 2)
        gps.calibDuration(0)
        compare(screen.timeRemaning, 0)
        gps.calibDuration(-1)
        gps.calibDuration(30)
        compare(screen.timeRemaning, 30, "a new calibration starts from its duration")
    }

    function test_leavingStopsTheCalibration() {
        var screen = openCalibration(true)
        gps.calibDuration(30)
        gps.calls = []
        helper.window.menuPressed()
        helper.waitForStack()
        compare(gps.calls, ["stopCalibration"])
        verify(!screen || !screen.countdown || !screen.countdown.running)
    }
}

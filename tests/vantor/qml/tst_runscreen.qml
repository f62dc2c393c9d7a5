import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The run screen against a recording engine: what it does when it opens, the start-time and
// repetition pages, starting, pausing and stopping, following the engine, and remote starts.
TestCase {
    id: testCase
    name: "RunScreen"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    readonly property int manual: 0
    readonly property int auto: 1
    readonly property int autoStart: 2
    readonly property int minute: 3000000

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function init() {
        helper.create()
        testSupport.resetWarnings()
    }

    function cleanup() {
        helper.dispose()
        application.isInTimingMenu = false
    }

    function openFromMenu(mode, sequence) {
        sema.sequenceMode = mode
        sema.calls = []
        var screen = helper.window.openScreen("qrc:/menu/HandleSequence.qml", {
            "objectName": sequence === undefined ? "0" : sequence, "formTitle": "ALPINE SKI", "formParam": "" })
        verify(screen !== null)
        helper.waitForStack()
        waitForRendering(screen)
        return screen
    }

    function tapRight(screen) {
        helper.tap(findChild(screen, "rightIcon"))
    }

    function tapLeft(screen) {
        helper.tap(findChild(screen, "leftIcon"))
    }

    function between(list, first, last) {
        return list.slice(list.indexOf(first), list.lastIndexOf(last) + 1)
    }

    function test_openingInAuto() {
        var expectedBefore = nextMinute()
        var screen = openFromMenu(auto)
        var expectedAfter = nextMinute()
        var calls = sema.calls
        compare(calls[0], "lock")
        compare(calls[1], "initSema")
        compare(calls[2], "setSequenceType(0)")
        compare(calls[3], "repetitionTime=" + application.getRepetitionTime())
        verify(calls[4] === "startTime=" + expectedBefore || calls[4] === "startTime=" + expectedAfter, calls[4])
        compare(calls[calls.length - 1], "unlock")
        compare(sema.lockDepth, 0)
        compare(displayboard.calls, ["reset()"])
        verify(application.isInTimingMenu)
        compare(screen.page, 0)
        compare(screen.setTime.time, sema.startTime)
        compare(screen.setRepetition.time, sema.repetitionTime)
        compare(screen.setRepetition.minTime, sema.minRepetitionTime)
        compare(screen.formSubTitle, "1/2 TIME")
        compare(screen.formTitle, "ALPINE SKI")
        verify(screen.isRunScreen)
        verify(!findChild(screen, "backIcon").visible)
        compare(testSupport.warnings, [])
    }

    function nextMinute() {
        var now = new Date()
        var ms = now.getHours() * 3600000 + now.getMinutes() * 60000 + now.getSeconds() * 1000 + now.getMilliseconds()
        return (1 + Math.floor(ms / 60000)) * minute
    }

    function test_autoFlowStartsOnPageTwo() {
        var screen = openFromMenu(auto)
        screen.setTime.changeMinutes(true)
        var chosen = screen.setTime.time
        tapRight(screen)
        compare(screen.page, 1)
        compare(sema.startTime, chosen)
        verify(sema.startDate > 0)
        compare(sema.startDate % (24 * 60 * minute), 0)
        compare(screen.formSubTitle, "2/2 REPETITION (" + (application.repetitionTimeIndex + 1) + ")")
        screen.setRepetition.time = 60 * 50000
        tapRight(screen)
        compare(sema.repetitionTime, 60 * 50000)
        compare(screen.page, 2)
        verify(sema.sequenceStatus)
        compare(sema.calls.filter(function(call) { return call === "sequenceStatus=true" }).length, 1)
        compare(screen.formSubTitle, "RUNNING")
    }

    function test_repetitionBelowTheMinimumStaysOnThePage() {
        var screen = openFromMenu(auto)
        sema.minRepetitionTime = 20 * 50000
        screen.setRepetition.minTime = sema.minRepetitionTime
        tapRight(screen)
        screen.setRepetition.time = 10 * 50000
        tapRight(screen)
        compare(screen.page, 1)
        verify(sema.calls.indexOf("displayRepetitionTimeIsNotValid") >= 0)
        verify(!sema.sequenceStatus)
    }

    function test_backFromTheRepetitionPage() {
        var screen = openFromMenu(auto)
        tapRight(screen)
        compare(screen.page, 1)
        tapLeft(screen)
        compare(screen.page, 0)
    }

    function test_editingTheRepetitionWritesTheEngineAtOnce() {
        var screen = openFromMenu(auto)
        screen.page = 1
        var before = screen.setRepetition.time
        screen.setRepetition.changeSeconds(true)
        compare(sema.repetitionTime, before + 50000)
    }

    function test_repetitionArrows() {
        var screen = openFromMenu(auto)
        screen.page = 1
        waitForRendering(screen)
        var index = application.repetitionTimeIndex
        sema.repetitionTime = 45 * 50000
        helper.tap(findChild(screen, "nextRepetition"))
        verify(application.repetitionTimeIndex !== index)
        compare(screen.setRepetition.time, 45 * 50000)
        sema.minRepetitionTime = 50 * 50000
        helper.tap(findChild(screen, "previousRepetition"))
        verify(sema.calls.indexOf("displayRepetitionTimeIsNotValid") >= 0)
    }

    function test_editRepetitionWhileRunning() {
        var screen = openFromMenu(auto)
        screen.page = 2
        sema.isOff = false
        waitForRendering(screen)
        helper.tap(findChild(screen, "editRepetition"))
        compare(screen.page, 3)
        compare(screen.formSubTitle, "EDIT REPETITION (" + (application.repetitionTimeIndex + 1) + ")")
        verify(!findChild(screen, "rightIcon").visible)
        sema.minRepetitionTime = 20 * 50000
        screen.setRepetition.minTime = sema.minRepetitionTime
        screen.setRepetition.time = 10 * 50000
        tapLeft(screen)
        compare(screen.page, 3)
        verify(sema.calls.indexOf("displayRepetitionTimeIsNotValid") >= 0)
        screen.setRepetition.time = 30 * 50000
        tapLeft(screen)
        compare(screen.page, 2)
    }

    function test_manualStartAndPause() {
        var screen = openFromMenu(manual)
        compare(screen.page, 2)
        compare(screen.formSubTitle, "PAUSE")
        compare(findChild(screen, "rightIcon").source, "qrc:/resources/Dark/ok.png")
        // The armed sequence counts as running: showing the page does not start it again.
        compare(sema.calls.indexOf("sequenceStatus=true"), -1)
        sema.calls = []
        tapRight(screen)
        compare(sema.calls, ["setSequenceStatus(true)", "setActivationTime(false)"])
        verify(!sema.isOff)
        compare(screen.formSubTitle, "RUNNING")
        compare(findChild(screen, "rightIcon").source, "qrc:/resources/Dark/pause.png")
        sema.calls = []
        tapRight(screen)
        compare(sema.calls, ["changePause"])
        verify(sema.isOff)
        // Paused in manual mode, the next OK starts a new countdown.
        sema.calls = []
        tapRight(screen)
        compare(sema.calls, ["setSequenceStatus(true)", "setActivationTime(false)"])
    }

    function test_pauseAndResumeInAuto() {
        var screen = openFromMenu(auto)
        screen.page = 2
        verify(!sema.isOff)
        compare(findChild(screen, "rightIcon").source, "qrc:/resources/Dark/pause.png")
        screen.txtSemaTime.text = "-3"
        sema.calls = []
        tapRight(screen)
        compare(sema.calls, ["changePause"])
        compare(screen.txtSemaTime.text, "")
        compare(findChild(screen, "rightIcon").source, "qrc:/resources/Dark/ok.png")
        tapRight(screen)
        compare(sema.calls, ["changePause", "changePause"])
    }

    function test_leavingStopsTheSequence() {
        var screen = openFromMenu(auto)
        screen.page = 2
        verify(sema.sequenceStatus)
        sema.calls = []
        displayboard.calls = []
        tapLeft(screen)
        helper.waitForStack()
        compare(helper.current().objectName, "initialPage")
        compare(sema.calls, ["lock", "sequenceStatus=false", "unlock", "loadSavedData"])
        compare(displayboard.calls, ["reset()"])
        verify(!application.isInTimingMenu)
    }

    function test_menuKeyLeavesToo() {
        openFromMenu(manual)
        sema.calls = []
        keyClick(Qt.Key_Menu)
        helper.waitForStack()
        compare(helper.current().objectName, "initialPage")
        compare(sema.calls[0], "lock")
        verify(sema.calls.indexOf("loadSavedData") > 0)
    }

    function test_followsTheEngine() {
        var screen = openFromMenu(manual)
        sema.isOff = false
        sema.timeChanged("  09:41:20 ")
        compare(screen.timeOfDay.text, "09:41:20")
        sema.semaTimeChanged("   -5")
        compare(screen.txtSemaTime.text, "-5")
        verify(screen.txtSemaTime.visible)
        sema.semaGreenChanged(true)
        sema.semaRedChanged(false)
        sema.semaYellowChanged(false)
        verify(screen.semaGreen.isOn)
        verify(!screen.semaRed.isOn)
        tryCompare(screen.semaGreen, "opacity", 1)
        sema.isOff = true
        verify(!screen.txtSemaTime.visible)
        compare(screen.formSubTitle, "PAUSE")
    }

    function test_customSequenceFromAFile() {
        if (SemaEnum.SEMA_SEQUENCE_CUSTOM === undefined)
            skip("needs the sequence enumerations of the engine")
        openFromMenu(auto, "/data/Custom/Sequence_1.json")
        compare(sema.calls[2], "setCustomSequenceFromFile(/data/Custom/Sequence_1.json)")
        compare(sema.calls[3], "setSequenceType(" + SemaEnum.SEMA_SEQUENCE_CUSTOM + ")")
    }

    // A file that cannot be read must not run the custom table loaded before: the screen closes.
    function test_unreadableCustomFileRunsNothing_data() {
        return [ { "tag": "manual", "mode": manual }, { "tag": "auto", "mode": auto } ]
    }

    function test_unreadableCustomFileRunsNothing(data) {
        sema.customFileLoads = false
        sema.sequenceMode = data.mode
        sema.calls = []
        helper.window.openScreen("qrc:/menu/HandleSequence.qml", {
            "objectName": "/data/Custom/Broken.json", "formTitle": "Broken", "formParam": "" })
        tryCompare(helper.stack(), "depth", 1)
        verify(sema.calls.indexOf("setCustomSequenceFromFile(/data/Custom/Broken.json)") >= 0)
        verify(!sema.sequenceStatus)
        for (var i = 0; i < sema.calls.length; ++i)
            verify(sema.calls[i].indexOf("setSequenceType(") !== 0, sema.calls[i])
        verify(!application.isInTimingMenu)
    }

    function test_autoStartOpensOnTheListChoice() {
        if (SemaEnum.SEQUENCE_MODE_AUTOSTART === undefined)
            skip("needs the sequence enumerations of the engine")
        sema.startListName = "Race 1"
        sema.bibNumber = "7"
        var screen = openFromMenu(autoStart)
        compare(screen.page, 4)
        compare(screen.formSubTitle, "GET LIST FROM")
        compare(findChild(screen, "currentList").text, "Current list: Race 1")
        tapRight(screen)
        compare(screen.page, 2)
        verify(sema.sequenceStatus)
        compare(findChild(screen, "followingLabel").text, "NEXT START (7)")
        tapLeft(screen)
        compare(screen.page, 4)
        helper.tap(findChild(screen, "usbButton"))
        tryVerify(function() { return helper.current().objectName === "ImportStartingListForm" }, 20000)
        compare(helper.current().formParam, "USB")
    }

    function test_settingsIcon() {
        var screen = openFromMenu(manual)
        helper.tap(findChild(screen, "settingsIcon"))
        helper.waitForStack()
        var settings = helper.current()
        compare(settings.formParam, "RACE")
        compare(settings.formTitle, "SETTINGS")
        compare(testSupport.warnings, [])
    }

    function test_remoteOpen() {
        application.showHandleSequenceMenu(0)
        helper.waitForStack()
        var screen = helper.current()
        verify(screen.isRunScreen)
        compare(screen.objectName, "0")
        compare(screen.formTitle, "ALPINE SKI")
        compare(screen.formMenuTitle, "Sequence")
        compare(screen.formParam, "2")
        compare(screen.page, 2)
        compare(sema.calls.filter(function(call) { return call.indexOf("setSequenceType") === 0 }), [])
        compare(sema.calls.filter(function(call) { return call.indexOf("startTime=") === 0 }), [])
        compare(sema.calls.indexOf("sequenceStatus=true"), -1)
        compare(displayboard.calls, ["reset(false)"])
        verify(application.isInTimingMenu)
    }

    // A remote start while the run screen is covered by another screen goes back to the run
    // screen and leaves the other screen's properties alone.
    function test_remoteStartFindsTheRunScreenUnderAnotherScreen() {
        var runScreen = openFromMenu(auto)
        compare(runScreen.page, 0)
        var other = helper.window.openScreen("qrc:/qmltest/PagedScreen.qml", { "objectName": "settingsForm",
                                                                               "formTitle": "SETTINGS" })
        helper.waitForStack()
        other.page = 3
        application.showHandleSequenceMenu(1)
        // The other screen is on its way out (and gone once its transition ends).
        compare(other.page, 3)
        compare(other.formTitle, "SETTINGS")
        compare(other.poppingCount, 1)
        helper.waitForStack()
        compare(helper.current(), runScreen)
        compare(runScreen.page, 2)
        compare(runScreen.formTitle, "SEQUENCE 1")
        compare(runScreen.opacity, 1)
        verify(runScreen.visible)
        compare(helper.stack().depth, 2)
    }

    function test_remoteStartOnTheRunScreen() {
        var runScreen = openFromMenu(auto)
        application.showHandleSequenceMenu(0)
        helper.waitForStack()
        compare(helper.current(), runScreen)
        compare(helper.stack().depth, 2)
        compare(runScreen.page, 2)
    }

    function test_remoteStartWithoutARunScreenOpensOne() {
        application.isInTimingMenu = true
        application.showHandleSequenceMenu(0)
        helper.waitForStack()
        verify(helper.current().isRunScreen)
        compare(helper.stack().depth, 2)
    }

    function test_remoteStop() {
        var runScreen = openFromMenu(auto)
        runScreen.page = 2
        helper.window.openScreen("qrc:/qmltest/PagedScreen.qml", { "objectName": "settingsForm" })
        helper.waitForStack()
        sema.calls = []
        displayboard.calls = []
        application.hideHandleSequenceMenu()
        helper.waitForStack()
        compare(helper.stack().depth, 1)
        compare(helper.current().objectName, "initialPage")
        compare(helper.current().opacity, 1)
        verify(helper.current().visible)
        verify(sema.calls.indexOf("sequenceStatus=false") >= 0)
        compare(displayboard.calls, ["reset()", "reset()"])
        verify(!application.isInTimingMenu)
        verify(!helper.find("waitOverlay").visible)
    }

    function test_remoteStopOutsideTheRunScreenDoesNothing() {
        application.hideHandleSequenceMenu()
        compare(displayboard.calls, [])
    }
}

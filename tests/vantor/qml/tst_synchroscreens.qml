import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The synchronisation menu and its three screens: setting the clock on a captured start impulse,
// the GPS mode and time zone, and the satellite view.
TestCase {
    id: testCase
    name: "SynchroScreens"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    readonly property real day: 4320000000
    readonly property int startKey: 5

    // Local wall-clock ticks of a date and time of day.
    function ticksOf(year, month, dayOfMonth, hours, minutes, seconds) {
        return Date.UTC(year, month - 1, dayOfMonth, hours, minutes, seconds) * 50
    }

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function init() {
        helper.create()
        application.isSynchronized = false
        application.isAmbrel = false
        testSupport.resetWarnings()
    }

    function cleanup() {
        helper.dispose()
        testSupport.resetClock()
        testSupport.useFake("gps")
        testSupport.setAmbrelSynchronized(false)
        application.isInSynchroMenu = false
        application.isCheckSynchro = false
        application.isSynchronized = false
        application.isAmbrel = false
    }

    function open(url, title) {
        var screen = helper.window.openScreen(url, { "objectName": "screen", "formTitle": title, "pageSource": "" })
        verify(screen !== null, url)
        helper.waitForStack()
        return screen
    }

    function openSynchro() {
        return open("qrc:/menu/Synchro.qml", "Set Synchronization")
    }

    function tapRight(screen) {
        helper.tap(findChild(screen, "rightIcon"))
    }

    function tapLeft(screen) {
        helper.tap(findChild(screen, "leftIcon"))
    }

    function iconName(image) {
        var source = "" + image.source
        return source.substring(source.lastIndexOf("/") + 1, source.lastIndexOf("."))
    }

    // --- the menu ---

    function test_mainMenuOpensTheSynchronisationMenu() {
        helper.tap(findChild(helper.current(), "menuIcon_SynchMenuForm"))
        tryVerify(function() { return helper.current().objectName === "SynchMenuForm" }, 20000)
        var menu = helper.current()
        compare(menu.formTitle, "SYNCHRONIZATION")
        compare(menu.pageSource, "qrc:/menudata/MenuSynchroModel.qml")
        compare(menu.modelCount, 3)
        compare(testSupport.warnings, [])
    }

    function test_menuEntries_data() {
        return [{ "tag": "free", "ambrel": false }, { "tag": "partner synchronisation", "ambrel": true }]
    }
    function test_menuEntries(data) {
        application.isAmbrel = data.ambrel
        var menu = helper.window.openScreen("qrc:/menu/MenuPage.qml", {
            "objectName": "SynchMenuForm", "formTitle": "SYNCHRONIZATION", "pageSource": "qrc:/menudata/MenuSynchroModel.qml" })
        helper.waitForStack()
        compare(menu.modelCount, 3)
        var names = ["Synchronization", "GPS", "GPSSatellites"]
        var pages = ["qrc:/menu/Synchro.qml", "qrc:/menu/GPS.qml", "qrc:/menu/GPSSatellites.qml"]
        for (var i = 0; i < 3; ++i) {
            compare(menu.menuModel.get(i).name, names[i])
            compare(menu.menuModel.get(i).page, pages[i])
            compare(findChild(menu, "menuIcon_" + names[i]).enabled, !data.ambrel, names[i])
        }
        // The soft hyphen lets the caption break the long word.
        compare(menu.menuModel.get(0).text, "Set Synchro\u00ADnization")
        helper.tap(findChild(menu, "menuIcon_GPS"))
        if (data.ambrel) {
            wait(600)
            compare(helper.current(), menu)
        } else {
            tryVerify(function() { return helper.current().objectName === "GPS" }, 20000)
            compare(helper.current().formTitle, "GPS & Time Zone")
        }
    }

    // --- the synchronisation screen ---

    function test_presetIsTheStartOfTheNextMinute_data() {
        return [
            { "tag": "10:15:40", "now": ticksOf(2026, 3, 14, 10, 15, 40), "time": [10, 16, 0], "date": [14, 3, 2026] },
            { "tag": "on the minute", "now": ticksOf(2026, 3, 14, 10, 15, 0), "time": [10, 16, 0], "date": [14, 3, 2026] },
            { "tag": "new year's eve", "now": ticksOf(2025, 12, 31, 23, 59, 30), "time": [0, 0, 0], "date": [1, 1, 2026] }
        ]
    }
    function test_presetIsTheStartOfTheNextMinute(data) {
        testSupport.setClock(data.now)
        var screen = openSynchro()
        compare(screen.setTime.time, (data.time[0] * 3600 + data.time[1] * 60 + data.time[2]) * 50000)
        compare([screen.setDate.day, screen.setDate.month, screen.setDate.year], data.date)
        verify(application.isInSynchroMenu)
        verify(!application.isCheckSynchro)
        compare(screen.page, 0)
        compare(screen.formSubTitle, "1/3 TIME")
        compare(screen.formTitle, "Set Synchronization")
        compare(testSupport.warnings, [])
    }

    function test_captureIsArmedOnlyOnTheStartPage() {
        var screen = openSynchro()
        var left = findChild(screen, "leftIcon")
        var right = findChild(screen, "rightIcon")
        compare(iconName(left), "close")
        compare(iconName(right), "arrowRight")
        tapRight(screen)
        compare(screen.page, 1)
        compare(screen.formSubTitle, "2/3 DATE")
        verify(!application.isCheckSynchro)
        compare(iconName(left), "arrowLeft")
        tapRight(screen)
        compare(screen.page, 2)
        compare(screen.formSubTitle, "3/3")
        verify(application.isCheckSynchro)
        compare(iconName(right), "close")
        compare(findChild(screen, "lblInfo").text, "WAIT START")
        tapLeft(screen)
        compare(screen.page, 1)
        verify(!application.isCheckSynchro, "stepping back disarms the capture")
        verify(application.isInSynchroMenu, "other inputs stay dropped")
        tapRight(screen)
        verify(application.isCheckSynchro)
        tapRight(screen)
        helper.waitForStack()
        verify(helper.current() !== screen, "the close icon on the last page leaves")
        verify(!application.isCheckSynchro)
        verify(!application.isInSynchroMenu)
        compare(application.isSynchronized, false)
    }

    function test_closeFromTheFirstPage() {
        var screen = openSynchro()
        tapLeft(screen)
        helper.waitForStack()
        compare(helper.current().objectName, "initialPage")
        verify(!application.isInSynchroMenu)
    }

    function test_startButtonIsTheStartKey() {
        var screen = openSynchro()
        screen.page = 2
        var button = findChild(screen, "btnStart")
        mousePress(button)
        compare(eventGenerator.calls, [startKey + ":true"])
        mouseRelease(button)
        compare(eventGenerator.calls, [startKey + ":true", startKey + ":false"])
    }

    function test_captureSetsTheClockAndCloses() {
        var screen = openSynchro()
        screen.setTime.changeMinutes(true)
        var time = screen.setTime.time
        screen.page = 2
        verify(application.isCheckSynchro)
        sema.calls = []
        application.synchroEvent(1, 1234567)
        var info = findChild(screen, "lblInfo")
        tryCompare(info, "text", "SYNCHRONIZATION\nDONE!")
        // The green and red of the dark theme's texts.
        verify(Qt.colorEqual(info.color, "#3cb371"))
        verify(application.isSynchronized)
        verify(!findChild(screen, "btnStart").enabled)
        compare(sema.calls, ["setSemaOff", "startSequenceCyclic"])
        compare(screen.setTime.time, time)
        var timer = screen.tmrShow
        verify(timer.running)
        compare(timer.interval, 2000)
        compare(timer.repeat, false)
        timer.stop()
        timer.triggered()
        helper.waitForStack()
        compare(helper.current().objectName, "initialPage")
        verify(!application.isInSynchroMenu)
        verify(!application.isCheckSynchro)
    }

    // The date control lets any day reach 31: a date that does not exist is not taken.
    function test_aDateThatDoesNotExistIsNotTaken() {
        var screen = openSynchro()
        screen.setDate.day = 31
        screen.setDate.month = 2
        screen.setDate.year = 2026
        screen.page = 2
        application.synchroEvent(1, 1234567)
        var info = findChild(screen, "lblInfo")
        tryCompare(info, "text", "ERROR TO\nSYNCHRONIZE!")
        verify(Qt.colorEqual(info.color, "#ff6464"))
        verify(!application.isSynchronized)
        verify(findChild(screen, "btnStart").enabled)
        verify(screen.tmrShow.running)
    }

    // After a capture the clock holds the entered time at the captured instant; a second impulse
    // before the screen closes must not take the same time again at a later instant.
    function test_noSecondCaptureBeforeTheScreenCloses() {
        var screen = openSynchro()
        screen.page = 2
        application.synchroEvent(1, 1234567)
        tryVerify(function() { return application.isSynchronized })
        screen.page = 1
        screen.page = 2
        verify(!application.isCheckSynchro, "not armed again")
        sema.calls = []
        application.isSynchronized = false
        application.synchroEvent(1, 7654321)
        wait(50)
        compare(sema.calls, [])
        verify(!application.isSynchronized)
        compare(findChild(screen, "lblInfo").text, "SYNCHRONIZATION\nDONE!")
    }

    // A remote client may open a screen over this one within the two seconds; only this screen
    // closes itself.
    function test_closingAfterTheCaptureLeavesAScreenOpenedOverIt() {
        var screen = openSynchro()
        screen.page = 2
        application.synchroEvent(1, 1234567)
        tryVerify(function() { return application.isSynchronized })
        var over = open("qrc:/qmltest/PagedScreen.qml", "over")
        screen.tmrShow.stop()
        screen.tmrShow.triggered()
        helper.waitForStack()
        compare(helper.current(), over)
    }

    function test_textsAreTranslated() {
        application.currentLanguage = OrvaneEnum.LANGUAGE_ITA
        var screen = openSynchro()
        verify(screen.formSubTitle !== "1/3 TIME", screen.formSubTitle)
        screen.page = 2
        verify(findChild(screen, "lblInfo").text !== "WAIT START", findChild(screen, "lblInfo").text)
        application.currentLanguage = OrvaneEnum.LANGUAGE_ENG
        screen.page = 0
        compare(screen.formSubTitle, "1/3 TIME")
    }

    // --- the GPS screen ---

    function openGps() {
        return open("qrc:/menu/GPS.qml", "GPS & Time Zone")
    }

    function shownText(combo) {
        return findChild(combo, "valueText").text
    }

    function test_gpsScreenShowsTheServiceValues_data() {
        return [
            { "tag": "none, UTC", "mode": 0, "modeText": "None", "shift": 0, "zoneText": "UTC" },
            { "tag": "one time, +05:45", "mode": 1, "modeText": "One Time", "shift": 345, "zoneText": "UTC+05:45" },
            { "tag": "continuous, -09:30", "mode": 2, "modeText": "Continuous", "shift": -570, "zoneText": "UTC-09:30" },
            { "tag": "a shift no choice has", "mode": 0, "modeText": "None", "shift": 17, "zoneText": "UTC+00:17" },
            { "tag": "a day", "mode": 0, "modeText": "None", "shift": -1440, "zoneText": "UTC-24:00" }
        ]
    }
    function test_gpsScreenShowsTheServiceValues(data) {
        gps.syncMode = data.mode
        gps.timeZoneShift = data.shift
        gps.calls = []
        var screen = openGps()
        compare(shownText(screen.cmbSyncMode), data.modeText)
        compare(shownText(screen.cmbTimeZone), data.zoneText)
        compare(screen.formSubTitle, "1/2 Sync Mode")
        compare(gps.calls, [], "opening writes nothing")
        compare(testSupport.warnings, [])
    }

    function test_timeZoneList() {
        var expected = [
            ["UTC", 0], ["UTC+01:00", 60], ["UTC+02:00", 120], ["UTC+03:00", 180], ["UTC+03:30", 210],
            ["UTC+04:00", 240], ["UTC+04:30", 270], ["UTC+05:00", 300], ["UTC+05:30", 330], ["UTC+05:45", 345],
            ["UTC+06:00", 360], ["UTC+06:30", 390], ["UTC+07:00", 420], ["UTC+08:00", 480], ["UTC+08:30", 510],
            ["UTC+08:45", 525], ["UTC+09:00", 540], ["UTC+09:30", 570], ["UTC+10:00", 600], ["UTC+10:30", 630],
            ["UTC+11:00", 660], ["UTC+11:30", 690], ["UTC+12:00", 720], ["UTC+12:45", 765], ["UTC+13:00", 780],
            ["UTC+13:45", 825], ["UTC+14:00", 840], ["UTC-01:00", -60], ["UTC-02:00", -120], ["UTC-02:30", -150],
            ["UTC-03:00", -180], ["UTC-03:30", -210], ["UTC-04:00", -240], ["UTC-04:30", -270], ["UTC-05:00", -300],
            ["UTC-06:00", -360], ["UTC-07:00", -420], ["UTC-08:00", -480], ["UTC-09:00", -540], ["UTC-09:30", -570],
            ["UTC-10:00", -600], ["UTC-11:00", -660], ["UTC-12:00", -720], ["UTC-13:00", -780], ["UTC-14:00", -840]
        ]
        var screen = openGps()
        var combo = screen.cmbTimeZone
        compare(combo.count, expected.length)
        for (var i = 0; i < expected.length; ++i) {
            var choice = combo.choice(i)
            compare(choice.text, expected[i][0], "text of choice " + i)
            compare(choice.value, expected[i][1], "shift of " + expected[i][0])
            compare(screen.textOfShift(expected[i][1]), expected[i][0], "text shown for " + expected[i][1])
        }
    }

    function test_choosingWritesTheService() {
        var screen = openGps()
        gps.calls = []
        helper.tap(findChild(screen.cmbSyncMode, "plus"))
        compare(gps.syncMode, GPSEnum.GPS_SYNC_ONE_TIME)
        helper.tap(findChild(screen.cmbSyncMode, "minus"))
        helper.tap(findChild(screen.cmbSyncMode, "minus"))
        compare(gps.syncMode, GPSEnum.GPS_SYNC_CONTINUOUS)
        compare(shownText(screen.cmbSyncMode), "Continuous")
        tapRight(screen)
        compare(screen.page, 1)
        compare(screen.formSubTitle, "2/2 Time zone")
        helper.tap(findChild(screen.cmbTimeZone, "plus"))
        compare(gps.timeZoneShift, 60)
        helper.tap(findChild(screen.cmbTimeZone, "minus"))
        helper.tap(findChild(screen.cmbTimeZone, "minus"))
        compare(gps.timeZoneShift, -840)
        compare(gps.calls, ["syncMode=1", "syncMode=0", "syncMode=2", "timeZoneShift=60", "timeZoneShift=0",
                            "timeZoneShift=-840"])
    }

    // Stepping away from a shift that no choice has, and back to it, keeps the chooser consistent.
    function test_aShiftNoChoiceHasStaysChoosable() {
        gps.timeZoneShift = 17
        var screen = openGps()
        screen.page = 1
        compare(screen.cmbTimeZone.count, 46)
        helper.tap(findChild(screen.cmbTimeZone, "plus"))
        compare(gps.timeZoneShift, 0)
        compare(shownText(screen.cmbTimeZone), "UTC")
        helper.tap(findChild(screen.cmbTimeZone, "minus"))
        compare(gps.timeZoneShift, 17)
        compare(shownText(screen.cmbTimeZone), "UTC+00:17")
    }

    function test_aRemoteModeChangeShowsAtOnce() {
        var screen = openGps()
        gps.syncMode = GPSEnum.GPS_SYNC_CONTINUOUS
        compare(shownText(screen.cmbSyncMode), "Continuous")
        helper.tap(findChild(screen.cmbSyncMode, "minus"))
        compare(gps.syncMode, GPSEnum.GPS_SYNC_ONE_TIME)
    }

    function test_gpsScreenPages() {
        sema.sequenceStatus = true
        var screen = openGps()
        compare(iconName(findChild(screen, "leftIcon")), "close")
        tapRight(screen)
        compare(screen.page, 1)
        compare(iconName(findChild(screen, "rightIcon")), "close")
        compare(iconName(findChild(screen, "leftIcon")), "arrowLeft")
        tapLeft(screen)
        compare(screen.page, 0)
        verify(sema.sequenceStatus)
        sema.calls = []
        tapLeft(screen)
        helper.waitForStack()
        compare(helper.current().objectName, "initialPage")
        compare(sema.calls, ["sequenceStatus=false"])
    }

    function test_gpsScreenClosesFromTheLastPage() {
        var screen = openGps()
        screen.page = 1
        tapRight(screen)
        helper.waitForStack()
        compare(helper.current().objectName, "initialPage")
    }

    // The GPS service refuses every mode during a radio synchronisation; the chooser goes back to
    // the mode in force and the operator is told why.
    function test_aRefusedModeIsNotShown() {
        testSupport.useReal("gps")
        gps.syncMode = GPSEnum.GPS_SYNC_NONE
        testSupport.setAmbrelSynchronized(true)
        var screen = openGps()
        helper.tap(findChild(screen.cmbSyncMode, "plus"))
        compare(gps.syncMode, GPSEnum.GPS_SYNC_NONE)
        compare(shownText(screen.cmbSyncMode), "None")
        var infoBar = helper.find("infoBar")
        tryCompare(infoBar, "state", "showInfoBar")
        compare(infoBar.text, "GPS mode locked by the radio synchronization")
        testSupport.setAmbrelSynchronized(false)
        helper.tap(findChild(screen.cmbSyncMode, "plus"))
        compare(gps.syncMode, GPSEnum.GPS_SYNC_ONE_TIME)
        compare(shownText(screen.cmbSyncMode), "One Time")
        gps.syncMode = GPSEnum.GPS_SYNC_NONE
    }

    // --- the satellite view ---

    function satellite(name, cno, used) {
        return { "Name": name, "CNO": cno, "QualitInd": 4, "Used": used }
    }

    function openSatellites() {
        return open("qrc:/menu/GPSSatellites.qml", "GPS Satellites")
    }

    function test_satelliteViewFollowsTheService() {
        gps.satellites = [satellite("0", 12, true), satellite("1", 40, false)]
        var screen = openSatellites()
        verify(gps.isShowSatellites)
        compare(gps.refreshCount, 1)
        compare(findChild(screen, "satCountText").text, "Sats: 2")
        compare(findChild(screen, "usedText").text, "Used: 1")
        compare(findChild(screen, "avgCnoText").text, "Avg CNO: 12.5")
        compare(findChild(screen, "lastUpdateText").text, "10:11:12")
        var timer = screen.timerRefresh
        verify(timer.running)
        verify(timer.repeat)
        compare(timer.interval, 5000)
        gps.satellites = [satellite("0", 12, true), satellite("1", 40, true), satellite("2", 0, true)]
        timer.triggered()
        compare(gps.refreshCount, 2)
        compare(findChild(screen, "usedText").text, "Used: 3")
        compare(screen.satellitesStatus.length, 3)
        helper.window.menuPressed()
        helper.waitForStack()
        verify(!gps.isShowSatellites)
        compare(gps.refreshCount, 2)
    }

    function test_satelliteBars() {
        var cnos = [0, 9, 10, 19, 20, 29, 30, 45, 69, 35]
        var list = []
        for (var i = 0; i < cnos.length; ++i)
            list.push(satellite("" + i, cnos[i], i % 2 === 0))
        gps.satellites = list
        var screen = openSatellites()
        var frame = screen.frame
        compare(frame.width, 290)
        compare(frame.pitch, 29)
        var colours = ["black", "black", "orange", "orange", "yellow", "yellow", "green", "green", "green", "green"]
        for (i = 0; i < cnos.length; ++i) {
            var slot = findChild(frame, "satellite" + i)
            compare(slot.x, i * 29 + 3.625)
            compare(slot.width, 21.75)
            var bar = findChild(slot, "bar")
            compare(bar.height, (frame.height - 20) * cnos[i] / 70)
            compare(bar.y + bar.height, slot.height, "the bar stands on the frame's bottom")
            verify(Qt.colorEqual(bar.color, colours[i]), "" + cnos[i])
            var name = findChild(bar, "nameText")
            compare(name.text, "" + i)
            compare(name.font.bold, i % 2 === 0)
            compare(findChild(bar, "cnoText").text, "" + cnos[i])
        }
        var empty = findChild(findChild(frame, "satellite0"), "bar")
        compare(empty.height, 0)
        var number = findChild(empty, "cnoText")
        compare(number.y + number.height, -5, "the value of an empty bar stands just above the bottom line")
    }

    function test_satelliteViewWithTheRealService() {
        testSupport.useReal("gps")
        gps.syncMode = GPSEnum.GPS_SYNC_NONE
        verify(!gps.isEnabled)
        var screen = openSatellites()
        verify(gps.isEnabled, "the service reports itself enabled while the view is open")
        compare(screen.satellitesStatus.length, 10)
        compare(findChild(screen, "satCountText").text, "Sats: 10")
        verify(/^Used: [0-9]+$/.test(findChild(screen, "usedText").text))
        verify(/^Avg CNO: [0-9]+\.[0-9]$/.test(findChild(screen, "avgCnoText").text))
        verify(/^[0-9][0-9]:[0-9][0-9]:[0-9][0-9]$/.test(findChild(screen, "lastUpdateText").text))
        compare(findChild(findChild(screen.frame, "satellite9"), "nameText").text, "9")
        helper.window.menuPressed()
        helper.waitForStack()
        verify(!gps.isShowSatellites)
        verify(!gps.isEnabled)
    }

    function test_satelliteViewWithoutSatellites() {
        gps.satellites = []
        var screen = openSatellites()
        compare(screen.frame.pitch, 0)
        compare(findChild(screen, "satCountText").text, "Sats: 0")
        compare(testSupport.warnings, [])
    }
}

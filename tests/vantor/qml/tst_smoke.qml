import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// Every screen this build has, loaded at the device's size in both themes, without a single
// QML warning; the screens that later builds add are the only ones warned about.
TestCase {
    id: testCase
    name: "Smoke"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    readonly property var missingAtStart: []

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function cleanup() {
        helper.dispose()
        application.isHighContrast = false
        application.displayboardMode = OrvaneEnum.COUNTDOWN_MODE
    }

    function init_data() {
        return [{ "tag": "normal", "highContrast": false }, { "tag": "high contrast", "highContrast": true }]
    }

    function openAndSettle(url, properties) {
        var screen = helper.window.openScreen(url, properties)
        verify(screen !== null, url)
        helper.waitForStack()
        wait(50)
        compare(screen.width, 320)
        compare(screen.height, 218)
        return screen
    }

    function start(highContrast) {
        testSupport.resetWarnings()
        helper.create()
        application.isHighContrast = highContrast
        compare(testSupport.warnings, missingAtStart)
        testSupport.resetWarnings()
    }

    function test_mainWindow_data() { return init_data() }
    function test_mainWindow(data) {
        start(data.highContrast)
        compare(helper.window.width, 320)
        compare(helper.window.height, 280)
        compare(helper.current().objectName, "initialPage")
        compare(helper.current().width, 320)
        compare(helper.current().height, 218)
        helper.current().view.currentIndex = 1
        wait(400)
        compare(testSupport.warnings, [])
    }

    function test_languageMenu_data() { return init_data() }
    function test_languageMenu(data) {
        testSupport.resetWarnings()
        helper.create(OrvaneEnum.NO_LANGUAGE)
        application.isHighContrast = data.highContrast
        compare(helper.current().objectName, "Languages")
        compare(helper.current().modelCount, 3)
        compare(testSupport.warnings, missingAtStart)
    }

    function test_runScreen_data() {
        return [{ "tag": "manual", "mode": 0 }, { "tag": "auto", "mode": 1 }, { "tag": "autostart", "mode": 2 }]
    }
    function test_runScreen(data) {
        start(false)
        sema.sequenceMode = data.mode
        sema.startListName = "List"
        sema.bibNumber = "12"
        var screen = openAndSettle("qrc:/menu/HandleSequence.qml", { "objectName": "0", "formTitle": "ALPINE SKI",
                                                                     "formParam": "" })
        sema.isOff = false
        sema.timeChanged("09:41:20")
        sema.semaTimeChanged("-5")
        sema.semaRedChanged(true)
        for (var page = 0; page < 6; ++page) {
            screen.page = page
            application.isHighContrast = page % 2 === 1
            wait(20)
        }
        compare(testSupport.warnings, [])
    }

    function test_messageBox_data() { return init_data() }
    function test_messageBox(data) {
        start(data.highContrast)
        var box = helper.find("mainItem").addMessageBox()
        box.setVisible("Title\nsubtitle", "One", "Two", "Three", "", "", 0, 0, 0)
        wait(50)
        box.setClose()
        var calibration = helper.find("msgBoxCalibration")
        systemHw.batteryCalibrationMessage = "Calibrating"
        systemHw.isInCalibration = true
        wait(50)
        verify(calibration.visible)
        systemHw.isInCalibration = false
        application.showWaitPlease(true, true)
        application.showInfo1WaitPlease("one")
        application.hideWaitPlease()
        compare(testSupport.warnings, [])
    }

    function test_controls_data() { return init_data() }
    function test_controls(data) {
        start(data.highContrast)
        var screen = openAndSettle("qrc:/qmltest/ControlsScreen.qml", {})
        var names = ["setNumber", "setTime", "setDate", "comboBox", "switchItem", "iconButton", "pageIndicator",
                     "checkBox", "sliderBar", "progressBar", "busy", "scrollIndicator", "mouseAreaItem", "swipeArea",
                     "textField"]
        for (var i = 0; i < names.length; ++i) {
            screen.shown = names[i]
            waitForRendering(screen)
        }
        compare(testSupport.warnings, [])
    }

    function test_fileChoosers_data() { return init_data() }
    function test_fileChoosers(data) {
        var custom = testSupport.dataFolder("Custom")
        testSupport.writeFile(custom + "/smoke_sequence.json",
                              JSON.stringify({ "SequenceName": "Smoke", "SequenceId": "smoke", "Sequence": [] }))
        testSupport.writeFile(custom + "/smoke_list.json",
                              JSON.stringify({ "StartingListName": "Smoke list", "StartingListId": "smoke",
                                               "StartingList": [] }))
        testSupport.writeFile(custom + "/Smoke workbook.xlsx", "")
        start(data.highContrast)
        var sequences = openAndSettle("qrc:/menu/Import.qml", { "objectName": "importCustom", "formTitle": "CUSTOM",
                                                                "formParam": "custom", "pageSource": "" })
        tryVerify(function() { return sequences.modelCount >= 1 }, 20000)
        openAndSettle("qrc:/menu/Import.qml", { "objectName": "importUsb", "formTitle": "USB", "formParam": "USB",
                                                "pageSource": "" })
        var lists = openAndSettle("qrc:/menu/ImportStartingList.qml", {
            "objectName": "ImportStartingListForm", "formTitle": "CUSTOM", "formParam": "custom", "pageSource": "" })
        tryVerify(function() { return lists.modelCount >= 2 }, 20000)
        var path = custom + "/smoke_list.json"
        var starts = []
        for (var i = 0; i < 7; ++i)
            starts.push({ "bibNumber": i + 1, "time": "10:0" + i + ":00", "date": i % 2 ? "" : "12/05/24" })
        var map = {}
        map[path] = { "startingListName": "Smoke list", "startingListId": "smoke", "startingList": starts }
        sema.startingLists = map
        var viewer = openAndSettle("qrc:/menu/StartingList.qml", { "objectName": path, "formTitle": "",
                                                                   "formParam": "", "pageSource": "" })
        tryCompare(viewer, "pageCount", 3)
        for (var page = 0; page < 3; ++page) {
            viewer.view.setCurrentIndex(page)
            waitForRendering(viewer)
        }
        sema.startingLists = {}
        testSupport.removePath(custom + "/smoke_sequence.json")
        testSupport.removePath(custom + "/smoke_list.json")
        testSupport.removePath(custom + "/Smoke workbook.xlsx")
        compare(testSupport.warnings, [])
    }

    function test_displayboardScreens_data() { return init_data() }
    function test_displayboardScreens(data) {
        start(data.highContrast)
        var pixels = []
        for (var i = 0; i < 768; ++i)
            pixels.push([0, 1, 2, 3, 4, 7][i % 6])
        displayboard.setMatrix(0, pixels)
        var mirror = helper.root.winDisplayboard
        verify(mirror !== null)
        waitForRendering(mirror.contentItem)
        var screen = openAndSettle("qrc:/menu/DisplayboardOutput.qml", { "objectName": "NewSessionMenuForm",
                                                                          "formTitle": "NEW SESSION", "pageSource": "" })
        application.displayboardOutput = "12:34:5"
        waitForRendering(screen)
        helper.window.menuPressed()
        helper.waitForStack()
        application.displayboardOutput = ""
        compare(testSupport.warnings, [])
    }

    // The settings, repetition-time, log-export, about and sequence screens, every page of each.
    function test_settingsAndSequenceScreens_data() {
        var screens = [
            { "name": "general settings", "url": "qrc:/menu/Settings.qml", "properties": { "formParam": "GENERAL" } },
            { "name": "session settings", "url": "qrc:/menu/Settings.qml", "properties": { "formParam": "SESSION" } },
            { "name": "race settings", "url": "qrc:/menu/Settings.qml", "properties": { "formParam": "RACE" } },
            { "name": "no settings", "url": "qrc:/menu/Settings.qml", "properties": { "formParam": "SESSION" },
              "displayboard": true },
            { "name": "repetition times", "url": "qrc:/menu/RepetitionTimes.qml", "properties": {} },
            { "name": "settings menu", "url": "qrc:/menu/MenuPage.qml",
              "properties": { "pageSource": "qrc:/menudata/MenuSettingsModel.qml" } },
            { "name": "sequence families", "url": "qrc:/menu/MenuPage.qml",
              "properties": { "pageSource": "qrc:/menudata/MenuSequencesModel.qml" } },
            { "name": "sequences", "url": "qrc:/menu/SemaSequences.qml", "properties": { "formParam": "RA" } },
            { "name": "intervals", "url": "qrc:/menu/SemaSequence.qml", "properties": { "objectName": "2" } },
            { "name": "export", "url": "qrc:/menu/Export.qml", "properties": { "formTitle": "EXPORT LOG" } },
            { "name": "about", "url": "qrc:/menu/About.qml", "properties": { "formTitle": "ABOUT" } }
        ]
        var rows = []
        screens.forEach(function(screen) {
            init_data().forEach(function(theme) {
                rows.push({ "tag": screen.name + ", " + theme.tag, "url": screen.url, "properties": screen.properties,
                            "displayboard": screen.displayboard === true, "highContrast": theme.highContrast })
            })
        })
        return rows
    }
    function test_settingsAndSequenceScreens(data) {
        start(data.highContrast)
        systemHw.brightnessMode = OrvaneEnum.MANUAL_BRIGHTNESS
        application.displayboardMode = data.displayboard ? OrvaneEnum.DISPLAYBOARD_MODE : OrvaneEnum.COUNTDOWN_MODE
        var screen = openAndSettle(data.url, data.properties)
        // Every page exists once the screen does; each is shown, and the last one drawn.
        if (screen.settingsCount !== undefined) {
            for (var page = 0; page < screen.settingsCount; ++page)
                screen.showPage(page)
        } else {
            for (var index = 0; index < screen.pageCount; ++index)
                screen.view.setCurrentIndex(index)
        }
        waitForRendering(screen)
        compare(testSupport.warnings, [])
    }

    function test_testMenu() {
        start(false)
        var screen = openAndSettle("qrc:/menu/MenuPage.qml", { "objectName": "TestMenu", "formTitle": "Test",
                                                               "pageSource": "qrc:/qmltest/TestMenuModel.qml" })
        screen.view.currentIndex = 2
        wait(400)
        compare(testSupport.warnings, [])
    }

    function test_synchroScreens_data() { return init_data() }
    function test_synchroScreens(data) {
        start(data.highContrast)
        var menu = openAndSettle("qrc:/menu/MenuPage.qml", { "objectName": "SynchMenuForm", "formTitle": "SYNCHRONIZATION",
                                                             "pageSource": "qrc:/menudata/MenuSynchroModel.qml" })
        compare(menu.modelCount, 3)
        var synchro = openAndSettle("qrc:/menu/Synchro.qml", { "objectName": "Synchronization",
                                                               "formTitle": "Set Synchronization", "pageSource": "" })
        for (var page = 0; page < 3; ++page) {
            synchro.page = page
            waitForRendering(synchro)
        }
        application.synchroEvent(1, 86808000000000)
        waitForRendering(synchro)
        helper.window.menuPressed()
        helper.waitForStack()
        var gpsScreen = openAndSettle("qrc:/menu/GPS.qml", { "objectName": "GPS", "formTitle": "GPS & Time Zone",
                                                             "pageSource": "" })
        gpsScreen.page = 1
        waitForRendering(gpsScreen)
        helper.window.menuPressed()
        helper.waitForStack()
        gps.satellites = [{ "Name": "0", "CNO": 0, "QualitInd": 4, "Used": false },
                          { "Name": "1", "CNO": 15, "QualitInd": 4, "Used": true },
                          { "Name": "2", "CNO": 25, "QualitInd": 4, "Used": true },
                          { "Name": "3", "CNO": 69, "QualitInd": 4, "Used": false }]
        var satellites = openAndSettle("qrc:/menu/GPSSatellites.qml", { "objectName": "GPSSatellites",
                                                                        "formTitle": "GPS Satellites", "pageSource": "" })
        waitForRendering(satellites)
        helper.window.menuPressed()
        helper.waitForStack()
        application.isInSynchroMenu = false
        application.isCheckSynchro = false
        compare(testSupport.warnings, [])
    }

    function test_testScreens_data() { return init_data() }
    function test_testScreens(data) {
        start(data.highContrast)
        var settings = openAndSettle("qrc:/menu/TestSettings.qml", { "objectName": "TestSettingsForm",
                                                                     "formTitle": "TEST SETTINGS", "formParam": "" })
        for (var page = 0; page < settings.settingsCount; ++page) {
            settings.showPage(page)
            waitForRendering(settings)
        }
        var led = openAndSettle("qrc:/menu/LedSingleTest.qml", { "objectName": "", "formTitle": "Single LED test",
                                                                 "pageSource": "" })
        waitForRendering(led)
        var menu = openAndSettle("qrc:/menu/MenuPage.qml", { "objectName": "", "formTitle": "Oscillator Calibration",
                                                             "pageSource": "qrc:/menudata/MenuOscillatorCalibrationModel.qml" })
        compare(menu.modelCount, 2)
        var names = ["TestOscillatorCalibration.qml", "ExecuteOscillatorCalibration.qml"]
        for (var i = 0; i < names.length; ++i) {
            var screen = openAndSettle("qrc:/menu/" + names[i], { "objectName": names[i], "formTitle": names[i],
                                                                  "pageSource": "" })
            gps.calibMessage("Calibrating")
            gps.calibDuration(30)
            waitForRendering(screen)
            gps.calibDuration(-1)
            waitForRendering(screen)
        }
        application.isInTestMenu = false
        compare(testSupport.warnings, [])
    }
}

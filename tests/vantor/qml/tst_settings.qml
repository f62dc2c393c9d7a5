import QtQuick 2.15
import QtQml.Models 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The settings menu, the paged settings screens (general, session and race settings, the
// repetition times) and the settings page itself: which pages each shows, that every change is
// written at once and only by the operator, the reloads that keep the page, and that leaving
// sends the settings to the remote clients.
TestCase {
    id: testCase
    name: "Settings"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    SignalSpy {
        id: sentSpy
        target: serial
        signalName: "sendSocketData"
    }

    SignalSpy {
        id: writeSpy
    }

    // The change signals of every setting of the application object the screens show.
    Instantiator {
        id: applicationSpies
        model: ["currentLanguageChanged", "displayboardModeChanged", "dateFormatChanged", "timeFormatChanged",
                "displayboardTimeColorChanged", "isHighContrastChanged", "isTapHandlerEnabledChanged",
                "repetitionTime1Changed", "repetitionTime2Changed", "repetitionTime3Changed"]
        delegate: SignalSpy {
            target: application
            signalName: modelData
        }
    }

    readonly property int second: 50000
    readonly property int minute: 3000000
    readonly property var generalIds: ["currentLanguage", "displayboardMode", "dateFormat", "timeFormat",
                                       "displayboardTimeColor", "brightnessMode", "powerSaveTime", "isHighContrast",
                                       "isTapHandlerEnabled", "LAN", "WiFi", "Bluetooth"]
    readonly property var sessionIds: ["visualizationMode", "outputSoundVolume", "sequenceMode", "isShowTimeOfDay",
                                       "isCheckFalseStart", "isGenerateStart", "isSkipOutOfWindow",
                                       "isRestartWithNextMinute", "offMode", "delayFalseStart"]

    function initTestCase() {
        testSupport.recordWarnings()
    }

    function init() {
        helper.create()
        testSupport.resetWarnings()
        sentSpy.clear()
    }

    function cleanup() {
        helper.dispose()
        writeSpy.target = null
        writeSpy.signalName = ""
        writeSpy.clear()
        application.currentLanguage = OrvaneEnum.LANGUAGE_ENG
        application.displayboardMode = OrvaneEnum.COUNTDOWN_MODE
        application.isHighContrast = false
        application.repetitionTime1 = 30 * second
        application.repetitionTime2 = minute
        application.repetitionTime3 = 2 * minute
    }

    function openSettings(param, url) {
        var screen = helper.window.openScreen(url === undefined ? "qrc:/menu/Settings.qml" : url, {
            "objectName": "SettingsMenuForm", "formTitle": "GENERAL SETTINGS", "formParam": param })
        verify(screen !== null)
        helper.waitForStack()
        return screen
    }

    function ids(screen) {
        var list = []
        for (var i = 0; i < screen.settingsCount; ++i)
            list.push(screen.settingsModel.get(i).id)
        return list
    }

    function control(screen, id) {
        var found = findChild(screen, id)
        verify(found !== null, "control " + id)
        return found
    }

    function showPageOf(screen, id) {
        var index = ids(screen).indexOf(id)
        verify(index >= 0, "page " + id)
        screen.showPage(index)
        return findChild(screen, id)
    }

    function findAll(item, name) {
        var found = []
        for (var i = 0; i < item.children.length; ++i) {
            if (item.children[i].objectName === name)
                found.push(item.children[i])
            found = found.concat(findAll(item.children[i], name))
        }
        return found
    }

    function tapStep(item, plus) {
        helper.tap(findChild(item, plus ? "plus" : "minus"))
    }

    function test_settingsMenu() {
        helper.tap(findChild(helper.current(), "menuIcon_SettingsMenuForm"))
        tryCompare(helper.stack(), "depth", 2)
        helper.waitForStack()
        var menu = helper.current()
        compare(menu.formTitle, "SETTINGS")
        compare(menu.modelCount, 3)
        var entries = []
        for (var i = 0; i < menu.modelCount; ++i) {
            var entry = menu.menuModel.get(i)
            entries.push([entry.name, entry.text, entry.title, entry.page, entry.param].join("|"))
        }
        compare(entries, ["SettingsMenuForm|GENERAL\nSETTINGS|GENERAL SETTINGS|Settings.qml|GENERAL",
                          "SettingsMenuForm|SESSION\nSETTINGS|SESSION SETTINGS|Settings.qml|SESSION",
                          "SettingsMenuForm|REPETITION\nTIMES|REPETITION TIMES|RepetitionTimes.qml|"])
        compare(menu.menuModel.get(1).image, "qrc:/resources/Dark/settingsSess.png")
        compare(menu.menuModel.get(2).image, "qrc:/resources/Dark/list.png")
        helper.tap(findChild(menu, "menuIcon_SettingsMenuForm"))
        tryCompare(helper.stack(), "depth", 3)
        helper.waitForStack()
        var screen = helper.current()
        compare(screen.formParam, "GENERAL")
        compare(screen.formTitle, "SETTINGS")
        compare(screen.formSubTitle, "1/12 Language")
        compare(ids(screen), generalIds)
        compare(testSupport.warnings, [])
    }

    function test_repetitionTimesFromTheMenu() {
        var menu = helper.window.openScreen("qrc:/menu/MenuPage.qml", {
            "objectName": "SettingsMenuForm", "formTitle": "SETTINGS",
            "pageSource": "qrc:/menudata/MenuSettingsModel.qml" })
        helper.waitForStack()
        var icons = findAll(menu.swipeViewRepeater.itemAt(0), "menuIcon_SettingsMenuForm")
        compare(icons.length, 3)
        // The three entries share one name: the third icon of the page is REPETITION TIMES.
        helper.tap(icons[2])
        tryCompare(helper.stack(), "depth", 3)
        helper.waitForStack()
        compare(ids(helper.current()), ["repetitionTime1", "repetitionTime2", "repetitionTime3"])
    }

    function test_generalPages_data() {
        return [
            { "tag": "auto brightness", "mode": OrvaneEnum.AUTO_BRIGHTNESS, "ids": generalIds },
            { "tag": "manual brightness", "mode": OrvaneEnum.MANUAL_BRIGHTNESS,
              "ids": generalIds.slice(0, 6).concat(["brightness"]).concat(generalIds.slice(6)) }
        ]
    }

    function test_generalPages(data) {
        systemHw.brightnessMode = data.mode
        systemHw.bluetoothDeviceConnectedName = "Timer 7"
        var screen = openSettings("GENERAL")
        compare(ids(screen), data.ids)
        compare(showPageOf(screen, "currentLanguage").choice(0).text, "English")
        compare(findChild(showPageOf(screen, "timeFormat"), "valueText").text, "24H")
        compare(findChild(showPageOf(screen, "powerSaveTime"), "valueText").text, "1 Minute")
        showPageOf(screen, "LAN")
        compare(findChild(screen.view.currentItem, "settingText").text,
                "IP Addr.: 192.168.1.20\nMask: 255.255.255.0\nMode: DHCP\n")
        showPageOf(screen, "Bluetooth")
        compare(findChild(screen.view.currentItem, "settingText").text, "Connected device: \nTimer 7\n")
        compare(testSupport.warnings, [])
    }

    function test_brightnessPercent() {
        systemHw.brightnessMode = OrvaneEnum.MANUAL_BRIGHTNESS
        systemHw.brightness = 0
        var screen = openSettings("GENERAL")
        var brightness = showPageOf(screen, "brightness")
        compare(brightness.text, "1%")
        tapStep(brightness, false)
        compare(systemHw.brightness, 100)
        compare(brightness.text, "100%")
        tapStep(brightness, true)
        compare(systemHw.brightness, 0)
        tapStep(brightness, true)
        compare(systemHw.brightness, 10)
        compare(brightness.text, "10%")
    }

    function test_switchingBrightnessModeKeepsThePage() {
        var screen = openSettings("GENERAL")
        var mode = showPageOf(screen, "brightnessMode")
        compare(screen.page, 5)
        compare(findChild(mode, "valueText").text, "Auto")
        tapStep(mode, false)
        compare(systemHw.brightnessMode, OrvaneEnum.MANUAL_BRIGHTNESS)
        tryCompare(screen, "settingsCount", 13)
        compare(ids(screen)[6], "brightness")
        compare(screen.page, 5)
        compare(screen.view.currentIndex, 5)
        compare(screen.formSubTitle, "6/13 Brightness Mode")
        compare(findChild(control(screen, "brightnessMode"), "valueText").text, "Manual")
        tapStep(control(screen, "brightnessMode"), true)
        compare(systemHw.brightnessMode, OrvaneEnum.AUTO_BRIGHTNESS)
        tryCompare(screen, "settingsCount", 12)
        compare(screen.page, 5)
        compare(screen.formSubTitle, "6/12 Brightness Mode")
        compare(testSupport.warnings, [])
    }

    function test_languageSwitchTranslatesThePages() {
        var screen = openSettings("GENERAL")
        var language = showPageOf(screen, "currentLanguage")
        tapStep(language, true)
        compare(application.currentLanguage, OrvaneEnum.LANGUAGE_ITA)
        tryCompare(screen, "formSubTitle", "1/12 Lingua")
        compare(screen.formTitle, "IMPOSTAZIONI")
        compare(screen.page, 0)
        compare(findChild(control(screen, "currentLanguage"), "valueText").text, "Italiano")
        compare(findChild(showPageOf(screen, "displayboardMode"), "valueText").text, "Conto alla rovescia")
        compare(findChild(showPageOf(screen, "isHighContrast"), "stateText").text, "No")
        screen.showPage(0)
        tapStep(control(screen, "currentLanguage"), true)
        tryCompare(screen, "formSubTitle", "1/12 Sprache")
        compare(findChild(showPageOf(screen, "powerSaveTime"), "valueText").text, "1 Minute")
        compare(testSupport.warnings, [])
    }

    function test_sessionInDisplayboardMode() {
        application.displayboardMode = OrvaneEnum.DISPLAYBOARD_MODE
        var screen = openSettings("SESSION")
        compare(screen.settingsCount, 1)
        compare(screen.settingsModel.get(0).id, "")
        compare(findChild(screen.view.currentItem, "settingText").text, "NO SETTINGS\nAVAILABLE")
        compare(screen.formSubTitle, "1/1 ")
        verify(!findChild(screen, "settingsIndicator").visible)
        compare(findChild(screen, "previousIcon").opacity, 0.5)
        compare(findChild(screen, "nextSettingIcon").opacity, 0.5)
    }

    function test_sessionPagesAndArrows() {
        var screen = openSettings("SESSION")
        compare(ids(screen), sessionIds)
        verify(findChild(screen, "settingsIndicator").visible)
        compare(findChild(screen, "settingsIndicator").count, 10)
        compare(findChild(screen, "previousIcon").opacity, 0.5)
        helper.tap(findChild(screen, "previousIcon"))
        compare(screen.page, 0)
        helper.tap(findChild(screen, "nextSettingIcon"))
        helper.tap(findChild(screen, "nextSettingIcon"))
        compare(screen.page, 2)
        compare(screen.formSubTitle, "3/10 Sequence mode")
        compare(screen.view.currentIndex, 2)
        screen.showPage(9)
        compare(findChild(screen, "nextSettingIcon").opacity, 0.5)
        helper.tap(findChild(screen, "nextSettingIcon"))
        compare(screen.page, 9)
        helper.tap(findChild(screen, "previousIcon"))
        compare(screen.page, 8)
        compare(screen.formSubTitle, "9/10 Visual. with disabled seq.")
    }

    function test_swipeMovesOnePage() {
        var screen = openSettings("SESSION")
        var view = screen.view
        mouseDrag(view, view.width - 20, view.height / 2, -view.width / 2, 0)
        tryCompare(screen, "page", 1)
        compare(screen.formSubTitle, "2/10 Loudspeaker volume")
    }

    function test_writes_data() {
        return [
            { "tag": "visualization mode", "id": "visualizationMode", "owner": sema, "plus": true,
              "expected": SemaEnum.VISUALIZATION_MODE_2 },
            { "tag": "loudspeaker volume", "id": "outputSoundVolume", "owner": systemHw, "plus": true, "expected": 20 },
            { "tag": "sequence mode", "id": "sequenceMode", "owner": sema, "plus": true,
              "expected": SemaEnum.SEQUENCE_MODE_AUTOSTART },
            { "tag": "off mode", "id": "offMode", "owner": sema, "plus": false, "expected": SemaEnum.SEMA_OFF_MODE_ON },
            { "tag": "delay false start", "id": "delayFalseStart", "owner": sema, "plus": false, "expected": 10 }
        ]
    }

    function test_writes(data) {
        var screen = openSettings("SESSION")
        var item = showPageOf(screen, data.id)
        tapStep(item, data.plus)
        compare(data.owner[data.id], data.expected)
    }

    function test_boolSetting() {
        sema.isCheckFalseStart = true
        var screen = openSettings("SESSION")
        var item = showPageOf(screen, "isCheckFalseStart")
        verify(item.checked)
        compare(findChild(item, "stateText").text, "Yes")
        verify(!showPageOf(screen, "isGenerateStart").checked)
        item = showPageOf(screen, "isCheckFalseStart")
        helper.tap(item, 10, item.height / 2)
        compare(sema.isCheckFalseStart, false)
        compare(findChild(item, "stateText").text, "No")
        helper.tap(item, item.width - 10, item.height / 2)
        compare(sema.isCheckFalseStart, true)
    }

    function test_applicationWrites_data() {
        return [
            { "tag": "date format", "id": "dateFormat", "signal": "dateFormatChanged",
              "initial": OrvaneEnum.DATE_FORMAT_DD_MM_YYYY, "expected": OrvaneEnum.DATE_FORMAT_MM_DD_YYYY },
            { "tag": "time format", "id": "timeFormat", "signal": "timeFormatChanged",
              "initial": OrvaneEnum.TIME_FORMAT_24_H, "expected": OrvaneEnum.TIME_FORMAT_12_H },
            { "tag": "time colour", "id": "displayboardTimeColor", "signal": "displayboardTimeColorChanged",
              "initial": DisplayboardEnum.DISP_COLOR_RED, "expected": DisplayboardEnum.DISP_COLOR_GREEN }
        ]
    }

    function test_applicationWrites(data) {
        var before = application[data.id]
        application[data.id] = data.initial
        var screen = openSettings("GENERAL")
        writeSpy.target = application
        writeSpy.signalName = data.signal
        var item = showPageOf(screen, data.id)
        compare(writeSpy.count, 0)
        tapStep(item, true)
        compare(application[data.id], data.expected)
        compare(writeSpy.count, 1)
        tapStep(item, false)
        compare(application[data.id], data.initial)
        application[data.id] = before
    }

    function test_highContrastSwitch() {
        var screen = openSettings("GENERAL")
        var item = showPageOf(screen, "isHighContrast")
        verify(!item.checked)
        helper.tap(item, item.width - 10, item.height / 2)
        verify(application.isHighContrast)
        wait(50)
        compare(screen.formSubTitle, "8/12 High contrast")
        verify(control(screen, "isHighContrast").checked)
        compare("" + findChild(screen, "nextSettingIcon").source, "qrc:/resources/Light/arrowRight.png")
    }

    function test_openingWritesNothing() {
        systemHw.brightnessMode = OrvaneEnum.MANUAL_BRIGHTNESS
        sema.isShowTimeOfDay = true
        sema.offMode = SemaEnum.SEMA_OFF_MODE_BLINKING_RED
        for (var i = 0; i < applicationSpies.count; ++i)
            applicationSpies.objectAt(i).clear()
        var screen = openSettings("RACE")
        for (var page = 0; page < screen.settingsCount; ++page)
            screen.showPage(page)
        for (i = 0; i < applicationSpies.count; ++i)
            compare(applicationSpies.objectAt(i).count, 0, applicationSpies.objectAt(i).signalName)
        compare(systemHw.brightnessMode, OrvaneEnum.MANUAL_BRIGHTNESS)
        compare(systemHw.brightness, 50)
        compare(sema.isShowTimeOfDay, true)
        compare(sema.offMode, SemaEnum.SEMA_OFF_MODE_BLINKING_RED)
        verify(showPageOf(screen, "isShowTimeOfDay").checked)
        compare(findChild(showPageOf(screen, "offMode"), "valueText").text, "Blinking red")
    }

    function test_racePages_data() {
        var repetitions = ["repetitionTime1", "repetitionTime2", "repetitionTime3"]
        return [
            { "tag": "countdown, manual brightness", "displayboard": false, "brightness": OrvaneEnum.MANUAL_BRIGHTNESS,
              "ids": ["brightnessMode", "brightness"].concat(sessionIds).concat(repetitions) },
            { "tag": "countdown, auto brightness", "displayboard": false, "brightness": OrvaneEnum.AUTO_BRIGHTNESS,
              "ids": ["brightnessMode"].concat(sessionIds).concat(repetitions) },
            { "tag": "display board, manual brightness", "displayboard": true,
              "brightness": OrvaneEnum.MANUAL_BRIGHTNESS, "ids": ["brightnessMode", "brightness"] }
        ]
    }

    function test_racePages(data) {
        application.displayboardMode = data.displayboard ? OrvaneEnum.DISPLAYBOARD_MODE : OrvaneEnum.COUNTDOWN_MODE
        systemHw.brightnessMode = data.brightness
        var screen = openSettings("RACE")
        compare(ids(screen), data.ids)
        if (data.brightness === OrvaneEnum.MANUAL_BRIGHTNESS) {
            var brightness = showPageOf(screen, "brightness")
            compare(brightness.min, 10)
            systemHw.brightness = 10
            application.backgroundConfigChanged()
            tapStep(control(screen, "brightness"), false)
            compare(systemHw.brightness, 100)
        }
        if (!data.displayboard) {
            var repetition = showPageOf(screen, "repetitionTime2")
            verify(!repetition.isShowHours)
            compare(repetition.time, minute)
            helper.tap(findChild(findChild(repetition, "secondsField"), "plus"))
            compare(application.repetitionTime2, minute + second)
        }
    }

    function test_unknownParameterShowsNoSettings() {
        var screen = openSettings("OTHER")
        compare(screen.settingsCount, 1)
        compare(findChild(screen.view.currentItem, "settingText").text, "NO SETTINGS\nAVAILABLE")
    }

    function test_backgroundChangeReloadsAndKeepsThePage() {
        var screen = openSettings("SESSION")
        showPageOf(screen, "offMode")
        compare(screen.page, 8)
        sema.offMode = SemaEnum.SEMA_OFF_MODE_ONLY_RED
        compare(findChild(control(screen, "offMode"), "valueText").text, "All off")
        application.backgroundConfigChanged()
        compare(screen.page, 8)
        compare(screen.view.currentIndex, 8)
        compare(findChild(control(screen, "offMode"), "valueText").text, "Only red")
        application.displayboardMode = OrvaneEnum.DISPLAYBOARD_MODE
        application.backgroundConfigChanged()
        compare(screen.settingsCount, 1)
        compare(screen.page, 0)
        compare(screen.formSubTitle, "1/1 ")
    }

    function test_leavingSendsTheSettings_data() {
        return [
            { "tag": "session, close icon", "url": "qrc:/menu/Settings.qml", "param": "SESSION", "key": false },
            { "tag": "general, menu key", "url": "qrc:/menu/Settings.qml", "param": "GENERAL", "key": true },
            { "tag": "repetition times, close icon", "url": "qrc:/menu/RepetitionTimes.qml", "param": "", "key": false },
            { "tag": "repetition times, menu key", "url": "qrc:/menu/RepetitionTimes.qml", "param": "", "key": true }
        ]
    }

    function test_leavingSendsTheSettings(data) {
        var screen = openSettings(data.param, data.url)
        compare(sentSpy.count, 0)
        if (data.key)
            keyClick(Qt.Key_Menu)
        else
            helper.tap(findChild(screen, "closeIcon"))
        helper.waitForStack()
        compare(helper.stack().depth, 1)
        compare(sentSpy.count, 1)
    }

    function test_repetitionTimes() {
        var screen = openSettings("", "qrc:/menu/RepetitionTimes.qml")
        compare(ids(screen), ["repetitionTime1", "repetitionTime2", "repetitionTime3"])
        compare(screen.formTitle, "SETTINGS")
        compare(screen.formSubTitle, "1/3 Repetition time 1")
        var first = control(screen, "repetitionTime1")
        compare(first.time, 30 * second)
        verify(!first.isShowHours)
        compare(findChild(findChild(first, "minutesField"), "valueText").text, "00")
        compare(findChild(findChild(first, "secondsField"), "valueText").text, "30")
        var second2 = showPageOf(screen, "repetitionTime2")
        compare(screen.formSubTitle, "2/3 Repetition time 2")
        var seconds = findChild(second2, "secondsField")
        for (var i = 0; i < 30; ++i)
            helper.tap(findChild(seconds, "plus"))
        compare(application.repetitionTime2, 4500000)
        compare(findChild(seconds, "valueText").text, "30")
        compare(application.repetitionTime1, 30 * second)
        compare(application.repetitionTime3, 2 * minute)
        // Minutes do not carry into hours: 59 minutes wrap to 0.
        var third = showPageOf(screen, "repetitionTime3")
        helper.tap(findChild(findChild(third, "minutesField"), "minus"))
        compare(application.repetitionTime3, minute)
    }

    function test_repetitionTimesShowHoursOfLongTimes_data() {
        return [
            { "tag": "repetition times", "url": "qrc:/menu/RepetitionTimes.qml", "param": "" },
            { "tag": "race settings", "url": "qrc:/menu/Settings.qml", "param": "RACE" }
        ]
    }

    // A remote client may set a repetition time of an hour or more: the page shows its hours
    // rather than a time an hour short.
    function test_repetitionTimesShowHoursOfLongTimes(data) {
        application.repetitionTime1 = 90 * minute
        var screen = openSettings(data.param, data.url)
        var item = showPageOf(screen, "repetitionTime1")
        verify(item.isShowHours)
        compare(findChild(findChild(item, "hoursField"), "valueText").text, "01")
        compare(findChild(findChild(item, "minutesField"), "valueText").text, "30")
        helper.tap(findChild(findChild(item, "hoursField"), "minus"))
        compare(application.repetitionTime1, 30 * minute)
        verify(!control(screen, "repetitionTime2").isShowHours)
    }

    function test_repetitionTimesReloadOnBackgroundChange() {
        var screen = openSettings("", "qrc:/menu/RepetitionTimes.qml")
        showPageOf(screen, "repetitionTime3")
        application.repetitionTime3 = 5 * minute
        application.backgroundConfigChanged()
        compare(screen.page, 2)
        compare(control(screen, "repetitionTime3").time, 5 * minute)
    }

    function test_pageTypesOfTheSettingsPage() {
        var screen = openSettings("", "qrc:/qmltest/TestSettingsScreen.qml")
        compare(screen.settingsCount, 4)
        compare(screen.getComponent("unknown"), null)
        // A page of an unknown type is empty.
        screen.showPage(3)
        compare(screen.view.currentItem.item, null)
        screen.showPage(0)
        helper.tap(findChild(screen, "Run"))
        compare(screen.changes, ["Run||"])
        screen.showPage(2)
        compare(screen.changes, ["Run||"])
        var number = control(screen, "Count")
        compare(number.text, "3")
        tapStep(number, true)
        compare(screen.changes, ["Run||", "Count|4|4"])
        screen.showPage(1)
        helper.tap(findChild(screen, "Open"))
        helper.waitForStack()
        var opened = helper.current()
        compare(opened.objectName, "")
        compare(opened.formTitle, "Open")
        compare(opened.formMenuTitle, "Open")
        compare(opened.formParam, "")
        compare(opened.pageSource, "qrc:/qmltest/TestMenuModel.qml")
        compare(opened.modelCount, 7)
    }
}

import QtQuick 2.15
import velmora.Orvane 1.0

// The settings of the application, the start-light engine and the device services, one per page:
// "GENERAL" and "SESSION" from the settings menu, "RACE" from the run screens. Every change is
// written at once through the owner's property; leaving the screen sends the settings to the
// remote clients.
SettingsForm {
    id: root

    // The owner of every setting the screen writes, by id.
    readonly property var owners: ({
        "currentLanguage": application, "displayboardMode": application, "dateFormat": application,
        "timeFormat": application, "displayboardTimeColor": application, "isHighContrast": application,
        "isTapHandlerEnabled": application, "repetitionTime1": application, "repetitionTime2": application,
        "repetitionTime3": application, "brightnessMode": systemHw, "brightness": systemHw,
        "powerSaveTime": systemHw, "outputSoundVolume": systemHw, "visualizationMode": sema,
        "sequenceMode": sema, "isShowTimeOfDay": sema, "isCheckFalseStart": sema, "isGenerateStart": sema,
        "isSkipOutOfWindow": sema, "isRestartWithNextMinute": sema, "offMode": sema, "delayFalseStart": sema
    })

    function titleText() {
        return qsTr("SETTINGS")
    }

    function choice(text, value) {
        return { "text": text, "value": value }
    }

    function listEntry(id, title, owner, choices, reloadOnChange) {
        return settingEntry(id, title, "list", { "value": owner[id], "listModel": choices,
                                                  "reloadOnChange": reloadOnChange === true })
    }

    function boolEntry(id, title, owner) {
        return settingEntry(id, title, "bool", { "value": owner[id] ? 1 : 0 })
    }

    function percentEntry(id, title, owner, min, minShowedValue) {
        return settingEntry(id, title, "percent", { "value": owner[id], "min": min, "max": 100, "step": 10,
                                                     "minShowedValue": minShowedValue })
    }

    // The repetition times are edited without hours, unless one is an hour or longer.
    function repetitionEntry(index) {
        var id = "repetitionTime" + index
        var time = application[id]
        return settingEntry(id, qsTr("Repetition time %1").arg(index), "time", {
            "time": time, "isShowHours": time >= DateTimeUtil.QH1 })
    }

    function networkText(nic) {
        return qsTr("IP Addr.: ") + systemHw.getCurrentIPAddress(nic) + "\n"
                + qsTr("Mask: ") + systemHw.getCurrentSubnetMask(nic) + "\n"
                + qsTr("Mode: ") + systemHw.getCurrentModeStr(nic) + "\n"
    }

    function appendBrightness(min) {
        settingsModel.append(listEntry("brightnessMode", qsTr("Brightness Mode"), systemHw, [
            choice(qsTr("Manual"), OrvaneEnum.MANUAL_BRIGHTNESS), choice(qsTr("Auto"), OrvaneEnum.AUTO_BRIGHTNESS)
        ], true))
        if (systemHw.brightnessMode === OrvaneEnum.MANUAL_BRIGHTNESS)
            settingsModel.append(percentEntry("brightness", qsTr("Brightness"), systemHw, min, 1))
    }

    function appendGeneral() {
        settingsModel.append(listEntry("currentLanguage", qsTr("Language"), application, [
            choice("English", OrvaneEnum.LANGUAGE_ENG), choice("Italiano", OrvaneEnum.LANGUAGE_ITA),
            choice("Deutsch", OrvaneEnum.LANGUAGE_DEU)
        ], true))
        settingsModel.append(listEntry("displayboardMode", qsTr("Displayboard Mode"), application, [
            choice(qsTr("Countdown"), OrvaneEnum.COUNTDOWN_MODE), choice(qsTr("Displayboard"), OrvaneEnum.DISPLAYBOARD_MODE)
        ], true))
        settingsModel.append(listEntry("dateFormat", qsTr("Date format"), application, [
            choice(qsTr("DD/MM/YYYY"), OrvaneEnum.DATE_FORMAT_DD_MM_YYYY),
            choice(qsTr("MM/DD/YYYY"), OrvaneEnum.DATE_FORMAT_MM_DD_YYYY)
        ]))
        settingsModel.append(listEntry("timeFormat", qsTr("Time format"), application, [
            choice("24H", OrvaneEnum.TIME_FORMAT_24_H), choice("12H", OrvaneEnum.TIME_FORMAT_12_H)
        ]))
        settingsModel.append(listEntry("displayboardTimeColor", qsTr("Time Color"), application, [
            choice(qsTr("Red"), DisplayboardEnum.DISP_COLOR_RED), choice(qsTr("Green"), DisplayboardEnum.DISP_COLOR_GREEN),
            choice(qsTr("Blue"), DisplayboardEnum.DISP_COLOR_BLUE)
        ]))
        appendBrightness(0)
        settingsModel.append(listEntry("powerSaveTime", qsTr("Power save"), systemHw, [
            choice(qsTr("Never"), 0), choice(qsTr("1 Minute"), 1), choice(qsTr("2 Minutes"), 2),
            choice(qsTr("5 Minutes"), 5), choice(qsTr("10 Minutes"), 10), choice(qsTr("30 Minutes"), 30)
        ]))
        settingsModel.append(boolEntry("isHighContrast", qsTr("High contrast"), application))
        settingsModel.append(boolEntry("isTapHandlerEnabled", qsTr("Touch point"), application))
        settingsModel.append(settingEntry("LAN", qsTr("LAN"), "text", { "text": networkText("eth0") }))
        settingsModel.append(settingEntry("WiFi", qsTr("WiFi"), "text", { "text": networkText("wlan0") }))
        settingsModel.append(settingEntry("Bluetooth", qsTr("Bluetooth"), "text", {
            "text": qsTr("Connected device: ") + "\n" + systemHw.bluetoothDeviceConnectedName + "\n" }))
    }

    function appendSession() {
        if (application.displayboardMode !== OrvaneEnum.COUNTDOWN_MODE)
            return
        var modes = []
        for (var mode = SemaEnum.VISUALIZATION_MODE_1; mode <= SemaEnum.VISUALIZATION_MODE_7; ++mode)
            modes.push(choice(qsTr("Mode %1").arg(mode - SemaEnum.VISUALIZATION_MODE_1 + 1), mode))
        settingsModel.append(listEntry("visualizationMode", qsTr("Visualization mode"), sema, modes))
        settingsModel.append(percentEntry("outputSoundVolume", qsTr("Loudspeaker volume"), systemHw, 0, -1))
        settingsModel.append(listEntry("sequenceMode", qsTr("Sequence mode"), sema, [
            choice(qsTr("Manual"), SemaEnum.SEQUENCE_MODE_MANUAL), choice(qsTr("Auto"), SemaEnum.SEQUENCE_MODE_AUTO),
            choice(qsTr("Auto Start"), SemaEnum.SEQUENCE_MODE_AUTOSTART)
        ]))
        settingsModel.append(boolEntry("isShowTimeOfDay", qsTr("Show time of day during sequence"), sema))
        settingsModel.append(boolEntry("isCheckFalseStart", qsTr("Advise false start"), sema))
        settingsModel.append(boolEntry("isGenerateStart", qsTr("Auto create start"), sema))
        settingsModel.append(boolEntry("isSkipOutOfWindow", qsTr("Skip event if light is off"), sema))
        settingsModel.append(boolEntry("isRestartWithNextMinute", qsTr("Restart on next full minute"), sema))
        settingsModel.append(listEntry("offMode", qsTr("Visual. with disabled seq."), sema, [
            choice(qsTr("All off"), SemaEnum.SEMA_OFF_MODE_OFF), choice(qsTr("Only red"), SemaEnum.SEMA_OFF_MODE_ONLY_RED),
            choice(qsTr("Blinking red"), SemaEnum.SEMA_OFF_MODE_BLINKING_RED),
            choice(qsTr("All on"), SemaEnum.SEMA_OFF_MODE_ON)
        ]))
        settingsModel.append(settingEntry("delayFalseStart", qsTr("Delay show false start"), "number", {
            "value": sema.delayFalseStart, "min": 0, "max": 10 }))
    }

    function appendRace() {
        appendBrightness(10)
        appendSession()
        if (application.displayboardMode === OrvaneEnum.COUNTDOWN_MODE) {
            for (var index = 1; index <= 3; ++index)
                settingsModel.append(repetitionEntry(index))
        }
    }

    function appendSettings() {
        if (formParam === "GENERAL")
            appendGeneral()
        else if (formParam === "SESSION")
            appendSession()
        else if (formParam === "RACE")
            appendRace()
        if (settingsModel.count === 0)
            settingsModel.append(settingEntry("", "", "text", { "text": qsTr("NO SETTINGS\nAVAILABLE") }))
    }

    onSettingChanged: {
        var owner = owners[id]
        if (owner)
            owner[id] = value
    }

    onPopping: application.sendSettings()
}

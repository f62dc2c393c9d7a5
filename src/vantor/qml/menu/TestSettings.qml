import QtQuick 2.15
import velmora.Orvane 1.0

// The technician's service functions, one per page: recovery boot, the single and the continuous
// LED tests, battery calibration and the timing-base calibration. The board is cleared when the
// screen opens and when it is left.
TestSettingsForm {
    id: root

    function titleText() {
        return qsTr("TEST SETTINGS")
    }

    function appendSettings() {
        settingsModel.append(settingEntry("RecoveryMode", qsTr("Recovery mode"), "button", {}))
        settingsModel.append(settingEntry("isSingleLedTest", qsTr("Single LED test"), "buttonUrl", {
            "url": "qrc:/menu/LedSingleTest.qml" }))
        settingsModel.append(settingEntry("isShowingLedTest", qsTr("Continuous LED test"), "bool", {
            "value": sema.isShowingLedTest ? 1 : 0 }))
        settingsModel.append(settingEntry("BatteryCalibration", qsTr("Battery calibration"), "button", {}))
        settingsModel.append(settingEntry("MeMenuOscillatorCalibration", qsTr("Oscillator Calibration"), "buttonUrl", {
            "url": "qrc:/menu/MenuPage.qml", "pageSource": "qrc:/menudata/MenuOscillatorCalibrationModel.qml" }))
    }

    function shownLedTest() {
        for (var i = 0; i < settingsModel.count; ++i) {
            if (settingsModel.get(i).id === "isShowingLedTest")
                return settingsModel.get(i).value === 1
        }
        return sema.isShowingLedTest
    }

    onSettingChanged: {
        switch (id) {
        case "RecoveryMode":
            systemHw.bootToRecoveryMode()
            break
        case "isShowingLedTest":
            sema.isShowingLedTest = value
            break
        case "BatteryCalibration":
            if (systemHw.activateBatteryCalibration()) {
                // A white frame marks the board while the battery is calibrated.
                application.displayboardTimeColor = DisplayboardEnum.DISP_COLOR_WHITE
                application.isInTestMenu = false
                displayboard.reset()
                displayboard.drawCornice()
            }
            break
        }
    }

    onPopping: {
        displayboard.reset()
        application.isInTestMenu = false
    }

    Component.onCompleted: {
        application.isInTestMenu = true
        displayboard.reset()
    }

    Connections {
        target: sema
        // The single LED test stops the continuous one: the switch shows what runs when the
        // technician comes back.
        function onIsShowingLedTestChanged() {
            if (root.shownLedTest() !== sema.isShowingLedTest)
                root.reloadMenu()
        }
    }
}

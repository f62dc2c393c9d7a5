import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import velmora.Orvane 1.0
import "../customcontrols"

// The Settings tab: Vantor's operator settings as nineteen choosers, read with "Get setting" and
// sent all at once with "Send setting".
Item {
    id: root

    property var window
    readonly property var backend: window.backend

    function onOff() {
        return [{ "text": qsTr("ON"), "value": true }, { "text": qsTr("OFF"), "value": false }]
    }
    function trueFalse() {
        return [{ "text": qsTr("TRUE"), "value": true }, { "text": qsTr("FALSE"), "value": false }]
    }
    function numbers(from, to, step) {
        var list = []
        for (var value = from; value <= to; value += step)
            list.push({ "text": String(value), "value": value })
        return list
    }

    // The choosers in screen order: the name used in code, the label and the entries.
    readonly property var definitions: [
        { "name": "language", "label": qsTr("Language"), "entries": [
                { "text": qsTr("English"), "value": OrvaneEnum.LANGUAGE_ENG },
                { "text": qsTr("Italiano"), "value": OrvaneEnum.LANGUAGE_ITA }] },
        { "name": "dateFormat", "label": qsTr("Date format"), "entries": [
                { "text": qsTr("DD/MM/YYYY"), "value": OrvaneEnum.DATE_FORMAT_DD_MM_YYYY },
                { "text": qsTr("MM/DD/YYYY"), "value": OrvaneEnum.DATE_FORMAT_MM_DD_YYYY }] },
        { "name": "timeFormat", "label": qsTr("Time format"), "entries": [
                { "text": qsTr("24H"), "value": OrvaneEnum.TIME_FORMAT_24_H },
                { "text": qsTr("12H"), "value": OrvaneEnum.TIME_FORMAT_12_H }] },
        { "name": "visualizationMode", "label": qsTr("Visualization Mode"), "entries": [
                { "text": qsTr("Mode 1"), "value": SemaEnum.VISUALIZATION_MODE_1 },
                { "text": qsTr("Mode 2"), "value": SemaEnum.VISUALIZATION_MODE_2 },
                { "text": qsTr("Mode 3"), "value": SemaEnum.VISUALIZATION_MODE_3 },
                { "text": qsTr("Mode 4"), "value": SemaEnum.VISUALIZATION_MODE_4 },
                { "text": qsTr("Mode 5"), "value": SemaEnum.VISUALIZATION_MODE_5 },
                { "text": qsTr("Mode 6"), "value": SemaEnum.VISUALIZATION_MODE_6 }] },
        { "name": "isHighContrast", "label": qsTr("Is High Contrast"), "entries": onOff() },
        { "name": "isTapHandlerEnabled", "label": qsTr("Is Tap Handler Enabled"), "entries": onOff() },
        { "name": "isShowTimeOfDay", "label": qsTr("Is Show Time of day"), "entries": trueFalse() },
        { "name": "isCheckFalseStart", "label": qsTr("Is Check False Start"), "entries": trueFalse() },
        { "name": "isGenerateStart", "label": qsTr("Is Generate Start"), "entries": trueFalse() },
        { "name": "offMode", "label": qsTr("Off Mode"), "entries": [
                { "text": qsTr("All off"), "value": SemaEnum.SEMA_OFF_MODE_OFF },
                { "text": qsTr("Only red"), "value": SemaEnum.SEMA_OFF_MODE_ONLY_RED },
                { "text": qsTr("Blinking red"), "value": SemaEnum.SEMA_OFF_MODE_BLINKING_RED },
                { "text": qsTr("All on"), "value": SemaEnum.SEMA_OFF_MODE_ON }] },
        { "name": "isSkipOutOfWindow", "label": qsTr("Is Skip Out Of Window"), "entries": trueFalse() },
        { "name": "isRestartWithNextMinute", "label": qsTr("Is Restart With Next Minute"), "entries": trueFalse() },
        { "name": "delayFalseStart", "label": qsTr("Delay false start"), "entries": numbers(0, 10, 1) },
        { "name": "outputSoundVolume", "label": qsTr("Output Sound Volume"), "entries": numbers(0, 100, 10) },
        { "name": "displayboardMode", "label": qsTr("Displayboard Mode"), "entries": [
                { "text": qsTr("Countdown"), "value": OrvaneEnum.COUNTDOWN_MODE },
                { "text": qsTr("Displayboard"), "value": OrvaneEnum.DISPLAYBOARD_MODE }] },
        { "name": "displayboardTimeColor", "label": qsTr("Time Color"), "entries": [
                { "text": qsTr("White"), "value": OrvaneEnum.DISP_COLOR_WHITE },
                { "text": qsTr("Red"), "value": OrvaneEnum.DISP_COLOR_RED },
                { "text": qsTr("Green"), "value": OrvaneEnum.DISP_COLOR_GREEN },
                { "text": qsTr("Yellow"), "value": OrvaneEnum.DISP_COLOR_YELLOW },
                { "text": qsTr("Blue"), "value": OrvaneEnum.DISP_COLOR_BLUE }] },
        { "name": "powerSaveTime", "label": qsTr("Power Save Time"), "entries": [
                { "text": qsTr("Never"), "value": 0 }, { "text": qsTr("1 Minute"), "value": 1 },
                { "text": qsTr("2 Minutes"), "value": 2 }, { "text": qsTr("5 Minutes"), "value": 5 },
                { "text": qsTr("10 Minutes"), "value": 10 }, { "text": qsTr("30 Minutes"), "value": 30 }] },
        { "name": "brightnessMode", "label": qsTr("Brightness Mode"), "entries": [
                { "text": qsTr("Manual"), "value": OrvaneEnum.MANUAL_BRIGHTNESS },
                { "text": qsTr("Auto"), "value": OrvaneEnum.AUTO_BRIGHTNESS }] },
        { "name": "brightness", "label": qsTr("Brightness"), "entries": numbers(10, 100, 10) }
    ]

    // The values of the last answer to "Get setting", by chooser name (undefined where the answer
    // had none), and the choosers the user has changed since.
    property var readValues: ({})
    property var changedByUser: ({})

    function chooserRow(name) {
        for (var i = 0; i < definitions.length; ++i) {
            if (definitions[i].name === name)
                return chooserRepeater.itemAt(i)
        }
        return null
    }

    function chooser(name) {
        var row = chooserRow(name)
        return row ? row.chooser : null
    }

    // What "Send setting" sends for a chooser: the entry the user chose, or else the value Vantor
    // reported, so that a setting nobody touched is written back as it was, even one that none of
    // the entries holds; before any answer, the chooser's entry.
    function value(name) {
        var combo = chooser(name)
        if (!changedByUser[name] && readValues[name] !== undefined)
            return readValues[name]
        return combo.model[combo.currentIndex].value
    }

    function select(name, received) {
        var row = chooserRow(name)
        var index = root.window.setComboBoxCurrentIndex(row.chooser, received)
        var listed = row.chooser.model[index].value === received
        // A value that no entry holds is shown as it is, not as the first entry.
        row.unlistedText = received === undefined || received === null || listed ? "" : String(received)
        readValues[name] = received === null ? undefined : received
        changedByUser[name] = false
    }

    function userChose(name) {
        changedByUser[name] = true
        chooserRow(name).unlistedText = ""
    }

    function applySettings1(language, dateFormat, timeFormat, visualizationMode, isHighContrast, isTapHandlerEnabled,
                            isShowTimeOfDay, isCheckFalseStart) {
        select("language", language)
        select("dateFormat", dateFormat)
        select("timeFormat", timeFormat)
        select("visualizationMode", visualizationMode)
        select("isHighContrast", isHighContrast)
        select("isTapHandlerEnabled", isTapHandlerEnabled)
        select("isShowTimeOfDay", isShowTimeOfDay)
        select("isCheckFalseStart", isCheckFalseStart)
    }

    function applySettings2(isGenerateStart, offMode, isSkipOutOfWindow, isRestartWithNextMinute, delayFalseStart) {
        select("isGenerateStart", isGenerateStart)
        select("offMode", offMode)
        select("isSkipOutOfWindow", isSkipOutOfWindow)
        select("isRestartWithNextMinute", isRestartWithNextMinute)
        select("delayFalseStart", delayFalseStart)
    }

    function applySettings3(outputSoundVolume, displayboardMode, powerSaveTime, brightnessMode, brightness,
                            displayboardTimeColor) {
        select("outputSoundVolume", outputSoundVolume)
        select("displayboardMode", displayboardMode)
        select("powerSaveTime", powerSaveTime)
        select("brightnessMode", brightnessMode)
        select("brightness", brightness)
        select("displayboardTimeColor", displayboardTimeColor)
    }

    function sendSettings() {
        root.backend.setSettings(value("language"), value("dateFormat"), value("timeFormat"),
                                 value("visualizationMode"), value("isHighContrast"), value("isTapHandlerEnabled"),
                                 value("isShowTimeOfDay"), value("isCheckFalseStart"), value("isGenerateStart"),
                                 value("offMode"), value("isSkipOutOfWindow"), value("isRestartWithNextMinute"),
                                 value("delayFalseStart"), value("outputSoundVolume"), value("displayboardMode"),
                                 value("powerSaveTime"), value("brightnessMode"), value("brightness"),
                                 value("displayboardTimeColor"))
    }

    // The choosers in one scrolling column, the two buttons in a column 150 wide to their right.
    RowLayout {
        anchors.fill: parent
        anchors.margins: 5
        spacing: 10

        PageScrollView {
            id: scroller
            objectName: "settingsScroller"
            Layout.fillWidth: true
            Layout.fillHeight: true

            Column {
                spacing: 4
                width: scroller.usableWidth

                Repeater {
                    id: chooserRepeater
                    model: root.definitions

                    RowLayout {
                        id: settingRow
                        property alias chooser: combo
                        // The value read from Vantor when none of the entries holds it.
                        property string unlistedText: ""
                        width: scroller.usableWidth
                        spacing: 5

                        FieldLabel {
                            Layout.preferredWidth: 180
                            text: modelData.label
                        }
                        ComboBoxItem {
                            id: combo
                            objectName: modelData.name
                            Layout.fillWidth: true
                            Layout.rightMargin: 5
                            backColor: "#F4F2F5"
                            borderColor: "grey"
                            borderColorUnselected: "grey"
                            font.pixelSize: 14
                            textRole: "text"
                            model: modelData.entries
                            currentIndex: 0
                            displayText: settingRow.unlistedText !== "" ? settingRow.unlistedText : currentText
                            onActivated: root.userChose(modelData.name)
                        }
                    }
                }
            }
        }

        ColumnLayout {
            Layout.fillWidth: false
            Layout.preferredWidth: 150
            Layout.minimumWidth: 150
            Layout.maximumWidth: 150
            Layout.alignment: Qt.AlignTop
            spacing: 5

            BetterButton {
                objectName: "getSettingsButton"
                Layout.fillWidth: true
                text: qsTr("Get setting")
                enabled: root.window.isConnected
                onClicked: root.backend.getSettings()
            }
            BetterButton {
                objectName: "sendSettingsButton"
                Layout.fillWidth: true
                text: qsTr("Send setting")
                enabled: root.window.isConnected
                onClicked: root.sendSettings()
            }
        }
    }
}

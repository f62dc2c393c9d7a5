import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import QtQuick.Window 2.15
import velmora.Orvane 1.0
import "customcontrols"
import "forms"
import "tabs"

// TestVantor's one window: the connection banner and address row, eleven tabs of commands, the
// status panel fed by Vantor's status messages, and the log.
Window {
    id: mainForm

    objectName: "MainForm"
    visible: true
    width: 750
    minimumWidth: 750
    height: 900
    minimumHeight: 850
    title: "Client"
    color: "#CED0D4"

    property string statusIsActive: ""
    property string statusTimeOfDay: ""
    property string statusIsRunning: ""
    property string statusColor: ""
    property string statusPixels: ""
    property string statusTime: ""
    property string statusDisplayboardMode: ""
    property string statusBibNumber: ""
    property string statusIsSynchronized: ""
    property string statusIsGPSEnabled: ""
    property string statusIsGPSValid: ""
    property string statusGPSSynchedStatus: ""
    property string statusIsGPSSynchedByCountinuos: ""
    property string statusGPSNumSatellites: ""
    property string statusIsWifiEnabled: ""
    property string statusWifiSignalLevel: ""
    property string statusBatteryPerc: ""
    property string statusIsExtSupplyValid: ""
    property string statusIsLowBattery: ""
    property string statusVersionNumber: ""
    // The index of the repetition time in use, as the last repetition-times answer gave it.
    property string statusRepetitionTimeIndex: ""
    property string calibrationMessage: ""
    property string calibrationDuration: ""
    property string calibrationRemaining: ""
    property bool isConnected: false
    property bool isCompleted: false
    property int rowIndexWidth: 45
    property int signWidth: 45
    property int timeWidth: 100
    property int colorWidth: 100
    property int toneWidth: 100
    property int windowWidth: 100
    property int bibNumberWidth: 60
    property ListModel semaSequenceModel: ListModel {}
    property ListModel semaStartingListModel: ListModel {}
    // The stored sequences of the last "Get sequences" answer.
    property var sequenceList: []

    property alias backend: backend
    property alias dateTimeUtil: dateTimeUtil
    property alias runningTimeTimer: runningTimeTimer
    property alias messageDialog: messageDialog
    property alias logArea: logArea
    property alias tabBar: tabBar
    property alias commandsTab: commandsTab
    property alias networkForm: networkForm
    property alias settingsTab: settingsTab
    property alias semaTab: semaTab
    property alias sequenceEditorTab: sequenceEditorTab
    property alias repetitionTimesTab: repetitionTimesTab
    property alias displayboardOutputTab: displayboardOutputTab
    property alias eventsTab: eventsTab
    property alias startingListEditorTab: startingListEditorTab
    property alias gpsForm: gpsForm
    property alias utilityTab: utilityTab
    property alias statusPanel: statusPanel

    function pad(value, digits) {
        var text = String(value)
        while (text.length < digits)
            text = "0" + text
        return text
    }

    function addMsg(someText) {
        var now = new Date()
        return "[" + pad(now.getHours(), 2) + ":" + pad(now.getMinutes(), 2) + ":" + pad(now.getSeconds(), 2) + "."
                + pad(now.getMilliseconds(), 3) + "] " + someText
    }

    function log(text) {
        logArea.append(addMsg(text))
    }

    function setComboBoxCurrentIndex(cmb, value) {
        var model = cmb.model
        var count = Array.isArray(model) ? model.length : (model && model.count !== undefined ? model.count : 0)
        for (var i = 0; i < count; ++i) {
            var entry = Array.isArray(model) ? model[i] : model.get(i)
            if (entry.value === value) {
                cmb.currentIndex = i
                return i
            }
        }
        cmb.currentIndex = 0
        return 0
    }

    function showMessage(text) {
        messageDialog.text = text
        messageDialog.open()
    }

    // The next whole minute of the date utility's clock, in ticks.
    function nextWholeMinute() {
        var minute = DateTimeUtil.QMIN1
        return (Math.floor(dateTimeUtil.getDateTime() / minute) + 1) * minute
    }

    // The next whole minute as local "HH:mm:ss".
    function nextWholeMinuteText() {
        return Qt.formatTime(new Date(nextWholeMinute() / DateTimeUtil.QMIL1), "HH:mm:ss")
    }

    // The local date of the next whole minute, so that a start time and its date go together.
    function nextWholeMinuteDateText() {
        return dateTimeUtil.displayDate(dateTimeUtil.localDate(nextWholeMinute()))
    }

    // The address as the entry shows it: each group of a dotted address with three digits.
    function paddedAddress(address) {
        if (!/^\d{1,3}\.\d{1,3}\.\d{1,3}\.\d{1,3}$/.test(address))
            return address
        return address.split(".").map(function(group) { return pad(group, 3) }).join(".")
    }

    // The address the user typed into the masked entry: its groups as written, an empty group as 0.
    function typedAddress(text) {
        var groups = text.split(".")
        if (groups.length !== 4)
            return text
        return groups.map(function(group) {
            var digits = group.replace(/[^0-9]/g, "")
            return digits === "" ? "0" : String(parseInt(digits, 10))
        }).join(".")
    }

    // The running time for the display board: minutes, seconds and hundredths of the local time.
    function runningTimeText(date) {
        return date.getMinutes() + ":" + pad(date.getSeconds(), 2) + "." + pad(Math.floor(date.getMilliseconds() / 10), 2)
    }

    Backend {
        id: backend
    }

    DateTimeUtil {
        id: dateTimeUtil
    }

    Timer {
        id: runningTimeTimer
        objectName: "runningTimeTimer"
        interval: 100
        repeat: true
        running: false
        onTriggered: backend.sendText(mainForm.runningTimeText(new Date(dateTimeUtil.getDateTime() / DateTimeUtil.QMIL1)))
    }

    Connections {
        target: backend

        function onStatusChanged(newStatus) {
            // Closing an attempt that never connected reports "not connected" again: one
            // connection, one line each way.
            if (newStatus !== mainForm.isConnected)
                mainForm.log(newStatus ? qsTr("CONNECTED") : qsTr("DISCONNECTED"))
            mainForm.isConnected = newStatus
        }

        function onSomeMessage(msg) {
            console.log(mainForm.addMsg(msg))
            mainForm.log(msg)
        }

        function onSomeError(err) {
            mainForm.log("Error! " + err)
            if (backend.currentStatus !== true)
                backend.disconnectClicked()
        }

        function onEventReceived(phisicalChannel, time, date, isAuto, bibNumber) {
            eventsTab.addEvent(phisicalChannel, time, date, isAuto, bibNumber)
        }

        function onSemaStatus1(isActive, timeOfDay, isRunning, color, pixels, time, displayboardMode, bibNumber) {
            if (mainForm.statusIsActive !== isActive) mainForm.statusIsActive = isActive
            if (mainForm.statusTimeOfDay !== timeOfDay) mainForm.statusTimeOfDay = timeOfDay
            if (mainForm.statusIsRunning !== isRunning) mainForm.statusIsRunning = isRunning
            if (mainForm.statusColor !== color) mainForm.statusColor = color
            if (mainForm.statusPixels !== pixels) mainForm.statusPixels = pixels
            if (mainForm.statusTime !== time) mainForm.statusTime = time
            if (mainForm.statusDisplayboardMode !== displayboardMode) mainForm.statusDisplayboardMode = displayboardMode
            if (mainForm.statusBibNumber !== bibNumber) mainForm.statusBibNumber = bibNumber
        }

        function onSemaStatus2(isSynchronized, isGPSEnabled, isGPSValid, gpsSynchedStatus, isGPSSynchedByCountinuos, gpsNumSatellites) {
            if (mainForm.statusIsSynchronized !== isSynchronized) mainForm.statusIsSynchronized = isSynchronized
            if (mainForm.statusIsGPSEnabled !== isGPSEnabled) mainForm.statusIsGPSEnabled = isGPSEnabled
            if (mainForm.statusIsGPSValid !== isGPSValid) mainForm.statusIsGPSValid = isGPSValid
            if (mainForm.statusGPSSynchedStatus !== gpsSynchedStatus) mainForm.statusGPSSynchedStatus = gpsSynchedStatus
            if (mainForm.statusIsGPSSynchedByCountinuos !== isGPSSynchedByCountinuos)
                mainForm.statusIsGPSSynchedByCountinuos = isGPSSynchedByCountinuos
            if (mainForm.statusGPSNumSatellites !== gpsNumSatellites) mainForm.statusGPSNumSatellites = gpsNumSatellites
        }

        function onSemaStatus3(isWifiEnabled, wifiSignalLevel, batteryPerc, isExtSupplyValid, isLowBattery) {
            if (mainForm.statusIsWifiEnabled !== isWifiEnabled) mainForm.statusIsWifiEnabled = isWifiEnabled
            if (mainForm.statusWifiSignalLevel !== wifiSignalLevel) mainForm.statusWifiSignalLevel = wifiSignalLevel
            if (mainForm.statusBatteryPerc !== batteryPerc) mainForm.statusBatteryPerc = batteryPerc
            if (mainForm.statusIsExtSupplyValid !== isExtSupplyValid) mainForm.statusIsExtSupplyValid = isExtSupplyValid
            if (mainForm.statusIsLowBattery !== isLowBattery) mainForm.statusIsLowBattery = isLowBattery
        }

        function onVersionNumber(version) {
            mainForm.statusVersionNumber = version
        }

        function onCalibrationReceived(message, duration, remaining) {
            mainForm.calibrationMessage = message
            mainForm.calibrationDuration = duration
            mainForm.calibrationRemaining = remaining
        }

        function onSettings1Received(language, dateFormat, timeFormat, visualizationMode, isHighContrast,
                                     isTapHandlerEnabled, isShowTimeOfDay, isCheckFalseStart) {
            settingsTab.applySettings1(language, dateFormat, timeFormat, visualizationMode, isHighContrast,
                                       isTapHandlerEnabled, isShowTimeOfDay, isCheckFalseStart)
        }

        function onSettings2Received(isGenerateStart, offMode, isSkipOutOfWindow, isRestartWithNextMinute, delayFalseStart) {
            settingsTab.applySettings2(isGenerateStart, offMode, isSkipOutOfWindow, isRestartWithNextMinute, delayFalseStart)
        }

        function onSettings3Received(outputSoundVolume, displayboardMode, powerSaveTime, brightnessMode, brightness,
                                     displayboardTimeColor) {
            settingsTab.applySettings3(outputSoundVolume, displayboardMode, powerSaveTime, brightnessMode, brightness,
                                       displayboardTimeColor)
        }

        function onRepetitionTimesReceived(repetitionTime1, repetitionTime2, repetitionTime3, repetitionTimeIndex) {
            repetitionTimesTab.applyTimes(repetitionTime1, repetitionTime2, repetitionTime3, repetitionTimeIndex)
            if (repetitionTimeIndex !== "")
                mainForm.statusRepetitionTimeIndex = repetitionTimeIndex
        }

        function onSequencesResultsDone(list) {
            mainForm.sequenceList = list
        }
    }

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 10
        spacing: 5

        Rectangle {
            objectName: "connectionBanner"
            Layout.fillWidth: true
            Layout.preferredHeight: bannerText.height + 15
            color: backend.currentStatus ? "#CAF5CF" : "#EA9FA9"

            Text {
                id: bannerText
                objectName: "bannerText"
                anchors.centerIn: parent
                font.bold: true
                text: backend.currentStatus ? qsTr("CONNECTED") : qsTr("DISCONNECTED")
            }
        }

        RowLayout {
            Layout.alignment: Qt.AlignHCenter
            spacing: 10

            Label {
                text: qsTr("IP address")
            }

            InputBox {
                Layout.preferredWidth: 150
                enabled: connectButton.enabled

                TextInput {
                    id: ipAddressInput
                    objectName: "ipAddressInput"
                    anchors.fill: parent
                    anchors.margins: 4
                    verticalAlignment: TextInput.AlignVCenter
                    font.pixelSize: 14
                    // Unfilled places show as "_", so that the groups read back exactly as typed.
                    inputMask: "000.000.000.000;_"
                    text: mainForm.paddedAddress(backend.ipAddress)
                    selectByMouse: true
                    color: enabled ? "black" : "grey"
                }
            }

            BetterButton {
                id: connectButton
                objectName: "connectButton"
                text: qsTr("Connect to Orvane")
                enabled: !mainForm.isConnected
                onClicked: {
                    mainForm.log(qsTr("Connecting to Orvane..."))
                    backend.ipAddress = mainForm.typedAddress(ipAddressInput.text)
                    backend.connectClicked()
                }
            }

            BetterButton {
                id: disconnectButton
                objectName: "disconnectButton"
                text: qsTr("Disconnect from Orvane")
                enabled: mainForm.isConnected
                onClicked: {
                    mainForm.log(qsTr("Disconnecting from Orvane..."))
                    backend.disconnectClicked()
                }
            }
        }

        // The tab area keeps its height, tall enough for every page; the status panel gives up a
        // little of its own in the smallest window; the log takes what is left and scrolls inside
        // it, however long it gets.
        ColumnLayout {
            objectName: "tabArea"
            Layout.fillWidth: true
            Layout.preferredHeight: 420
            Layout.minimumHeight: 420
            Layout.maximumHeight: 420
            Layout.leftMargin: 15
            Layout.rightMargin: 15
            Layout.topMargin: 5
            Layout.bottomMargin: 5
            spacing: 0

            // The tabs do not all fit a narrow window: arrows beside the bar step to the tabs out of
            // view, and the bar scrolls to the current one.
            RowLayout {
                id: tabRow
                Layout.fillWidth: true
                Layout.fillHeight: false
                spacing: 0

                readonly property bool overflows: tabBar.contentWidth > tabRow.width

                ToolButton {
                    objectName: "previousTabButton"
                    Layout.preferredWidth: 24
                    Layout.preferredHeight: tabBar.height
                    visible: tabRow.overflows
                    enabled: tabBar.currentIndex > 0
                    text: "\u2039"
                    onClicked: tabBar.decrementCurrentIndex()
                }

                TabBar {
                    id: tabBar
                    objectName: "tabBar"
                    Layout.fillWidth: true
                    clip: true

                    Repeater {
                        model: [qsTr("Commands"), qsTr("Network"), qsTr("Settings"), qsTr("Sema"), qsTr("Internal Sequence"),
                            qsTr("Repetition Times"), qsTr("Displayboard Output"), qsTr("Events"), qsTr("Starting List"),
                            qsTr("GPS"), qsTr("Utility")]

                        TabButton {
                            text: modelData
                            width: implicitWidth
                        }
                    }
                }

                ToolButton {
                    objectName: "nextTabButton"
                    Layout.preferredWidth: 24
                    Layout.preferredHeight: tabBar.height
                    visible: tabRow.overflows
                    enabled: tabBar.currentIndex < tabBar.count - 1
                    text: "\u203A"
                    onClicked: tabBar.incrementCurrentIndex()
                }
            }

            StackLayout {
                id: tabStack
                objectName: "tabStack"
                Layout.fillWidth: true
                Layout.fillHeight: true
                // A page never draws over the status panel or beyond the window's margin.
                clip: true
                currentIndex: tabBar.currentIndex

                CommandsTab {
                    id: commandsTab
                    window: mainForm
                }
                NetworkForm {
                    id: networkForm
                    window: mainForm
                    enabled: mainForm.isConnected
                }
                SettingsTab {
                    id: settingsTab
                    window: mainForm
                }
                SemaTab {
                    id: semaTab
                    window: mainForm
                }
                SequenceEditorTab {
                    id: sequenceEditorTab
                    window: mainForm
                }
                RepetitionTimesTab {
                    id: repetitionTimesTab
                    window: mainForm
                }
                DisplayboardOutputTab {
                    id: displayboardOutputTab
                    window: mainForm
                }
                EventsTab {
                    id: eventsTab
                    window: mainForm
                }
                StartingListEditorTab {
                    id: startingListEditorTab
                    window: mainForm
                }
                GpsForm {
                    id: gpsForm
                    window: mainForm
                    enabled: mainForm.isConnected
                }
                UtilityTab {
                    id: utilityTab
                    window: mainForm
                }
            }
        }

        StatusPanel {
            id: statusPanel
            window: mainForm
            Layout.fillWidth: true
            Layout.preferredHeight: 250
            Layout.minimumHeight: 220
            Layout.maximumHeight: 250
            Layout.leftMargin: 15
            Layout.rightMargin: 15
            Layout.topMargin: 5
            Layout.bottomMargin: 5
        }

        LogList {
            id: logArea
            objectName: "logArea"
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.minimumHeight: 50
            Layout.preferredHeight: 50
        }
    }

    Dialog {
        id: messageDialog
        objectName: "messageDialog"

        property alias text: messageText.text

        anchors.centerIn: parent
        modal: true
        standardButtons: Dialog.Ok

        Label {
            id: messageText
            objectName: "messageText"
        }
    }

    Component.onCompleted: mainForm.isCompleted = true
}

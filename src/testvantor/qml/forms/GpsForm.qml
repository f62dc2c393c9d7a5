import QtQuick 2.15
import QtQuick.Controls 2.15
import velmora.Orvane 1.0
import "../customcontrols"

// The "GPS" tab: reads and writes Vantor's GPS switch, synchronisation mode and time-zone shift.
Item {
    id: root

    property var window
    readonly property var backend: window.backend
    property int currentSyncMode: GPSEnum.GPS_SYNC_NONE
    property int currentTimeZoneShift: 0
    property string statusIsSynchronized: ""
    property string statusIsGPSEnabled: ""
    property string statusIsGPSValid: ""
    property string statusIsGPSSynchedByCountinuos: ""

    property alias gpsSwitch: gpsSwitch
    property alias syncModeChooser: syncModeChooser
    property alias timeZoneChooser: timeZoneChooser

    function zones() {
        var shifts = [0, 60, 120, 180, 210, 240, 270, 300, 330, 345, 360, 390, 420, 480, 510, 540, 570, 600, 660, 720,
                      780, 840, -60, -120, -180, -210, -240, -270, -300, -360, -420, -480, -540, -600, -660, -720,
                      -780, -840]
        var list = []
        for (var i = 0; i < shifts.length; ++i) {
            var shift = shifts[i]
            var text = "UTC"
            if (shift !== 0) {
                var minutes = Math.abs(shift)
                text += (shift > 0 ? "+" : "-") + root.window.pad(Math.floor(minutes / 60), 2) + ":"
                        + root.window.pad(minutes % 60, 2)
            }
            list.push({ "text": text, "value": shift })
        }
        return list
    }

    // Selects the first entry with the value; a value without an entry leaves the chooser as it is.
    function selectValue(chooser, value) {
        for (var i = 0; i < chooser.model.length; ++i) {
            if (chooser.model[i].value === value) {
                chooser.currentIndex = i
                return
            }
        }
    }

    Connections {
        target: root.backend
        function onGpsIsEnabled(enabled) {
            gpsSwitch.checked = enabled
        }
        function onGpsSyncMode(syncMode) {
            root.currentSyncMode = syncMode
            root.selectValue(syncModeChooser, syncMode)
        }
        function onGpsTimeZoneShift(timeZoneShift) {
            root.currentTimeZoneShift = timeZoneShift
            root.selectValue(timeZoneChooser, timeZoneShift)
        }
        function onSemaStatus2(isSynchronized, isGPSEnabled, isGPSValid, gpsSynchedStatus, isGPSSynchedByCountinuos,
                               gpsNumSatellites) {
            if (root.statusIsSynchronized !== isSynchronized) root.statusIsSynchronized = isSynchronized
            if (root.statusIsGPSEnabled !== isGPSEnabled) root.statusIsGPSEnabled = isGPSEnabled
            if (root.statusIsGPSValid !== isGPSValid) root.statusIsGPSValid = isGPSValid
            if (root.statusIsGPSSynchedByCountinuos !== isGPSSynchedByCountinuos)
                root.statusIsGPSSynchedByCountinuos = isGPSSynchedByCountinuos
        }
    }

    Label {
        id: gpsEnabledLabel
        x: 0
        y: 0
        text: qsTr("GPS Enabled")
    }
    SwitchItem {
        id: gpsSwitch
        objectName: "gpsSwitch"
        x: 0
        // Below its label.
        y: gpsEnabledLabel.y + gpsEnabledLabel.height + 2
        onCheckedChanged: root.backend.setGPSEnabled(checked)
    }

    Label {
        id: syncModeLabel
        x: 0
        y: 88
        text: qsTr("GPS Sync Mode")
    }
    ComboBoxItem {
        id: syncModeChooser
        objectName: "gpsSyncMode"
        x: 0
        // Below its label.
        y: syncModeLabel.y + syncModeLabel.height + 2
        width: 190
        height: 42
        backColor: "#F4F2F5"
        borderColor: "grey"
        borderColorUnselected: "grey"
        textRole: "text"
        model: [{ "text": qsTr("One Time"), "value": GPSEnum.GPS_SYNC_ONE_TIME },
            { "text": qsTr("None"), "value": GPSEnum.GPS_SYNC_NONE },
            { "text": qsTr("Continuous"), "value": GPSEnum.GPS_SYNC_CONTINUOS }]
        Component.onCompleted: root.selectValue(syncModeChooser, root.currentSyncMode)
    }

    Label {
        id: timeZoneLabel
        x: 200
        y: 88
        text: qsTr("Time zone")
    }
    ComboBoxItem {
        id: timeZoneChooser
        objectName: "gpsTimeZone"
        x: 200
        // Below its label.
        y: timeZoneLabel.y + timeZoneLabel.height + 2
        width: 190
        height: 42
        backColor: "#F4F2F5"
        borderColor: "grey"
        borderColorUnselected: "grey"
        textRole: "text"
        model: root.zones()
        Component.onCompleted: root.selectValue(timeZoneChooser, root.currentTimeZoneShift)
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 5
        spacing: 10
        layoutDirection: Qt.RightToLeft

        BetterButton {
            objectName: "gpsSetButton"
            text: qsTr("Set status")
            onClicked: {
                root.backend.setGPSEnabled(gpsSwitch.checked)
                root.backend.setGPSTimeZoneShift(timeZoneChooser.model[timeZoneChooser.currentIndex].value)
                root.backend.setGPSSyncMode(syncModeChooser.model[syncModeChooser.currentIndex].value)
            }
        }
        BetterButton {
            objectName: "gpsGetButton"
            text: qsTr("Get status")
            onClicked: {
                root.backend.getGPSEnabled()
                root.backend.getGPSTimeZoneShift()
                root.backend.getGPSSyncMode()
            }
        }
    }
}

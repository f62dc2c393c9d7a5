import QtQuick 2.15
import QtQuick.Controls 2.15

// The status of Vantor as its status messages report it, in a grid of three columns.
GroupBox {
    id: root

    property var window

    objectName: "statusPanel"
    title: qsTr("Status")

    function colorOf(text) {
        switch (text) {
        case "RED":
            return "#CC3333"
        case "BLUE":
            return "#3366CC"
        case "YELLOW":
            return "#d29730"
        case "GREEN":
            return "#99CC00"
        default:
            return "transparent"
        }
    }

    readonly property bool gpsDetailsShown: root.window.statusIsGPSEnabled !== qsTr("Disabled")

    ScrollView {
        anchors.fill: parent
        clip: true

        Grid {
            columns: 3
            spacing: 10

            Label {
                objectName: "cellIsActive"
                text: qsTr("Is active") + ": " + root.window.statusIsActive
            }
            Label {
                objectName: "cellMode"
                text: qsTr("Mode") + ": " + root.window.statusDisplayboardMode
            }
            Label {
                objectName: "cellTimeOfDay"
                text: qsTr("Time of day") + ": " + root.window.statusTimeOfDay
            }
            Label {
                objectName: "cellIsRunning"
                text: qsTr("Is running") + ": " + root.window.statusIsRunning
            }
            Label {
                objectName: "cellRepetitionIndex"
                text: qsTr("Repetition Index") + ": " + root.window.statusRepetitionTimeIndex
            }
            Row {
                objectName: "cellColor"
                spacing: 5
                visible: root.window.statusColor !== ""
                Label {
                    text: qsTr("Color") + ": "
                    anchors.verticalCenter: parent.verticalCenter
                }
                Rectangle {
                    width: 20
                    height: 20
                    radius: 10
                    color: root.colorOf(root.window.statusColor)
                }
                Label {
                    text: root.window.statusColor
                    anchors.verticalCenter: parent.verticalCenter
                }
            }
            Label {
                objectName: "cellBibNumber"
                visible: root.window.statusBibNumber !== "0"
                text: qsTr("BibNumber") + ": " + (root.window.statusBibNumber !== "0" ? root.window.statusBibNumber : "")
            }
            Label {
                objectName: "cellPixels"
                visible: root.window.statusPixels !== ""
                text: qsTr("Pixels") + ": " + root.window.statusPixels
            }
            Label {
                objectName: "cellTime"
                visible: root.window.statusTime !== ""
                text: qsTr("Time") + ": " + root.window.statusTime
            }
            Label {
                objectName: "cellIsSynchronized"
                text: qsTr("IsSynchronized") + ": " + root.window.statusIsSynchronized
            }
            Label {
                objectName: "cellIsGPSEnabled"
                text: qsTr("IsGPSEnabled") + ": " + root.window.statusIsGPSEnabled
            }
            Label {
                objectName: "cellIsGPSValid"
                visible: root.gpsDetailsShown
                text: qsTr("IsGPSValid") + ": " + root.window.statusIsGPSValid
            }
            Label {
                objectName: "cellGPSSynchedStatus"
                visible: root.gpsDetailsShown
                text: qsTr("GPSSynchedStatus") + ": " + root.window.statusGPSSynchedStatus
            }
            Label {
                objectName: "cellIsGPSSynchedByCountinuos"
                visible: root.gpsDetailsShown
                text: qsTr("IsGPSSynchedByCountinuos") + ": " + root.window.statusIsGPSSynchedByCountinuos
            }
            Label {
                objectName: "cellGPSNumSatellites"
                visible: root.gpsDetailsShown
                text: qsTr("GPSNumSatellites") + ": " + root.window.statusGPSNumSatellites
            }
            Label {
                objectName: "cellWifi"
                text: qsTr("Wifi") + ": " + root.window.statusIsWifiEnabled
                      + (root.window.statusIsWifiEnabled === qsTr("Enabled") ? " (" + root.window.statusWifiSignalLevel + ")" : "")
            }
            Label {
                objectName: "cellBatteryPerc"
                visible: root.window.statusTime !== ""
                text: qsTr("Battery Perc") + ": " + root.window.statusBatteryPerc
            }
            Label {
                objectName: "cellIsExtSupplyValid"
                text: qsTr("Is ExtSupply Valid") + ": " + root.window.statusIsExtSupplyValid
            }
            Label {
                objectName: "cellIsLowBattery"
                text: qsTr("Is Low Battery") + ": " + root.window.statusIsLowBattery
            }
        }
    }
}

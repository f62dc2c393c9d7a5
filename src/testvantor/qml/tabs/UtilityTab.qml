import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../customcontrols"

// The Utility tab: the progress of the device's time-base calibration and the buttons that start
// and stop it or its test run.
Item {
    id: root

    property var window
    readonly property var backend: window.backend

    ColumnLayout {
        anchors.fill: parent
        anchors.margins: 10
        spacing: 20

        Label {
            objectName: "calibrationMessage"
            text: qsTr("Message") + ": " + root.window.calibrationMessage
        }
        Label {
            objectName: "calibrationDuration"
            text: qsTr("Duration") + ": " + root.window.calibrationDuration
        }
        Label {
            objectName: "calibrationRemaining"
            text: qsTr("Remaining") + ": " + root.window.calibrationRemaining
        }

        RowLayout {
            spacing: 10
            BetterButton {
                objectName: "startTestCalibrationButton"
                text: qsTr("Start test Calibration")
                enabled: root.window.isConnected
                onClicked: root.backend.startTestCalibration()
            }
            BetterButton {
                objectName: "stopTestCalibrationButton"
                text: qsTr("Stop test Calibration")
                enabled: root.window.isConnected
                onClicked: root.backend.stopTestCalibration()
            }
            BetterButton {
                objectName: "startCalibrationButton"
                text: qsTr("Start Calibration")
                enabled: root.window.isConnected
                onClicked: root.backend.startCalibration()
            }
            BetterButton {
                objectName: "stopCalibrationButton"
                text: qsTr("Stop Calibration")
                enabled: root.window.isConnected
                onClicked: root.backend.stopCalibration()
            }
        }

        Item {
            Layout.fillHeight: true
        }
    }
}

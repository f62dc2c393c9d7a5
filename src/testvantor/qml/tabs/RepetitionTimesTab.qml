import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../customcontrols"

// The "Repetition Times" tab: reads and writes Vantor's three repetition times and the index of the
// one in use.
Item {
    id: root

    property var window
    readonly property var backend: window.backend

    property alias time1Input: time1Input
    property alias time2Input: time2Input
    property alias time3Input: time3Input
    property alias indexInput: indexInput

    // Each text of an answer that is not empty replaces its input's text.
    function applyTimes(repetitionTime1, repetitionTime2, repetitionTime3, repetitionTimeIndex) {
        if (repetitionTime1 !== "")
            time1Input.text = repetitionTime1
        if (repetitionTime2 !== "")
            time2Input.text = repetitionTime2
        if (repetitionTime3 !== "")
            time3Input.text = repetitionTime3
        if (repetitionTimeIndex !== "")
            indexInput.text = repetitionTimeIndex
    }

    RowLayout {
        anchors.fill: parent
        anchors.margins: 5
        spacing: 10

        GridLayout {
            columns: 2
            columnSpacing: 5
            rowSpacing: 5
            Layout.alignment: Qt.AlignTop

            FieldLabel {
                Layout.preferredWidth: 150
                text: qsTr("Repetition time 1")
            }
            InputBox {
                Layout.preferredWidth: 150
                TextInput {
                    id: time1Input
                    objectName: "repetitionTime1"
                    anchors.fill: parent
                    anchors.margins: 4
                    verticalAlignment: TextInput.AlignVCenter
                    font.pixelSize: 14
                    inputMethodHints: Qt.ImhDigitsOnly
                    selectByMouse: true
                }
            }
            FieldLabel {
                Layout.preferredWidth: 150
                text: qsTr("Repetition time 2")
            }
            InputBox {
                Layout.preferredWidth: 150
                TextInput {
                    id: time2Input
                    objectName: "repetitionTime2"
                    anchors.fill: parent
                    anchors.margins: 4
                    verticalAlignment: TextInput.AlignVCenter
                    font.pixelSize: 14
                    inputMethodHints: Qt.ImhDigitsOnly
                    selectByMouse: true
                }
            }
            FieldLabel {
                Layout.preferredWidth: 150
                text: qsTr("Repetition time 3")
            }
            InputBox {
                Layout.preferredWidth: 150
                TextInput {
                    id: time3Input
                    objectName: "repetitionTime3"
                    anchors.fill: parent
                    anchors.margins: 4
                    verticalAlignment: TextInput.AlignVCenter
                    font.pixelSize: 14
                    inputMethodHints: Qt.ImhDigitsOnly
                    selectByMouse: true
                }
            }
            FieldLabel {
                Layout.preferredWidth: 150
                text: qsTr("Repetition index")
            }
            InputBox {
                Layout.preferredWidth: 150
                TextInput {
                    id: indexInput
                    objectName: "repetitionIndex"
                    anchors.fill: parent
                    anchors.margins: 4
                    verticalAlignment: TextInput.AlignVCenter
                    font.pixelSize: 14
                    inputMethodHints: Qt.ImhDigitsOnly
                    selectByMouse: true
                }
            }
        }

        ColumnLayout {
            Layout.alignment: Qt.AlignTop
            spacing: 5
            BetterButton {
                objectName: "getRepetitionButton"
                Layout.preferredWidth: 150
                text: qsTr("Get Info")
                enabled: root.window.isConnected
                onClicked: root.backend.getRepetitionTimes()
            }
            BetterButton {
                objectName: "sendTimesButton"
                Layout.preferredWidth: 150
                text: qsTr("Send Times")
                enabled: root.window.isConnected
                onClicked: root.backend.setRepetitionTimes(time1Input.text, time2Input.text, time3Input.text, "")
            }
            BetterButton {
                objectName: "sendIndexButton"
                Layout.preferredWidth: 150
                text: qsTr("Send Index")
                enabled: root.window.isConnected
                onClicked: root.backend.setRepetitionTimes("", "", "", indexInput.text)
            }
        }

        // The buttons stand beside the inputs; the rest of the row stays empty.
        Item {
            Layout.fillWidth: true
        }
    }
}

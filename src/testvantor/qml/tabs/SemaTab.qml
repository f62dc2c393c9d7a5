import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import velmora.Orvane 1.0
import "../customcontrols"

// The "Sema" tab: sets the start light of Vantor directly, with a colour, a tone and a text with a
// time and date.
Item {
    id: root

    property var window
    readonly property var backend: window.backend

    property alias colorChooser: colorChooser
    property alias soundChooser: soundChooser
    property alias textInput: textInput
    property alias showTimeInput: showTimeInput
    property alias showDateInput: showDateInput

    function send() {
        root.backend.setSema(colorChooser.model[colorChooser.currentIndex].value,
                             soundChooser.model[soundChooser.currentIndex].value, textInput.displayText,
                             showTimeInput.displayText, showDateInput.displayText)
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
                Layout.preferredWidth: 80
                text: qsTr("Color")
            }
            ComboBoxItem {
                id: colorChooser
                objectName: "semaColor"
                Layout.preferredWidth: 200
                backColor: "#F4F2F5"
                borderColor: "grey"
                borderColorUnselected: "grey"
                font.pixelSize: 14
                textRole: "text"
                model: [{ "text": qsTr("Off"), "value": SemaEnum.SEMA_COLOR_OFF },
                    { "text": qsTr("Red"), "value": SemaEnum.SEMA_COLOR_RED },
                    { "text": qsTr("Yellow"), "value": SemaEnum.SEMA_COLOR_YELLOW },
                    { "text": qsTr("Green"), "value": SemaEnum.SEMA_COLOR_GREEN },
                    { "text": qsTr("Pixel"), "value": SemaEnum.SEMA_COLOR_PIXEL },
                    { "text": qsTr("Yellow pixel"), "value": SemaEnum.SEMA_COLOR_YELLOW_PIXEL }]
            }
            FieldLabel {
                Layout.preferredWidth: 80
                text: qsTr("Sound")
            }
            ComboBoxItem {
                id: soundChooser
                objectName: "semaSound"
                Layout.preferredWidth: 200
                backColor: "#F4F2F5"
                borderColor: "grey"
                borderColorUnselected: "grey"
                font.pixelSize: 14
                textRole: "text"
                model: [{ "text": qsTr("Silent"), "value": SemaEnum.NO_SEMA_SOUND },
                    { "text": qsTr("Bip"), "value": SemaEnum.SEMA_SOUND_BIP },
                    { "text": qsTr("Boop"), "value": SemaEnum.SEMA_SOUND_BOOP },
                    { "text": qsTr("Long Bip"), "value": SemaEnum.SEMA_SOUND_LONG_BIP },
                    { "text": qsTr("Long Boop"), "value": SemaEnum.SEMA_SOUND_LONG_BOOP }]
            }
            FieldLabel {
                Layout.preferredWidth: 80
                text: qsTr("Time")
            }
            InputBox {
                Layout.preferredWidth: 200
                TextInput {
                    id: textInput
                    objectName: "semaText"
                    anchors.fill: parent
                    anchors.margins: 4
                    verticalAlignment: TextInput.AlignVCenter
                    font.pixelSize: 14
                    inputMethodHints: Qt.ImhDigitsOnly
                    selectByMouse: true
                }
            }
            FieldLabel {
                Layout.preferredWidth: 80
                text: qsTr("Show Time")
            }
            InputBox {
                Layout.preferredWidth: 200
                TextInput {
                    id: showTimeInput
                    objectName: "semaShowTime"
                    anchors.fill: parent
                    anchors.margins: 4
                    verticalAlignment: TextInput.AlignVCenter
                    font.pixelSize: 14
                    inputMask: "99:99:99;0;"
                    Component.onCompleted: text = root.window.nextWholeMinuteText()
                }
            }
            FieldLabel {
                Layout.preferredWidth: 80
                text: qsTr("Show Date")
            }
            InputBox {
                Layout.preferredWidth: 200
                TextInput {
                    id: showDateInput
                    objectName: "semaShowDate"
                    anchors.fill: parent
                    anchors.margins: 4
                    verticalAlignment: TextInput.AlignVCenter
                    font.pixelSize: 14
                    inputMask: "99/99/9999;0;"
                    Component.onCompleted: text = root.window.nextWholeMinuteDateText()
                }
            }
        }

        BetterButton {
            objectName: "setSemaButton"
            Layout.preferredWidth: 150
            Layout.alignment: Qt.AlignTop
            text: qsTr("Set Sema")
            tooltip: qsTr("Set the text, color and sound on device")
            enabled: root.window.isConnected
            onClicked: root.send()
        }

        // The buttons stand beside the inputs; the rest of the row stays empty.
        Item {
            Layout.fillWidth: true
        }
    }
}

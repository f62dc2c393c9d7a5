import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import "../customcontrols"

// The "Displayboard Output" tab: free text for Vantor's display board, or a running clock sent
// every 100 ms.
Item {
    id: root

    property var window
    readonly property var backend: window.backend

    property alias outputInput: outputInput
    property alias runningTimeBox: runningTimeBox

    RowLayout {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 5
        spacing: 10

        FieldLabel {
            Layout.preferredWidth: 150
            text: qsTr("Displayboard Output")
        }
        InputBox {
            Layout.preferredWidth: 150
            TextInput {
                id: outputInput
                objectName: "displayboardOutputInput"
                anchors.fill: parent
                anchors.margins: 4
                verticalAlignment: TextInput.AlignVCenter
                font.pixelSize: 14
                selectByMouse: true
            }
        }
        CheckBox {
            id: runningTimeBox
            objectName: "runningTimeBox"
            // At least 130, and never so narrow that the text is cut.
            Layout.preferredWidth: Math.max(130, implicitWidth)
            text: qsTr("Running time")
            checked: false
            onCheckedChanged: {
                if (checked)
                    root.window.runningTimeTimer.start()
                else
                    root.window.runningTimeTimer.stop()
            }
        }
        BetterButton {
            objectName: "sendOutputButton"
            text: qsTr("Send")
            enabled: root.window.isConnected
            onClicked: root.backend.sendText(outputInput.text)
        }
        Item {
            Layout.fillWidth: true
        }
    }
}

import QtQuick 2.15
import "qrc:/customcontrols"

// Layout of the message box: a dimmed layer, the green header and up to three captions.
AppStackItem {
    id: root

    property string headerText: ""
    property string textF1: ""
    property string textF2: ""
    property string textF3: ""
    property bool buttonsVisible: textF1 !== "" || textF2 !== "" || textF3 !== ""
    property bool isClosing: false

    // Three captions share the width less the gaps and a small margin at each side; two take a
    // third of the width each when F1 and F2 are both captioned, otherwise a button is 100 wide.
    readonly property int buttonSpacing: 20
    readonly property int visibleButtons: (textF1 !== "" ? 1 : 0) + (textF2 !== "" ? 1 : 0) + (textF3 !== "" ? 1 : 0)
    readonly property real buttonWidth: textF1 !== "" && textF2 !== ""
                                        ? Math.min(width / 3, (width - 10 - (visibleButtons - 1) * buttonSpacing) / visibleButtons)
                                        : 100

    property alias dimmingLayer: dimmingLayer
    property alias touchArea: touchArea
    property alias header: header
    property alias headerLabel: headerLabel
    property alias buttonRow: buttonRow
    property alias buttonF1: buttonF1
    property alias buttonF2: buttonF2
    property alias buttonF3: buttonF3
    property alias touchF1: touchF1
    property alias touchF2: touchF2
    property alias touchF3: touchF3

    color: "transparent"

    Rectangle {
        id: dimmingLayer
        objectName: "dimmingLayer"
        anchors.fill: parent
        color: colorBackgroundMessageBox
        opacity: 0.5
    }

    MouseArea {
        id: touchArea
        objectName: "touchArea"
        anchors.fill: parent
    }

    Rectangle {
        id: header
        objectName: "header"
        width: parent.width
        height: 132
        color: colorMessageBox
        visible: root.headerText !== ""
        // Placed by y, not by anchors: switching between a top and a centre anchor passes through
        // both, which stretches the header over the whole box and keeps it so.
        y: root.buttonsVisible ? 0 : (parent.height - height) / 2

        Text {
            id: headerLabel
            objectName: "headerLabel"
            anchors.fill: parent
            anchors.margins: 5
            text: root.headerText
            color: "white"
            font.pixelSize: 26
            fontSizeMode: Text.Fit
            minimumPixelSize: 12
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }

    Row {
        id: buttonRow
        objectName: "buttonRow"
        visible: root.buttonsVisible
        anchors.bottom: parent.bottom
        anchors.horizontalCenter: parent.horizontalCenter
        height: 75
        spacing: root.buttonSpacing

        MessageBoxButton {
            id: buttonF1
            objectName: "buttonF1"
            caption: root.textF1
            width: root.buttonWidth

            MouseArea {
                id: touchF1
                anchors.fill: parent
            }
        }

        MessageBoxButton {
            id: buttonF2
            objectName: "buttonF2"
            caption: root.textF2
            width: root.buttonWidth

            MouseArea {
                id: touchF2
                anchors.fill: parent
            }
        }

        MessageBoxButton {
            id: buttonF3
            objectName: "buttonF3"
            caption: root.textF3
            width: root.buttonWidth

            MouseArea {
                id: touchF3
                anchors.fill: parent
            }
        }
    }
}

import QtQuick 2.15

// One of the emulator's line buttons under the screen: pressing it closes the line, releasing
// it opens the line again.
Rectangle {
    id: root

    property alias text: label.text
    readonly property color lineColor: application.isHighContrast ? "#363636" : "#e9dd2f"

    signal lineChanged(bool down)

    width: 70
    height: 40
    color: "transparent"
    border.color: lineColor
    border.width: 1

    Text {
        id: label
        anchors.centerIn: parent
        color: root.lineColor
        font.pixelSize: 16
        font.bold: true
    }

    MouseArea {
        objectName: "touch"
        anchors.fill: parent
        onPressed: root.lineChanged(true)
        onReleased: root.lineChanged(false)
        // A press taken over by another item still opens the line.
        onCanceled: root.lineChanged(false)
    }
}

import QtQuick 2.15

// Draws a growing ring where the screen is touched, leaving the touch to the controls below.
Item {
    id: root

    anchors.fill: parent

    // Only sees the press: refusing it passes it on to the items below.
    MouseArea {
        objectName: "ringTouch"
        anchors.fill: parent
        acceptedButtons: Qt.LeftButton
        onPressed: {
            ring.createObject(root, { "centerX": mouse.x, "centerY": mouse.y })
            mouse.accepted = false
        }
    }

    Component {
        id: ring

        Rectangle {
            id: circle

            property real centerX: 0
            property real centerY: 0

            x: centerX - width / 2
            y: centerY - height / 2
            width: 40
            height: width
            radius: width / 2
            color: "transparent"
            border.color: "white"
            border.width: 40

            ParallelAnimation {
                running: true
                onFinished: circle.destroy()
                NumberAnimation {
                    target: circle
                    property: "width"
                    to: 80
                    duration: 600
                    easing.type: Easing.OutCubic
                }
                NumberAnimation {
                    target: circle
                    property: "border.width"
                    to: 1
                    duration: 600
                    easing.type: Easing.OutCubic
                }
            }
        }
    }
}

import QtQuick 2.15
import "qrc:/customcontrols"

// Layout of the LED mirror window: the 48 by 16 pixels of the display board as round lamps,
// filled left to right and top to bottom, so that lamp i shows pixel i of the board.
BaseWindow {
    id: root
    objectName: "displayboardWindow"

    readonly property int rows: 16
    readonly property int columns: 48
    property color backgroundColor: "#363636"
    property alias grid: grid
    property alias lamps: lamps

    title: "Displayboard"
    // Fixed: the size the opener hands in does not apply to this window.
    width: 1000
    height: 380

    Rectangle {
        anchors.fill: parent
        color: root.backgroundColor

        Grid {
            id: grid
            objectName: "grid"
            anchors.fill: parent
            rows: root.rows
            columns: root.columns
            spacing: 3
            topPadding: 5
            leftPadding: 5
            rightPadding: 5

            Repeater {
                id: lamps
                model: root.rows * root.columns

                delegate: Rectangle {
                    property alias lampColor: lamp.color

                    width: (grid.width - grid.rightPadding - grid.leftPadding - grid.spacing * root.columns) / root.columns
                    height: width
                    color: "#3f000000"

                    Rectangle {
                        id: lamp
                        anchors.fill: parent
                        anchors.margins: 2
                        radius: 50
                        color: root.backgroundColor
                        border.width: 1
                        border.color: "#3FAAAAAA"
                    }
                }
            }
        }
    }
}

import QtQuick 2.15

// The content of a list row: a row of cells with an optional top line, a bottom line and a mouse
// area that makes the row current.
Rectangle {
    id: root

    property var list
    property int leftPadding: 0
    property int rightPadding: 0
    property bool showTopLine: false
    property color colorBottomBorder: "black"
    default property alias _contentChildren: cells.children

    signal rowSelecting
    signal rowSelected
    signal rowDoubleClicked
    signal rowPressAndHold

    clip: true
    color: "transparent"

    function select() {
        root.rowSelecting()
        if (root.list && typeof index !== "undefined")
            root.list.currentIndex = index
        if (root.list)
            root.list.forceActiveFocus()
        root.rowSelected()
    }

    MouseArea {
        anchors.fill: parent
        onClicked: root.select()
        onDoubleClicked: {
            root.select()
            root.rowDoubleClicked()
        }
        onPressAndHold: {
            root.select()
            root.rowPressAndHold()
        }
    }

    Rectangle {
        x: 5
        width: parent.width - 10
        height: 1
        color: root.colorBottomBorder
        visible: root.showTopLine
    }

    Row {
        id: cells
        spacing: 0
        x: root.leftPadding
        width: parent.width - root.leftPadding - root.rightPadding
        height: parent.height
    }

    Rectangle {
        x: 5
        anchors.bottom: parent.bottom
        width: parent.width - 10
        height: 1
        color: root.colorBottomBorder
    }
}

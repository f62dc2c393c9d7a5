import QtQuick 2.15
import QtQuick.Controls 2.15

// A list with an optional background, a border drawn over its rows, a grey scroll indicator and a
// highlight that follows the current row.
ListView {
    id: root

    property color borderColor: "black"
    property bool canFocus: true
    property bool reversed: false
    property var backgroundColor: undefined
    property int borderWidth: 1
    property alias contentAnimation: contentAnimation

    clip: true
    highlightFollowsCurrentItem: true
    boundsBehavior: Flickable.StopAtBounds

    ScrollIndicator.vertical: ScrollIndicatorItem {
        parent: root
        x: root.rotation === 180 ? root.width - 6 : root.width - width
        height: root.height
    }

    Rectangle {
        objectName: "listBackground"
        parent: root
        z: -1
        anchors.fill: parent
        visible: root.backgroundColor !== undefined
        color: root.backgroundColor !== undefined ? root.backgroundColor : "transparent"
    }

    Rectangle {
        objectName: "listBorder"
        parent: root
        z: 10
        anchors.fill: parent
        color: "transparent"
        border.width: root.borderWidth
        border.color: root.borderColor
        visible: root.borderColor.a > 0
    }

    Behavior on contentY {
        id: contentBehavior
        enabled: false
        SpringAnimation {
            id: contentAnimation
            spring: 1
            damping: 0.4
        }
    }
}

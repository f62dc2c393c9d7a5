import QtQuick 2.15
import QtQuick.Controls 2.15

// A list row that loads its content into a horizontal flickable and, while isFlickable, deletes the
// row after a swipe past 60 pixels and a tap on the red area that opens.
Rectangle {
    id: root

    property bool isFlickable: true
    property bool isRotateImage: false
    property bool deleteVisible: false
    property alias control: loader.sourceComponent
    property alias item: loader.item

    readonly property int swipeLimit: 60

    signal deleteRow(var model)

    height: 45
    clip: true
    color: "transparent"

    function restore() {
        flick.interactive = root.isFlickable
        flick.contentX = 0
        root.deleteVisible = false
        leftArea.held = false
        rightArea.held = false
    }

    Rectangle {
        id: leftArea
        property bool held: false
        objectName: "leftDeleteArea"
        anchors.left: parent.left
        height: parent.height
        width: held ? root.swipeLimit : Math.max(0, -flick.contentX)
        color: "red"
        visible: width > 0
        Text {
            anchors.centerIn: parent
            text: "\u2715"
            color: "white"
            font.pixelSize: 20
            rotation: root.isRotateImage ? 180 : 0
        }
        MouseArea {
            anchors.fill: parent
            onClicked: root.confirmDelete()
        }
    }

    Rectangle {
        id: rightArea
        property bool held: false
        objectName: "rightDeleteArea"
        anchors.right: parent.right
        height: parent.height
        width: held ? root.swipeLimit : Math.max(0, flick.contentX)
        color: "red"
        visible: width > 0
        Text {
            anchors.centerIn: parent
            text: "\u2715"
            color: "white"
            font.pixelSize: 20
            rotation: root.isRotateImage ? 180 : 0
        }
        MouseArea {
            anchors.fill: parent
            onClicked: root.confirmDelete()
        }
    }

    Flickable {
        id: flick
        anchors.fill: parent
        anchors.leftMargin: leftArea.held ? root.swipeLimit : 0
        anchors.rightMargin: rightArea.held ? root.swipeLimit : 0
        interactive: root.isFlickable
        flickableDirection: Flickable.HorizontalFlick
        contentWidth: width
        contentHeight: height

        onContentXChanged: {
            if (!root.isFlickable || !interactive)
                return
            if (contentX < -root.swipeLimit || contentX > root.swipeLimit) {
                leftArea.held = contentX < 0
                rightArea.held = contentX > 0
                interactive = false
                returnToBounds()
                root.deleteVisible = true
                restoreTimer.restart()
            }
        }

        Loader {
            id: loader
            width: flick.width
            height: flick.height
        }
    }

    function confirmDelete() {
        restoreTimer.stop()
        overlay.opacity = 1
        deleteTimer.restart()
    }

    Rectangle {
        id: overlay
        objectName: "deletingOverlay"
        anchors.fill: parent
        color: "yellow"
        opacity: 0
        visible: opacity > 0
        Behavior on opacity {
            NumberAnimation {
                duration: 200
            }
        }
        Text {
            anchors.centerIn: parent
            text: qsTr("Deleting...")
            font.pixelSize: 17
            rotation: root.isRotateImage ? 180 : 0
        }
    }

    Timer {
        id: restoreTimer
        interval: 3000
        onTriggered: root.restore()
    }

    Timer {
        id: deleteTimer
        interval: 1000
        onTriggered: {
            root.restore()
            root.deleteRow(typeof model !== "undefined" ? model : null)
            overlay.opacity = 0
        }
    }
}

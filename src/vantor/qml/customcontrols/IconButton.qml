import QtQuick 2.15

// An icon with a bold caption that tells a tap from a long press.
Item {
    id: root

    property url icon: getImage("infoPiccolo")
    property string text
    property color forecolor: colorText
    property int pixelSize: buttonPixelSizeVertical
    property int longPressTime: 1000
    property bool isVertical: false
    property alias longPressTimer: longPressTimer

    signal clicked()
    signal pressed()
    signal released()
    signal longPressed()

    // Cancels a long press that has not fired yet (the page changed under the finger).
    function cancelLongPress() {
        longPressTimer.stop()
    }

    Image {
        id: image
        objectName: "iconImage"
        source: root.icon
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        anchors.left: root.isVertical ? undefined : parent.left
        anchors.horizontalCenter: root.isVertical ? parent.horizontalCenter : undefined
        anchors.top: parent.top
        anchors.bottom: root.isVertical ? caption.top : parent.bottom
        width: root.isVertical ? parent.width : Math.min(parent.height, parent.width)
    }

    Text {
        id: caption
        objectName: "iconCaption"
        text: root.text
        color: root.forecolor
        // Under the icon a word longer than the button (as some translations have) shrinks the
        // caption rather than being cut.
        font.pixelSize: root.isVertical && longestWord.advanceWidth > root.width
                        ? Math.max(9, Math.floor(root.pixelSize * root.width / longestWord.advanceWidth))
                        : root.pixelSize
        font.bold: true
        wrapMode: root.isVertical ? Text.WordWrap : Text.NoWrap
        horizontalAlignment: root.isVertical ? Text.AlignHCenter : Text.AlignLeft
        verticalAlignment: Text.AlignVCenter
        anchors.left: root.isVertical ? parent.left : image.right
        anchors.leftMargin: root.isVertical ? 0 : 27
        anchors.right: parent.right
        anchors.bottom: root.isVertical ? parent.bottom : undefined
        anchors.verticalCenter: root.isVertical ? undefined : parent.verticalCenter
        height: root.isVertical ? Math.min(implicitHeight, parent.height / 2) : implicitHeight
        elide: Text.ElideRight
    }

    TextMetrics {
        id: longestWord
        font.pixelSize: root.pixelSize
        font.bold: true
        text: root.text.split(/\s+/).reduce(function(longest, word) {
            return word.length > longest.length ? word : longest
        }, "")
    }

    MouseArea {
        id: touch
        objectName: "iconTouch"
        anchors.fill: parent
        anchors.margins: marginTouchMouseArea
        onPressed: longPressTimer.start()
        onReleased: {
            if (longPressTimer.running) {
                longPressTimer.stop()
                root.pressed()
            }
            root.released()
        }
        onCanceled: longPressTimer.stop()
        onClicked: root.clicked()
    }

    Timer {
        id: longPressTimer
        interval: root.longPressTime
        repeat: false
        onTriggered: root.longPressed()
    }
}

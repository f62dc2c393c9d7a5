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
        // Under the icon the caption may use half the gap to each neighbour (the menus leave 10 to
        // 12 pixels between their icons).
        readonly property int overhang: root.isVertical ? 4 : 0
        text: root.text
        color: root.forecolor
        // Under the icon a word wider than the caption's room shrinks the caption, down to the
        // smallest size that still reads on the device; the lines wrap between the words.
        font.pixelSize: root.isVertical && longestWord.advanceWidth > width
                        ? Math.max(12, Math.floor(root.pixelSize * (width - 1) / longestWord.advanceWidth))
                        : root.pixelSize
        font.bold: true
        wrapMode: root.isVertical ? Text.WordWrap : Text.NoWrap
        horizontalAlignment: root.isVertical ? Text.AlignHCenter : Text.AlignLeft
        verticalAlignment: Text.AlignVCenter
        anchors.left: root.isVertical ? parent.left : image.right
        anchors.leftMargin: root.isVertical ? -overhang : 27
        anchors.right: parent.right
        anchors.rightMargin: -overhang
        anchors.bottom: root.isVertical ? parent.bottom : undefined
        anchors.verticalCenter: root.isVertical ? undefined : parent.verticalCenter
        // Up to three fifths of the button, so that a caption of three or four lines keeps its icon.
        height: root.isVertical ? Math.min(implicitHeight, parent.height * 0.6) : implicitHeight
        elide: Text.ElideRight
    }

    // The longest piece of the caption that a line cannot break: a word, or the part of a word up
    // to a soft hyphen (U+00AD) together with the hyphen drawn there.
    TextMetrics {
        id: longestWord
        font.pixelSize: root.pixelSize
        font.bold: true
        text: {
            var longest = ""
            var words = root.text.split(/\s+/)
            for (var i = 0; i < words.length; ++i) {
                var parts = words[i].split("\u00AD")
                for (var j = 0; j < parts.length; ++j) {
                    var piece = parts[j] + (j < parts.length - 1 ? "-" : "")
                    if (piece.length > longest.length)
                        longest = piece
                }
            }
            return longest
        }
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

import QtQuick 2.15

// An on/off switch: a white track with a knob that is tapped or dragged to the other end; its ON or
// OFF text sits inside the track beside the knob.
Rectangle {
    id: root

    property bool checked: false
    property string onString: qsTr("ON")
    property string offString: qsTr("OFF")
    property real fontPixelSize: 0.4 * height
    property int switchWidth: 115
    property int switchHeight: 42

    // How far, in pixels, a tap or a drag must go past the knob to count.
    readonly property int tolerance: 5
    readonly property real knobOffX: 2
    readonly property real knobOnX: width - knob.width - 2

    width: switchWidth
    height: switchHeight
    radius: height / 2
    color: "white"
    border.color: "grey"
    border.width: 1
    opacity: !enabled ? 0.3 : (trackTouch.pressed ? 0.5 : 1)

    Image {
        id: knob
        objectName: "knob"
        source: root.checked ? "qrc:/resources/spot.png" : "qrc:/resources/spot_off.png"
        height: root.height - 4
        width: height
        anchors.verticalCenter: parent.verticalCenter
        x: root.checked ? root.knobOnX : root.knobOffX
        opacity: knobTouch.pressed ? 0.5 : 1
        smooth: true
        mipmap: true
    }

    Text {
        objectName: "stateText"
        // The free space beside the knob: left of it when on, right of it when off.
        x: root.checked ? 0 : knob.width + 2
        width: root.width - knob.width - 2
        height: root.height
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        text: root.checked ? root.onString : root.offString
        color: "black"
        font.pixelSize: root.fontPixelSize
        font.bold: true
        rotation: -root.rotation
    }

    MouseArea {
        id: trackTouch
        objectName: "trackTouch"
        anchors.fill: parent
        onPressed: root.forceActiveFocus()
        onClicked: {
            if (root.checked && mouse.x < root.knobOnX - root.tolerance)
                root.checked = false
            else if (!root.checked && mouse.x > root.knobOffX + knob.width + root.tolerance)
                root.checked = true
        }
    }

    MouseArea {
        id: knobTouch
        objectName: "knobTouch"
        anchors.fill: knob
        drag.target: knob
        drag.axis: Drag.XAxis
        drag.minimumX: root.knobOffX
        drag.maximumX: root.knobOnX
        onPressed: root.forceActiveFocus()
        onReleased: {
            if (root.checked && knob.x < root.knobOnX - root.tolerance)
                root.checked = false
            else if (!root.checked && knob.x > root.knobOffX + root.tolerance)
                root.checked = true
            knob.x = Qt.binding(function() { return root.checked ? root.knobOnX : root.knobOffX })
        }
    }
}

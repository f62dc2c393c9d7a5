import QtQuick 2.15

// A value between minimum and maximum, set by pressing or dragging along a line.
Item {
    id: root

    property real value: 0
    property real minimum: 0
    property real maximum: 10

    function valueAt(x) {
        var ratio = (x - knob.width / 2) / (width - knob.width)
        var result = minimum + (maximum - minimum) * ratio
        return Math.max(minimum, Math.min(maximum, result))
    }

    width: 250
    height: 50
    opacity: enabled ? 1 : 0.3

    Rectangle {
        anchors.verticalCenter: parent.verticalCenter
        x: knob.width / 2
        width: parent.width - knob.width
        height: 1
        color: colorBorder
    }

    Image {
        id: knob
        objectName: "knob"
        source: "qrc:/resources/spot.png"
        anchors.verticalCenter: parent.verticalCenter
        x: root.maximum > root.minimum
           ? (root.value - root.minimum) / (root.maximum - root.minimum) * (root.width - width) : 0
        opacity: touch.pressed ? 0.5 : 1
    }

    MouseArea {
        id: touch
        anchors.fill: parent
        onPressed: root.value = root.valueAt(mouse.x)
        onPositionChanged: root.value = root.valueAt(mouse.x)
        onReleased: root.value = root.valueAt(mouse.x)
    }
}

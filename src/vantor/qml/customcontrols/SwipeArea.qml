import QtQuick 2.15

// Reports moves along the first axis the finger travels more than 16 pixels on, and the
// direction of the swipe on release.
MouseAreaItem {
    id: root

    property point origin
    property bool swipeEnabled: true
    property string axis: ""

    signal move(int x, int y)
    signal swipe(string direction)

    readonly property int threshold: 16

    onPressed: {
        origin = Qt.point(mouse.x, mouse.y)
        axis = ""
    }
    onPositionChanged: {
        if (!swipeEnabled)
            return
        var dx = mouse.x - origin.x
        var dy = mouse.y - origin.y
        if (axis === "") {
            if (Math.abs(dx) > threshold)
                axis = "x"
            else if (Math.abs(dy) > threshold)
                axis = "y"
        }
        if (axis === "x")
            move(dx, 0)
        else if (axis === "y")
            move(0, dy)
    }
    onReleased: {
        if (!swipeEnabled || axis === "")
            return
        var dx = mouse.x - origin.x
        var dy = mouse.y - origin.y
        if (axis === "x")
            swipe(dx < 0 ? "left" : "right")
        else
            swipe(dy < 0 ? "up" : "down")
        axis = ""
    }
}

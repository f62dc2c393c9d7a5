import QtQuick 2.15

// A touch area that tells a press from a long press and reports on a later event-loop pass.
MouseArea {
    id: root

    property int interval: 1000
    property bool releaseEventAfterLongPressed: true
    property alias timer: longPressTimer

    signal pressedEvent(var mouse)
    signal longPressedEvent()
    signal clickedEvent(var mouse)
    signal releasedEvent(var mouse)

    // The mouse event lives only during its handler: the later pass gets a copy.
    function copyOf(mouse) {
        return { "x": mouse.x, "y": mouse.y, "button": mouse.button, "buttons": mouse.buttons,
                 "modifiers": mouse.modifiers, "wasHeld": mouse.wasHeld }
    }

    function emitPressed(mouse) { root.pressedEvent(mouse) }
    function emitReleased(mouse) { root.releasedEvent(mouse) }
    function emitLongPressed() { root.longPressedEvent() }
    function emitClicked(mouse) { root.clickedEvent(mouse) }

    onPressed: longPressTimer.start()
    onReleased: {
        var copy = copyOf(mouse)
        if (longPressTimer.running) {
            longPressTimer.stop()
            Qt.callLater(emitPressed, copy)
            Qt.callLater(emitReleased, copy)
        } else if (releaseEventAfterLongPressed) {
            Qt.callLater(emitReleased, copy)
        }
    }
    onCanceled: longPressTimer.stop()
    onClicked: {
        Qt.callLater(emitClicked, copyOf(mouse))
        mouse.accepted = false
    }

    Timer {
        id: longPressTimer
        interval: root.interval
        repeat: false
        onTriggered: Qt.callLater(root.emitLongPressed)
    }
}

import QtQuick 2.15

// Stands in for the event generator: records every generated line event.
QtObject {
    property var calls: []

    function generateEvent(type, isDown) {
        var list = calls.slice()
        list.push(type + ":" + isDown)
        calls = list
    }
}

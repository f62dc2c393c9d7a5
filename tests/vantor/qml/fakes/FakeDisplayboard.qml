import QtQuick 2.15

// Stands in for the display-board model: records its resets; tests publish frames through
// its setMatrix signal.
QtObject {
    property var calls: []

    signal setMatrix(var time, var pixelData)

    function reset(publish) {
        var list = calls.slice()
        list.push(publish === undefined ? "reset()" : "reset(" + publish + ")")
        calls = list
    }
}

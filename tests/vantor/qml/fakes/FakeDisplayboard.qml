import QtQuick 2.15

// Stands in for the display-board model: records its resets.
QtObject {
    property var calls: []

    function reset(publish) {
        var list = calls.slice()
        list.push(publish === undefined ? "reset()" : "reset(" + publish + ")")
        calls = list
    }
}

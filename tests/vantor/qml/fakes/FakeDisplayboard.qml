import QtQuick 2.15

// Stands in for the display-board model: records its resets and the test patterns; tests publish
// frames through its setMatrix signal.
QtObject {
    property var calls: []

    signal setMatrix(var time, var pixelData)

    function reset(publish) {
        var list = calls.slice()
        list.push(publish === undefined ? "reset()" : "reset(" + publish + ")")
        calls = list
    }

    function record(entry) {
        var list = calls.slice()
        list.push(entry)
        calls = list
    }

    function fillRed() { record("fillRed") }
    function fillGreen() { record("fillGreen") }
    function fillBlue() { record("fillBlue") }
    function fillSingleDrivers(driverIndex) { record("fillSingleDrivers(" + driverIndex + ")") }
    function drawCornice() { record("drawCornice") }
}

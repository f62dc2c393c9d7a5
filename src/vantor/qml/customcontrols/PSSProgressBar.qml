import QtQuick 2.15

// A progress bar that can fill or empty itself over a given time.
Rectangle {
    id: root

    property real value: 5
    property real startValue: 0
    property real maxValue: 10
    property color foreground: "transparent"
    // The bar's fill and frame colours.
    property color background: "transparent"
    property color border: "transparent"
    property int showTime: 0
    property bool reverse: false

    signal timeOver()

    function startTimer() {
        progressTimer.start()
    }

    function stopTimer() {
        progressTimer.stop()
    }

    // The step of one 100 ms tick.
    function increment() {
        var steps = Math.floor(showTime / Math.max(startValue, 1)) + (showTime % Math.max(startValue, 1) !== 0 ? 1 : 0)
        return (steps / 1000) / (1000 / progressTimer.interval)
    }

    width: 200
    height: 200
    clip: true
    color: root.background
    onStartValueChanged: value = startValue

    Rectangle {
        objectName: "bar"
        height: parent.height
        width: root.maxValue === 0 ? 0 : root.width * root.value / root.maxValue
        color: root.foreground
        border.color: root.border
    }

    Timer {
        id: progressTimer
        interval: 100
        repeat: true
        running: root.showTime !== 0
        onTriggered: {
            if (root.reverse) {
                root.value = root.value - root.increment()
                if (root.value <= 0) {
                    root.value = 0
                    stop()
                    root.timeOver()
                }
            } else {
                root.value = root.value + root.increment()
                if (root.value >= root.maxValue) {
                    root.value = root.maxValue
                    stop()
                    root.timeOver()
                }
            }
        }
    }
}

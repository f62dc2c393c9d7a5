import QtQuick 2.15
import velmora.Orvane 1.0

// The LED mirror window: shows each frame the display board publishes, at once or, for a frame
// meant for a later time, when the tick clock reaches that time. A newer frame replaces one still
// waiting.
DisplayboardForm {
    id: root

    // The frame waiting to be shown: its tick time and its pixels.
    property var nextTime
    property var nextPixelData

    function lampColor(code) {
        switch (code) {
        case DisplayboardEnum.DISP_COLOR_BLUE:
            return "#3366CC"
        case DisplayboardEnum.DISP_COLOR_RED:
            return "#CC3333"
        case DisplayboardEnum.DISP_COLOR_YELLOW:
            return "#d29730"
        case DisplayboardEnum.DISP_COLOR_GREEN:
            return "#99CC00"
        case DisplayboardEnum.DISP_COLOR_WHITE:
            return "#FFFFFF"
        default:
            return backgroundColor
        }
    }

    function showPending() {
        if (nextTime === undefined || nextPixelData === undefined)
            return
        if (dateTimeUtil.getDateTime() < nextTime)
            return
        // Entries beyond the board have no lamp.
        var count = Math.min(nextPixelData.length, lamps.count)
        for (var i = 0; i < count; ++i) {
            var cell = lamps.itemAt(i)
            var color = lampColor(nextPixelData[i])
            if (!Qt.colorEqual(cell.lampColor, color))
                cell.lampColor = color
        }
        nextTime = undefined
        nextPixelData = undefined
    }

    Connections {
        target: displayboard
        function onSetMatrix(time, pixelData) {
            root.nextTime = time
            root.nextPixelData = pixelData
            root.showPending()
        }
    }

    Timer {
        objectName: "frameTimer"
        interval: 10
        repeat: true
        running: root.nextTime !== undefined && root.nextPixelData !== undefined
        onTriggered: root.showPending()
    }
}

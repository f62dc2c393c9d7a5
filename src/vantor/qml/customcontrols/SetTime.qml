import QtQuick 2.15
import velmora.Orvane 1.0

// A time of day (or a duration) in ticks, edited field by field; no field carries into the next.
Row {
    id: root

    property bool isShowHours: true
    property var time: 0
    property var minTime
    property int verticalSpacing: 7

    signal valueChanged(var value)

    readonly property int hours: Math.floor(time / DateTimeUtil.QH1)
    readonly property int minutes: Math.floor((time % DateTimeUtil.QH1) / DateTimeUtil.QMIN1)
    readonly property int seconds: Math.floor((time % DateTimeUtil.QMIN1) / DateTimeUtil.QSEC1)

    function twoDigits(value) {
        return value < 10 ? "0" + value : "" + value
    }

    // Steps one field by one unit within 0..top, wrapping at both ends.
    function stepField(current, top, unit, up) {
        if (up)
            time = current < top ? time + unit : time - top * unit
        else
            time = current > 0 ? time - unit : time + top * unit
        if (minTime !== undefined && minTime !== null && time < minTime)
            time = minTime
        valueChanged(time)
    }

    function changeHours(up) { stepField(hours, 23, DateTimeUtil.QH1, up) }
    function changeMinutes(up) { stepField(minutes, 59, DateTimeUtil.QMIN1, up) }
    function changeSeconds(up) { stepField(seconds, 59, DateTimeUtil.QSEC1, up) }

    spacing: 4

    TimeField {
        objectName: "hoursField"
        visible: root.isShowHours
        value: root.twoDigits(root.hours)
        label: "HH"
        onIncrease: root.changeHours(true)
        onDecrease: root.changeHours(false)
    }

    TimeSeparator {
        visible: root.isShowHours
    }

    TimeField {
        objectName: "minutesField"
        value: root.twoDigits(root.minutes)
        label: "MM"
        onIncrease: root.changeMinutes(true)
        onDecrease: root.changeMinutes(false)
    }

    TimeSeparator {
    }

    TimeField {
        objectName: "secondsField"
        value: root.twoDigits(root.seconds)
        label: "SS"
        onIncrease: root.changeSeconds(true)
        onDecrease: root.changeSeconds(false)
    }
}

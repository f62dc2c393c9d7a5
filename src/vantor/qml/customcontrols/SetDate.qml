import QtQuick 2.15
import velmora.Orvane 1.0

// A date edited field by field, in the order of the application's date format.
Row {
    id: root

    property int day: 1
    property int month: 1
    property int year: 2021
    property int verticalSpacing: 7

    readonly property bool isMonthFirst: application.dateFormat === OrvaneEnum.DATE_FORMAT_MM_DD_YYYY
    readonly property int firstYear: 2021

    function twoDigits(value) {
        return value < 10 ? "0" + value : "" + value
    }

    function changeDay(up) {
        day = up ? (day >= 31 ? 1 : day + 1) : (day <= 1 ? 31 : day - 1)
    }

    function changeMonth(up) {
        month = up ? (month >= 12 ? 1 : month + 1) : (month <= 1 ? 12 : month - 1)
    }

    function changeYear(up) {
        if (up)
            year = year + 1
        else if (year > firstYear)
            year = year - 1
    }

    spacing: 4

    Component.onCompleted: {
        if (year < firstYear) {
            day = 1
            month = 1
            year = firstYear
        }
    }

    TimeField {
        objectName: "firstField"
        value: root.twoDigits(root.isMonthFirst ? root.month : root.day)
        label: (root.isMonthFirst ? qsTr("Month") : qsTr("Day")) + application.languageChanged
        onIncrease: root.isMonthFirst ? root.changeMonth(true) : root.changeDay(true)
        onDecrease: root.isMonthFirst ? root.changeMonth(false) : root.changeDay(false)
    }

    TimeSeparator {
        text: "/"
    }

    TimeField {
        objectName: "secondField"
        value: root.twoDigits(root.isMonthFirst ? root.day : root.month)
        label: (root.isMonthFirst ? qsTr("Day") : qsTr("Month")) + application.languageChanged
        onIncrease: root.isMonthFirst ? root.changeDay(true) : root.changeMonth(true)
        onDecrease: root.isMonthFirst ? root.changeDay(false) : root.changeMonth(false)
    }

    TimeSeparator {
        text: "/"
    }

    TimeField {
        objectName: "yearField"
        value: root.twoDigits(root.year - 2000)
        label: qsTr("Year") + application.languageChanged
        onIncrease: root.changeYear(true)
        onDecrease: root.changeYear(false)
    }
}

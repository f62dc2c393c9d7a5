import QtQuick 2.15
import "../customcontrols"

// The "Events" tab: one line per timing event that Vantor pushes.
Item {
    id: root

    property var window
    property alias eventsList: eventsList

    function addEvent(phisicalChannel, time, date, isAuto, bibNumber) {
        var line = phisicalChannel + " - " + time + " - " + date
        if (isAuto)
            line += " - " + qsTr("Auto")
        if (bibNumber !== 0)
            line += " - " + bibNumber
        eventsList.append(line)
    }

    LogList {
        id: eventsList
        objectName: "eventsArea"
        anchors.fill: parent
        anchors.margins: 5
        border.color: "transparent"
    }
}

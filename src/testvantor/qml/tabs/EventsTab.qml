import QtQuick 2.15
import QtQuick.Controls 2.15

// The "Events" tab: one line per timing event that Vantor pushes.
Item {
    id: root

    property var window
    property alias text: eventsArea.text

    function addEvent(phisicalChannel, time, date, isAuto, bibNumber) {
        var line = phisicalChannel + " - " + time + " - " + date
        if (isAuto)
            line += " - " + qsTr("Auto")
        if (bibNumber !== 0)
            line += " - " + bibNumber
        eventsArea.append(line)
    }

    ScrollView {
        anchors.fill: parent
        anchors.margins: 5

        TextArea {
            id: eventsArea
            objectName: "eventsArea"
            readOnly: true
            selectByMouse: true
            wrapMode: TextEdit.WrapAnywhere
            background: Rectangle {
                color: "white"
            }
        }
    }
}

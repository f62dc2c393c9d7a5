import QtQuick 2.15

// Layout of the starting-list viewer: three starts to a page, each with its bib number, its time
// and its date as they stand in the file.
MenuPage {
    id: root
    objectName: "formStartingList"

    property alias startingListModel: startingListModel
    property alias pageContent: pageContent
    readonly property color lineColor: isBrightVersion ? "#363636" : "#e9dd2f"
    // The word before each bib number.
    property string bibLabel: ""

    ListModel {
        id: startingListModel
    }

    // The starts of one page of the swipe view.
    Component {
        id: pageContent

        Row {
            id: pageRow
            objectName: "startsPage" + pageIndex

            property int pageIndex: 0
            readonly property int first: pageIndex * root.iconForPage

            anchors.fill: parent
            anchors.leftMargin: marginLeftForm
            anchors.rightMargin: marginRightForm
            spacing: 5

            Repeater {
                model: Math.max(0, Math.min(root.iconForPage, startingListModel.count - pageRow.first))

                delegate: Column {
                    objectName: "start" + (pageRow.first + index)

                    readonly property var start: startingListModel.get(pageRow.first + index)

                    width: 90

                    Text {
                        objectName: "bibText"
                        width: parent.width
                        topPadding: 20
                        bottomPadding: 1
                        horizontalAlignment: Text.AlignHCenter
                        text: root.bibLabel + " " + start.bibNumber
                        font.pixelSize: 16
                        font.bold: true
                        color: colorText
                    }

                    Rectangle {
                        anchors.horizontalCenter: parent.horizontalCenter
                        width: 72
                        height: 1
                        color: root.lineColor
                    }

                    Text {
                        objectName: "timeText"
                        width: parent.width
                        topPadding: 10
                        horizontalAlignment: Text.AlignHCenter
                        text: start.time
                        font.pixelSize: 15
                        color: colorText
                    }

                    Text {
                        objectName: "dateText"
                        width: parent.width
                        topPadding: 5
                        horizontalAlignment: Text.AlignHCenter
                        text: start.date
                        font.pixelSize: 15
                        color: colorText
                    }
                }
            }
        }
    }
}

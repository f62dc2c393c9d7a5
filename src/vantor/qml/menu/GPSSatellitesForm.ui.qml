import QtQuick 2.15
import "qrc:/customcontrols"

// Layout of the satellite view: a summary line and one bar per satellite, as high as its
// carrier-to-noise value.
MenuPage {
    id: root
    objectName: "formGPSSatellites"

    // Satellite records: { "Name", "CNO", "QualitInd", "Used" }.
    property var satellitesStatus: []
    property string satCount: ""
    property string usedCount: ""
    property string avgCNO: ""
    property string lastUpdate: ""

    property alias frame: frame
    property alias timerRefresh: timerRefresh

    showSwipeView: false
    showBottomRect: false

    // The chart's own colours (black, orange, yellow, green bars) stand out on dark ground only, so
    // the frame stays dark in the bright theme too.
    readonly property color chartColor: isBrightVersion ? "#363636" : root.color
    readonly property color chartTextColor: isBrightVersion ? "white" : colorText
    readonly property color barBorderColor: "#a7a7a7"
    // The summary fits the frame's width at this size.
    readonly property int summaryPixelSize: 13

    Row {
        objectName: "summary"
        anchors.left: frame.left
        anchors.bottom: frame.top
        spacing: 7

        Text {
            objectName: "satCountText"
            font.pixelSize: root.summaryPixelSize
            text: "Sats: " + root.satCount
            color: colorText
        }

        Text {
            objectName: "usedText"
            font.pixelSize: root.summaryPixelSize
            text: "Used: " + root.usedCount
            color: colorText
        }

        Text {
            objectName: "avgCnoText"
            font.pixelSize: root.summaryPixelSize
            text: "Avg CNO: " + root.avgCNO
            color: colorText
        }

        Text {
            objectName: "lastUpdateText"
            font.pixelSize: root.summaryPixelSize
            text: root.lastUpdate
            color: colorText
        }
    }

    Rectangle {
        id: frame
        objectName: "frame"
        anchors.fill: parent
        anchors.topMargin: 20
        anchors.leftMargin: marginLeftForm
        anchors.rightMargin: marginRightForm
        anchors.bottomMargin: 22
        color: root.chartColor
        border.color: colorBorder

        readonly property int pitch: root.satellitesStatus.length > 0 ? Math.floor(width / root.satellitesStatus.length) : 0

        Repeater {
            model: 3

            Rectangle {
                x: 0
                y: Math.round(frame.height * (index + 1) / 4)
                width: frame.width
                height: 1
                color: "#33a7a7a7"
            }
        }

        Repeater {
            objectName: "bars"
            model: root.satellitesStatus

            Item {
                readonly property int cno: modelData.CNO

                objectName: "satellite" + index
                x: index * frame.pitch + frame.pitch / 8
                width: frame.pitch * 3 / 4
                height: frame.height

                Rectangle {
                    objectName: "bar"
                    anchors.bottom: parent.bottom
                    width: parent.width
                    height: (frame.height - 20) * parent.cno / 70
                    border.color: root.barBorderColor
                    border.width: 1
                    color: parent.cno < 10 ? "black" : parent.cno < 20 ? "orange" : parent.cno < 30 ? "yellow" : "green"

                    // The numbers take the satellite's whole slot, so that they keep their size.
                    Text {
                        objectName: "cnoText"
                        anchors.bottom: parent.top
                        anchors.bottomMargin: 5
                        anchors.horizontalCenter: parent.horizontalCenter
                        width: frame.pitch
                        text: "" + modelData.CNO
                        color: root.chartTextColor
                        font.pixelSize: 12
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignBottom
                    }

                    Text {
                        objectName: "nameText"
                        anchors.top: parent.bottom
                        anchors.topMargin: 5
                        anchors.horizontalCenter: parent.horizontalCenter
                        width: frame.pitch
                        text: "" + modelData.Name
                        color: colorText
                        font.pixelSize: 12
                        font.bold: modelData.Used === true
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignTop
                    }
                }
            }
        }
    }

    Timer {
        id: timerRefresh
        objectName: "timerRefresh"
        interval: 5000
        repeat: true
        running: root.visible
    }
}

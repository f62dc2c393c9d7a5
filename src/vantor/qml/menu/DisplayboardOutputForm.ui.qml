import QtQuick 2.15
import "qrc:/customcontrols"

// Layout of the display-board output screen: the close and settings icons in the title bar and,
// in large digits, the text that remote clients write on the board.
MenuPage {
    id: root
    objectName: "formDisplayboardOutput"

    property alias closeIcon: closeIcon
    property alias closeTouch: closeTouch
    property alias settingsTouch: settingsTouch
    property alias runningTime: runningTime
    property alias timeLabel: timeLabel
    property alias guardTimer: guardTimer
    readonly property color labelColor: isBrightVersion ? "#363636" : "#e9dd2f"

    backIconVisible: false
    showSwipeView: false
    showBottomRect: false
    titleSideMargin: marginLeftForm + backIconWidth + 2

    Image {
        id: closeIcon
        objectName: "closeIcon"
        parent: topRect
        x: marginLeftForm
        width: backIconWidth
        height: backIconWidth
        enabled: !guardTimer.running
        opacity: enabled ? 1 : 0.2
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        source: getImage("close")

        MouseArea {
            id: closeTouch
            objectName: "closeTouch"
            anchors.fill: parent
            anchors.margins: marginTouchMouseArea
        }
    }

    Image {
        objectName: "settingsIcon"
        parent: topRect
        anchors.right: parent.right
        anchors.rightMargin: marginRightForm
        width: backIconWidth
        height: backIconWidth
        fillMode: Image.PreserveAspectFit
        smooth: true
        mipmap: true
        source: getImage("settings2")

        MouseArea {
            id: settingsTouch
            objectName: "settingsTouch"
            anchors.fill: parent
            anchors.margins: marginTouchMouseArea
        }
    }

    Item {
        objectName: "outputArea"
        anchors.fill: parent
        anchors.leftMargin: marginLeftForm
        anchors.rightMargin: marginRightForm
        anchors.topMargin: marginTopForm
        anchors.bottomMargin: marginBottomForm

        Text {
            id: timeLabel
            objectName: "timeLabel"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 10
            color: root.labelColor
            font.pixelSize: 15
        }

        Text {
            id: runningTime
            objectName: "runningTime"
            anchors.horizontalCenter: parent.horizontalCenter
            y: 30
            text: application.displayboardOutput
            font.family: "Droid Sans Numbers"
            font.pixelSize: 60
            font.bold: true
            color: colorText
        }
    }

    Timer {
        id: guardTimer
        interval: 1500
        repeat: false
    }
}

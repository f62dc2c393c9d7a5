import QtQuick 2.15
import "qrc:/customcontrols"

// Layout shared by the timing-base calibration test and run: the message of the GPS service, the
// start and stop button and the progress of a running calibration.
MenuPage {
    id: root

    // true: the screen runs a calibration; false: it tests one.
    property bool isExecution: false
    // Seconds left of the running calibration, -1 while none runs.
    property int timeRemaning: -1
    readonly property bool isRunning: timeRemaning !== -1
    readonly property color buttonColor: isBrightVersion ? "#363636" : "#e9dd2f"

    property alias infoString: infoString
    property alias button: button
    property alias buttonTouch: buttonTouch
    property alias ppTimer: ppTimer
    property alias countdown: countdown

    showSwipeView: false
    showBottomRect: false

    Text {
        id: infoString
        objectName: "infoString"
        anchors.top: parent.top
        anchors.topMargin: 5
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 2
        anchors.rightMargin: 2
        text: (root.isExecution ? qsTr("Press button to start calibration") : qsTr("Press button to start the test"))
              + application.languageChanged
        color: colorText
        font.pointSize: 22
        fontSizeMode: Text.HorizontalFit
        minimumPointSize: 5
        horizontalAlignment: Text.AlignHCenter
    }

    Rectangle {
        id: button
        objectName: "button"
        anchors.top: infoString.bottom
        anchors.topMargin: 5
        anchors.horizontalCenter: parent.horizontalCenter
        width: 150
        height: 60
        color: "transparent"
        border.width: 1
        border.color: root.buttonColor

        // Long captions take two lines and keep clear of the frame.
        Text {
            objectName: "buttonText"
            anchors.fill: parent
            padding: 5
            text: (root.isRunning ? (root.isExecution ? qsTr("STOP CALIBRATION") : qsTr("STOP TEST"))
                                  : (root.isExecution ? qsTr("START CALIBRATION") : qsTr("START TEST")))
                  + application.languageChanged
            color: root.buttonColor
            font.pixelSize: 40
            fontSizeMode: Text.Fit
            minimumPixelSize: 12
            wrapMode: Text.WordWrap
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }

        MouseArea {
            id: buttonTouch
            objectName: "buttonTouch"
            anchors.fill: parent
        }
    }

    PSSProgressBar {
        id: ppTimer
        objectName: "ppTimer"
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 30
        width: root.width - 20
        height: 3
        maxValue: 100
        value: maxValue - root.timeRemaning
        background: colorBorder
        foreground: root.buttonColor
        visible: root.isRunning
    }

    Timer {
        id: countdown
        objectName: "countdown"
        interval: 1000
        repeat: true
        running: root.isRunning
    }
}

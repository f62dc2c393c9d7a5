import QtQuick 2.15
import "qrc:/customcontrols"

// Layout of the single LED test: five framed buttons, each lighting one pattern on the board.
MenuPage {
    id: root
    objectName: "ledSingleTestForm"

    property int buttonWidth: 90
    property int buttonHeight: 60
    readonly property color captionColor: isBrightVersion ? "#363636" : "#e9dd2f"

    property alias btnRed: btnRed
    property alias btnGreen: btnGreen
    property alias btnBlue: btnBlue
    property alias btnSingleDriver: btnSingleDriver
    property alias btnReset: btnReset

    showSwipeView: false
    showBottomRect: false

    Grid {
        objectName: "buttons"
        anchors.centerIn: parent
        columns: 3
        rowSpacing: 10
        columnSpacing: 10

        LedTestButton {
            id: btnRed
            objectName: "btnRed"
            width: root.buttonWidth
            height: root.buttonHeight
            caption: qsTr("Red") + application.languageChanged
            captionColor: root.captionColor
            frameColor: "red"
        }

        LedTestButton {
            id: btnGreen
            objectName: "btnGreen"
            width: root.buttonWidth
            height: root.buttonHeight
            caption: qsTr("Green") + application.languageChanged
            captionColor: root.captionColor
            frameColor: "green"
        }

        LedTestButton {
            id: btnBlue
            objectName: "btnBlue"
            width: root.buttonWidth
            height: root.buttonHeight
            caption: qsTr("Blue") + application.languageChanged
            captionColor: root.captionColor
            frameColor: "blue"
        }

        LedTestButton {
            id: btnSingleDriver
            objectName: "btnSingleDriver"
            width: root.buttonWidth
            height: root.buttonHeight
            caption: qsTr("Single Driver") + application.languageChanged
            captionColor: root.captionColor
            frameColor: "white"
        }

        LedTestButton {
            id: btnReset
            objectName: "btnReset"
            width: root.buttonWidth
            height: root.buttonHeight
            caption: qsTr("Reset") + application.languageChanged
            captionColor: root.captionColor
            frameColor: root.captionColor
        }
    }
}

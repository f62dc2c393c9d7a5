import QtQuick 2.15
import QtQuick.Window 2.15

// The splash window of the start-up: the logo and the version for timeoutInterval ms, then it
// hides itself and raises timeout(). A touch on the logo quits the program.
Window {
    id: root

    property int timeoutInterval: 2000
    property bool isEnabled: false

    signal timeout()

    title: "Splash Window"
    modality: Qt.ApplicationModal
    flags: Qt.SplashScreen
    color: colorDefaultBackground
    visible: isEnabled
    width: logo.width + 50
    height: logo.height + 50
    x: (Screen.width - logo.width + 50) / 2
    y: (Screen.height - logo.height + 50) / 2

    Rectangle {
        anchors.fill: parent
        color: root.color

        // The logo is drawn for dark ground: on the bright theme's yellow it gets a dark plate.
        Rectangle {
            objectName: "splashLogoPlate"
            visible: application.isHighContrast
            x: logo.x
            y: logo.y
            width: logo.width
            height: logo.height
            radius: 8
            color: "#363636"
        }

        Image {
            id: logo
            objectName: "splashLogo"
            x: 25
            y: 25
            source: "qrc:/resources/LogoVantor.png"

            MouseArea {
                objectName: "splashLogoTouch"
                anchors.fill: parent
                onClicked: Qt.quit()
            }
        }

        Text {
            objectName: "splashVersion"
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.margins: 5
            text: qsTr("Version") + " " + application.getVersionNumber() + application.languageChanged
            color: colorDefaultText
        }
    }

    Timer {
        id: timeoutTimer
        objectName: "splashTimer"
        interval: root.timeoutInterval
        repeat: false
        running: root.isEnabled
        onTriggered: {
            root.visible = false
            root.timeout()
        }
    }
}

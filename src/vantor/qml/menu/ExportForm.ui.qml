import QtQuick 2.15
import velmora.Orvane 1.0

// Layout of the log-export screen: the EXPORT and DELETE buttons in the middle of the screen.
MenuPage {
    id: root
    objectName: "exportForm"

    readonly property color buttonColor: isBrightVersion ? "#363636" : "#e9dd2f"
    readonly property color buttonTextColor: isBrightVersion ? "#e9dd2f" : "#363636"

    property alias proxyModelFiles: proxyModelFiles
    property alias exportTouch: exportTouch
    property alias deleteTouch: deleteTouch

    FileSystemProxyModel {
        id: proxyModelFiles
    }

    Column {
        anchors.centerIn: parent
        spacing: 10

        Rectangle {
            objectName: "exportButton"
            width: 180
            height: 65
            color: root.buttonColor

            Text {
                anchors.fill: parent
                anchors.margins: 5
                text: qsTr("EXPORT") + application.languageChanged
                color: root.buttonTextColor
                font.pixelSize: 40
                fontSizeMode: Text.Fit
                minimumPixelSize: 12
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }

            MouseArea {
                id: exportTouch
                objectName: "exportTouch"
                anchors.fill: parent
            }
        }

        Rectangle {
            objectName: "deleteButton"
            width: 180
            height: 65
            color: root.buttonColor

            Text {
                anchors.fill: parent
                anchors.margins: 5
                text: qsTr("DELETE") + application.languageChanged
                color: root.buttonTextColor
                font.pixelSize: 40
                fontSizeMode: Text.Fit
                minimumPixelSize: 12
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }

            MouseArea {
                id: deleteTouch
                objectName: "deleteTouch"
                anchors.fill: parent
            }
        }
    }
}

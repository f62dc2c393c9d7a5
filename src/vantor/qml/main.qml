import QtQuick 2.15
import QtQuick.Window 2.15

Window {
    id: applicationQML
    objectName: "MainForm"
    width: 320
    height: 280
    visible: true
    color: "#363636"

    Item {
        id: mainItem
        objectName: "mainItem"
        anchors.fill: parent
    }
}

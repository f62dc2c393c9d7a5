import QtQuick 2.15
import QtQuick.Window 2.15

Window {
    objectName: "MainForm"
    visible: true
    width: 750
    height: 900
}

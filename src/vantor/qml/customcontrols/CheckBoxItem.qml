import QtQuick 2.15
import QtQuick.Controls 2.15

// A check box with the screen palette; a read-only one does not toggle.
CheckBox {
    id: control

    property bool readOnly: false
    property color textColor: colorText
    property color backgroundColor: colorTextBackground
    property color borderColor: colorBorder
    property color selectedColor: colorSelected

    height: 50
    checkable: !readOnly

    indicator: Rectangle {
        implicitWidth: 20
        implicitHeight: 20
        x: control.leftPadding
        y: (control.height - height) / 2
        color: control.backgroundColor
        border.color: control.borderColor
        border.width: 1

        Rectangle {
            anchors.fill: parent
            anchors.margins: 6
            color: control.selectedColor
            visible: control.checked
        }
    }

    contentItem: Text {
        text: control.text
        color: control.textColor
        font: control.font
        verticalAlignment: Text.AlignVCenter
        leftPadding: control.indicator.width + control.spacing
    }
}

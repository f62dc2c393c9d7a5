import QtQuick 2.15
import QtQuick.Controls 2.15

// The push button of the window: a rounded blue face, grey while disabled, an optional tooltip.
Button {
    id: root

    property string tooltip: ""

    leftPadding: padding + 10
    rightPadding: padding + 10
    topPadding: padding + 5
    bottomPadding: padding + 5

    ToolTip.text: root.tooltip
    ToolTip.visible: root.tooltip !== "" && root.hovered
    ToolTip.delay: 500

    // A label longer than a button of fixed width shrinks to fit it instead of being cut.
    contentItem: Text {
        text: root.text
        font.pixelSize: 14
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 9
        color: "black"
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        implicitWidth: 80
        implicitHeight: 30
        radius: 5
        border.color: "#6FA3D2"
        border.width: 1
        color: !root.enabled ? "gray" : (root.down ? "#6FA3D2" : "#7DB7E9")
    }
}

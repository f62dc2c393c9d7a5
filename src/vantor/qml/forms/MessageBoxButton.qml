import QtQuick 2.15

// One caption of a message box; hidden while its caption is empty.
Rectangle {
    id: root

    property string caption: ""

    visible: caption !== ""
    enabled: caption !== ""
    height: parent ? parent.height : 75
    color: isBrightVersion ? "#363636" : "#e9dd2f"
    opacity: enabled ? 1 : 0.5

    Text {
        anchors.fill: parent
        anchors.margins: 4
        text: root.caption
        color: isBrightVersion ? "#e9dd2f" : "#363636"
        font.pixelSize: 40
        fontSizeMode: Text.Fit
        minimumPixelSize: 12
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}

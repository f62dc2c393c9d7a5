import QtQuick 2.15

// A framed button of the single LED test, its frame in the colour it tests.
Rectangle {
    id: root

    property string caption: ""
    property color captionColor: "#e9dd2f"
    property color frameColor: "white"

    signal clicked()

    color: "transparent"
    border.width: 1
    border.color: frameColor

    Text {
        objectName: "caption"
        anchors.fill: parent
        padding: 5
        text: root.caption
        color: root.captionColor
        font.bold: true
        font.pixelSize: 20
        fontSizeMode: Text.Fit
        minimumPixelSize: 12
        wrapMode: Text.WordWrap
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    MouseArea {
        anchors.fill: parent
        onClicked: root.clicked()
    }
}

import QtQuick 2.15

// The ":" or "/" between two fields of the time and date editors, level with the values.
Item {
    property string text: ":"

    width: separator.implicitWidth
    height: 36 + verticalSpacing + 40

    Text {
        id: separator
        anchors.bottom: parent.bottom
        height: 40
        verticalAlignment: Text.AlignVCenter
        text: parent.text
        color: colorText
        font.pixelSize: 40
        font.bold: true
    }
}

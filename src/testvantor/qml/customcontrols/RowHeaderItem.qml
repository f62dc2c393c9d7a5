import QtQuick 2.15
import QtQuick.Controls 2.15

// One column title of a header row.
Label {
    property string fieldName

    height: parent ? parent.height : 25
    font.pixelSize: 17
    color: "black"
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}

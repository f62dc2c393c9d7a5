import QtQuick 2.15
import QtQuick.Controls 2.15

// The label in front of an entry or a chooser: 14-pixel text that shrinks to fit the width it is
// given rather than being cut.
Label {
    font.pixelSize: 14
    fontSizeMode: Text.HorizontalFit
    minimumPixelSize: 9
    elide: Text.ElideRight
    verticalAlignment: Text.AlignVCenter
}

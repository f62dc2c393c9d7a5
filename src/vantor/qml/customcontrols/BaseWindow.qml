import QtQuick 2.15
import QtQuick.Window 2.15

// Base of the separate windows (the LED mirror): its own palette, set bright by its owner.
Window {
    id: root
    objectName: "baseForm"

    property bool isBrightVersion: false
    property int defaultWidth: applicationQML.defaultWidth
    property int defaultHeight: applicationQML.defaultHeight

    property color colorBackground: colorDefaultBackground
    property color colorText: colorDefaultText
    property color colorDefault: "#eee230"
    property color colorSelected: colorDefault
    property color colorButton: colorDefault
    property color colorBorderSelected: colorDefault
    property color colorTextSelected: "white"
    property color colorTextSelection: "#04b8a3"
    property color colorTextBackground: "#212121"
    property color colorTextDisabled: "#a7a7a7"
    property color colorTextReverse: "#363636"
    property color colorTextReverseSelected: "#363636"
    property color colorMenuTitle: "#949494"
    property color colorTitle: "white"
    property color colorButtonText: "#363636"
    property color colorButtonDisabled: "#999933"
    property color colorButtonTextDisabled: "#999933"
    property color colorMessageBox: colorGreen
    property color colorBackgroundMessageBox: "#404040"
    property color colorBorder: "#a7a7a7"
    property color colorBorderReverse: "#363636"
    property color colorTextHeader: "white"
    property color colorTextHeaderReverse: "#363636"
    property color colorScrollIndicator: colorBorder
    property color colorScrollIndicatorReverse: "#212121"
    property color colorRed: "#d12f2f"
    property color colorYellow: "#d29730"
    property color colorGreen: "#007743"
    property color colorError: colorRed
    property color colorWarning: colorYellow
    property color colorOk: colorGreen

    property int headerListViewPixelSize: 18
    property int listViewPixelSize: 18
    property int listViewRowHeight: 63

    width: root.defaultWidth
    height: root.defaultHeight
    color: colorBackground
}

import QtQuick 2.15

// Base of every screen: the palette and the sizes the screens and controls share.
FocusScope {
    id: root
    objectName: "baseForm"

    property bool isBrightVersion: application.isHighContrast

    property color colorBackground: isBrightVersion ? "#e9dd2f" : colorDefaultBackground
    property color colorText: isBrightVersion ? "#363636" : colorDefaultText
    property color colorTextSelected: "white"
    property color colorTextSelection: "#04b8a3"
    property color colorTextBackground: "#252525"
    property color colorTextDisabled: "#a7a7a7"
    property color colorTextReverse: "#363636"
    property color colorTextReverseSelected: "#363636"
    property color colorSelected: colorDefault
    // Light grey reads on the dark ground only; the bright theme takes a darker grey.
    property color colorMenuTitle: isBrightVersion ? "#5e5e5e" : "#949494"
    property color colorTitle: isBrightVersion ? "#363636" : "white"
    property color colorMessageBox: colorGreen
    property color colorBackgroundMessageBox: "#404040"
    property color colorBorder: isBrightVersion ? "#363636" : "#a7a7a7"
    // The scroll indicator and the text-field style read these two as they do in a separate window.
    property color colorBorderSelected: colorSelected
    property color colorScrollIndicator: colorBorder
    property color colorRed: "#d12f2f"
    property color colorYellow: "#d29730"
    property color colorGreen: "#007743"
    property color colorError: colorRed
    property color colorWarning: colorYellow
    property color colorOk: colorGreen
    // Red and green for texts: the dark theme's ground needs lighter shades to read them.
    property color colorErrorText: isBrightVersion ? colorError : "#ff6464"
    property color colorOkText: isBrightVersion ? colorOk : "#3cb371"

    property int marginLeftForm: 15
    property int marginRightForm: 15
    property int marginTopForm: 15
    property int marginBottomForm: 15
    property int marginLeftTitle: 118
    property int backIconWidth: 48
    property int searchWidth: 156
    property int searchHeight: 46
    property int searchPixelSize: 16
    property int textBoxWidthTime: 280
    property int textBoxWidth: 200
    property int textBoxHeight: 50
    property int textBoxPopUpHeight: 60
    property int switchWidth: 104
    property int switchHeight: 50
    property int radioInternalWidth: 20
    property int radioInternalHeight: 20
    property int radioWidth: 115
    property int radioHeight: 50
    property int marginTopIcon: 18
    property int marginRightIcon: 96
    property int marginIcon: 47
    property int marginButton: 8
    property int heightButton: 55
    property int marginColumnDistance: 219
    property int marginLeftColumn1: marginLeftForm
    property int marginLeftColumn2: marginLeftColumn1 + marginColumnDistance
    property int marginRadioItem: 40
    property int marginTouchMouseArea: -10

    signal disposed()

    Component.onDestruction: disposed()
}

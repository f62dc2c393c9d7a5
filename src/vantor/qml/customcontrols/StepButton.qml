import QtQuick 2.15

// The plus or minus icon of the value editors, with a touch area beyond its edges.
Image {
    id: root

    property bool isPlus: true

    signal clicked()

    width: 36
    height: 36
    source: getImage(isPlus ? "plusPiccolo" : "minusPiccolo")
    fillMode: Image.PreserveAspectFit
    smooth: true
    mipmap: true

    MouseArea {
        anchors.fill: parent
        anchors.margins: marginTouchMouseArea
        onClicked: root.clicked()
    }
}

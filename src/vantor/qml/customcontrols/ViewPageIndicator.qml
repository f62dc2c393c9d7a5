import QtQuick 2.15

// One dot per page, the current one lit; past maxIndex pages the last dot stays lit and the
// page number follows the dots.
Row {
    id: root

    property int count: 0
    property int currentIndex: 0
    property bool interactive: false
    property int maxIndex: 10
    property color colorSelected: isBrightVersion ? "#363636" : "#eee230"
    property color colorUnselected: isBrightVersion ? "#c2ba46" : "#7e7e7e"

    readonly property int dotCount: Math.min(count, maxIndex)

    spacing: 5

    Repeater {
        model: root.dotCount
        delegate: Rectangle {
            objectName: "pageDot" + index
            readonly property bool lit: index === root.currentIndex
                                        || (index === root.dotCount - 1 && root.currentIndex >= root.maxIndex)
            anchors.verticalCenter: parent.verticalCenter
            width: root.height / 2
            height: width
            radius: width / 2
            color: lit ? root.colorSelected : root.colorUnselected

            MouseArea {
                anchors.fill: parent
                enabled: root.interactive
                onClicked: root.currentIndex = index
            }
        }
    }

    Text {
        objectName: "pageNumber"
        visible: root.count > root.maxIndex
        anchors.verticalCenter: parent.verticalCenter
        text: root.currentIndex + 1
        color: root.colorSelected
        font.pixelSize: root.height
    }
}

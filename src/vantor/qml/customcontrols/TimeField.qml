import QtQuick 2.15

// One field of the time and date editors: plus icon, value, minus icon and a label below.
Column {
    id: root

    property string value
    property string label

    signal increase()
    signal decrease()

    spacing: verticalSpacing

    StepButton {
        objectName: "plus"
        isPlus: true
        anchors.horizontalCenter: parent.horizontalCenter
        onClicked: root.increase()
    }

    Text {
        objectName: "valueText"
        anchors.horizontalCenter: parent.horizontalCenter
        height: 40
        verticalAlignment: Text.AlignVCenter
        text: root.value
        color: colorText
        font.pixelSize: 40
        font.bold: true
    }

    StepButton {
        objectName: "minus"
        isPlus: false
        anchors.horizontalCenter: parent.horizontalCenter
        onClicked: root.decrease()
    }

    Text {
        objectName: "labelText"
        anchors.horizontalCenter: parent.horizontalCenter
        text: root.label
        color: colorText
        font.pixelSize: 20
    }
}

import QtQuick 2.15

// A number edited with plus and minus icons; both ends wrap round to the other.
Row {
    id: root

    property var value
    property var min
    property var max
    property string text: (value === undefined ? "" : ((minShowedValue !== undefined && value < minShowedValue)
                                                       ? minShowedValue : value)) + suffix
    property int step: 1
    property var minShowedValue
    property int verticalSpacing: 7
    property string suffix: ""

    function increase() {
        if (max === undefined)
            return
        if (value < max)
            value = Math.min(value + step, max)
        else if (min !== undefined)
            value = min
    }

    function decrease() {
        if (min === undefined)
            return
        if (value > min)
            value = Math.max(value - step, min)
        else if (max !== undefined)
            value = max
    }

    Column {
        spacing: root.verticalSpacing

        StepButton {
            objectName: "plus"
            isPlus: true
            anchors.horizontalCenter: parent.horizontalCenter
            onClicked: root.increase()
        }

        Text {
            objectName: "valueText"
            anchors.horizontalCenter: parent.horizontalCenter
            text: root.text
            color: colorText
            font.pixelSize: 40
            font.bold: true
            horizontalAlignment: Text.AlignHCenter
        }

        StepButton {
            objectName: "minus"
            isPlus: false
            anchors.horizontalCenter: parent.horizontalCenter
            onClicked: root.decrease()
        }
    }
}

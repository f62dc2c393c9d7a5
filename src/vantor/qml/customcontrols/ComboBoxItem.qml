import QtQuick 2.15

// One choice out of a list, stepped with plus and minus icons; both ends wrap round.
Item {
    id: root

    property int verticalSpacing: 7
    property int itemIndex: 0
    // A ListModel or an array of { text, value }.
    property var model: []
    property var initialValue

    signal valueChanged(var value)

    readonly property int count: model ? (model.count !== undefined ? model.count : model.length) : 0

    function choice(index) {
        if (index < 0 || index >= count)
            return undefined
        return model.get !== undefined ? model.get(index) : model[index]
    }

    function step(up) {
        if (count === 0)
            return
        itemIndex = up ? (itemIndex + 1) % count : (itemIndex - 1 + count) % count
        valueChanged(choice(itemIndex).value)
    }

    implicitWidth: column.implicitWidth
    implicitHeight: column.implicitHeight

    Component.onCompleted: {
        if (initialValue === undefined)
            return
        for (var i = 0; i < count; ++i) {
            if (choice(i).value === initialValue) {
                itemIndex = i
                return
            }
        }
    }

    Column {
        id: column
        width: parent.width
        spacing: root.verticalSpacing

        StepButton {
            objectName: "plus"
            isPlus: true
            anchors.horizontalCenter: parent.horizontalCenter
            onClicked: root.step(true)
        }

        Text {
            objectName: "valueText"
            width: parent.width
            height: 48
            text: root.count > 0 ? root.choice(root.itemIndex).text : ""
            color: colorText
            font.pixelSize: 40
            font.bold: true
            fontSizeMode: Text.Fit
            minimumPixelSize: 12
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }

        StepButton {
            objectName: "minus"
            isPlus: false
            anchors.horizontalCenter: parent.horizontalCenter
            onClicked: root.step(false)
        }
    }
}

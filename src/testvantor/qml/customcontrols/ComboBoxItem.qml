import QtQuick 2.15
import QtQuick.Controls 2.15

// A chooser drawn as a plain cell: its current text shrinks to fit, there is no drop-down arrow, and
// the up and down keys move the focus to the neighbouring items.
ComboBox {
    id: root

    property color backColor: "transparent"
    property color borderColor: "transparent"
    property color borderColorUnselected: backColor
    property color textColor: "black"
    property bool initalized: false
    property bool selected: false
    property int horizontalAlignment: Text.AlignLeft
    property int fontPixelSize: font.pixelSize
    property bool error: false
    property bool handleKeyUpDown: true

    function entryText(entry) {
        if (entry === undefined || entry === null)
            return ""
        if (root.textRole !== "" && typeof entry === "object")
            return entry[root.textRole] !== undefined ? String(entry[root.textRole]) : ""
        return String(entry)
    }

    indicator: Item {}

    contentItem: Text {
        leftPadding: 4
        rightPadding: root.indicator.width + root.spacing
        text: root.displayText
        font.pixelSize: root.initalized ? root.fontPixelSize : root.font.pixelSize
        minimumPixelSize: 10
        fontSizeMode: Text.Fit
        color: root.textColor
        horizontalAlignment: root.horizontalAlignment
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Rectangle {
        implicitWidth: 120
        implicitHeight: 30
        color: root.backColor
        border.width: 1
        border.color: root.error ? "red" : (root.activeFocus ? root.borderColor : root.borderColorUnselected)
    }

    delegate: MenuItem {
        id: entry
        width: root.width
        checkable: true
        autoExclusive: true
        checked: root.currentIndex === index
        highlighted: root.highlightedIndex === index
        text: root.entryText(typeof modelData !== "undefined" ? modelData : model)
        contentItem: Text {
            // The text begins after the check mark.
            leftPadding: entry.indicator ? entry.indicator.width + entry.spacing : 0
            text: entry.text
            color: "black"
            font.pixelSize: root.fontPixelSize
            minimumPixelSize: 6
            fontSizeMode: Text.Fit
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
    }

    Keys.onUpPressed: {
        if (!root.handleKeyUpDown) {
            event.accepted = false
            return
        }
        var previous = root.nextItemInFocusChain(false)
        if (previous)
            previous.forceActiveFocus()
    }

    Keys.onDownPressed: {
        if (!root.handleKeyUpDown) {
            event.accepted = false
            return
        }
        var next = root.nextItemInFocusChain(true)
        if (next)
            next.forceActiveFocus()
    }

    onCurrentIndexChanged: root.error = false

    Behavior on anchors.rightMargin {
        NumberAnimation {
            duration: 600
            easing.type: Easing.OutCubic
        }
    }

    Component.onCompleted: root.initalized = true
}

import QtQuick 2.15
import QtQuick.Controls 2.15

// A chooser drawn as a plain cell: its current text shrinks to fit, there is no drop-down arrow, and
// the up and down keys move the focus to the neighbouring items. Its list shows every entry whole.
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

    // What an entry's check mark and paddings take beside its text, as the entries report it.
    property real entryChromeWidth: 0
    // The widest entry text at the list's size.
    readonly property real widestEntryText: {
        var widest = 0
        var entryCount = root.count
        for (var i = 0; i < entryCount; ++i)
            widest = Math.max(widest, entryMetrics.advanceWidth(root.entryText(root.entryAt(i))))
        return Math.ceil(widest)
    }

    function entryText(entry) {
        if (entry === undefined || entry === null)
            return ""
        if (root.textRole !== "" && typeof entry === "object")
            return entry[root.textRole] !== undefined ? String(entry[root.textRole]) : ""
        return String(entry)
    }

    function entryAt(index) {
        var entries = root.model
        if (Array.isArray(entries))
            return entries[index]
        if (entries && entries.get !== undefined)
            return entries.get(index)
        return typeof entries === "number" ? index : undefined
    }

    FontMetrics {
        id: entryMetrics
        font.family: root.font.family
        font.pixelSize: root.fontPixelSize
    }

    // The list is as wide as the chooser, or as its widest entry needs: every entry is read whole,
    // at one size, beside its check mark.
    function listWidth() {
        return Math.max(root.width, root.widestEntryText + root.entryChromeWidth + root.popup.leftPadding
                        + root.popup.rightPadding + 2)
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
        width: ListView.view ? ListView.view.width : root.width
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
            font.family: root.font.family
            font.pixelSize: root.fontPixelSize
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
        readonly property real chromeWidth: entry.leftPadding + contentItem.leftPadding + entry.rightPadding
        onChromeWidthChanged: root.entryChromeWidth = Math.max(root.entryChromeWidth, chromeWidth)
        Component.onCompleted: root.entryChromeWidth = Math.max(root.entryChromeWidth, chromeWidth)
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

    Component.onCompleted: {
        // Bound only now: the chooser makes its list when it is complete, and a binding that reaches
        // the list earlier leaves its entries deaf to clicks.
        root.popup.width = Qt.binding(root.listWidth)
        root.initalized = true
    }
}

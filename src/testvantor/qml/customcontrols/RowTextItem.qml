import QtQuick 2.15
import QtQuick.Controls 2.15

// One editable cell of a list row. It shows its item, cut to its width; a click makes the row
// current and, when editable, starts editing; Escape gives the item back.
TextField {
    id: root

    property var list
    property bool textEditable: true
    property var item
    property Item nextItem
    property Item prevItem
    property bool error: false
    property int elide: Text.ElideNone
    property bool separatorVisible: true
    property bool acceptOnExit: true
    property bool selectAllWhenFocused: false
    property bool canExport: true
    property bool inEditing: false
    property bool autosize: false

    property bool focusedOnce: false

    signal rowSelected
    signal rowSelecting
    signal rowDoubleClicked
    signal rowPressAndHold

    font.pixelSize: 18
    padding: 0
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    readOnly: !textEditable
    selectByMouse: textEditable
    text: root.shownText()

    function shownText() {
        var value = (root.item === undefined || root.item === null) ? "" : String(root.item)
        return metrics.elidedText !== undefined && root.elide !== Text.ElideNone ? metrics.elidedText : value
    }

    function rebind() {
        root.text = Qt.binding(root.shownText)
    }

    TextMetrics {
        id: metrics
        font: root.font
        elide: root.elide
        elideWidth: Math.max(0, root.width - 2 * root.padding)
        text: (root.item === undefined || root.item === null) ? "" : String(root.item)
    }

    background: Rectangle {
        color: "transparent"
        border.color: "red"
        border.width: root.error ? 2 : 0

        Rectangle {
            anchors.right: parent.right
            width: 1
            height: parent.height
            color: "black"
            visible: root.separatorVisible && root.width !== 0
        }
    }

    Label {
        anchors.fill: parent
        visible: root.autosize && !root.activeFocus
        text: root.text
        font.pixelSize: root.font.pixelSize
        minimumPixelSize: 10
        fontSizeMode: Text.Fit
        horizontalAlignment: root.horizontalAlignment
        verticalAlignment: Text.AlignVCenter
        color: root.color
        background: Rectangle {
            color: "white"
        }
    }

    onItemChanged: {
        if (!root.activeFocus && root.text !== root.shownText())
            root.rebind()
    }

    onTextChanged: root.error = false

    onEditingFinished: {
        root.error = false
        if (root.horizontalAlignment === Text.AlignLeft)
            root.cursorPosition = 0
    }

    onActiveFocusChanged: {
        if (activeFocus && readOnly) {
            root.focus = false
            return
        }
        // A cell reached from its neighbour with Return is typed over at once.
        if (activeFocus && root.selectAllWhenFocused)
            root.selectAll()
        if (!activeFocus && !root.acceptOnExit)
            root.rebind()
    }

    onInEditingChanged: {
        if (inEditing && activeFocus) {
            root.text = root.displayText
            if (root.inputMask === "")
                root.selectAll()
        }
    }

    Keys.onEscapePressed: {
        root.rebind()
        root.focus = false
        root.error = false
    }

    MouseArea {
        anchors.fill: parent
        enabled: !root.activeFocus
        onClicked: root.clickCell(mouse, false)
        onDoubleClicked: {
            root.clickCell(mouse, true)
            root.rowDoubleClicked()
        }
        onPressAndHold: {
            root.clickCell(mouse, false)
            root.rowPressAndHold()
        }
    }

    function clickCell(mouse, keepCursor) {
        root.rowSelecting()
        if (root.list && typeof index !== "undefined")
            root.list.currentIndex = index
        if (root.textEditable && (!root.list || root.list.canFocus)) {
            root.forceActiveFocus()
            if (!keepCursor) {
                if (!root.focusedOnce && root.selectAllWhenFocused)
                    root.selectAll()
                else
                    root.cursorPosition = root.positionAt(mouse.x, mouse.y)
            }
            root.focusedOnce = true
        } else if (root.list) {
            root.list.forceActiveFocus()
        }
        root.rowSelected()
    }

    Component.onCompleted: {
        if (root.horizontalAlignment === Text.AlignLeft)
            root.cursorPosition = 0
    }
}

import QtQuick 2.15
import QtQuick.Controls 2.15

// A read-only list of text lines on a white ground, the newest at the bottom and brought into
// view. Only the lines in view are drawn, so a line costs the same however many came before it;
// the newest maxLines are kept, and older ones leave the list.
Rectangle {
    id: root

    property int maxLines: 10000
    readonly property alias count: lines.count
    property alias view: view

    color: "white"
    border.color: "grey"

    function append(text) {
        lines.append({ "line": text })
        if (lines.count > root.maxLines)
            lines.remove(0, lines.count - root.maxLines)
        // Once for all the lines that arrive before the window is drawn again.
        Qt.callLater(view.positionViewAtEnd)
    }

    // The lines kept, oldest first.
    function allLines() {
        var list = []
        for (var i = 0; i < lines.count; ++i)
            list.push(lines.get(i).line)
        return list
    }

    ListModel {
        id: lines
    }

    ListView {
        id: view
        objectName: root.objectName + "View"
        anchors.fill: parent
        anchors.margins: 1
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        model: lines
        ScrollBar.vertical: ScrollBar {}
        // The newest line stays in view when the window changes its height.
        onHeightChanged: Qt.callLater(view.positionViewAtEnd)

        // Each line can be selected and copied.
        delegate: TextEdit {
            width: view.width - 8
            x: 4
            readOnly: true
            selectByMouse: true
            wrapMode: TextEdit.WrapAnywhere
            text: model.line
        }
    }
}

import QtQuick 2.15

// The frame of a text field: red on error, highlighted while the field has the focus.
Rectangle {
    id: root

    property bool reversed: false
    property bool error: false

    anchors.fill: parent && parent.objectName !== "stack" ? parent : undefined
    color: reversed ? "white" : colorTextBackground
    border.width: 1
    border.color: error ? colorRed
                        : (parent && parent.activeFocus ? (reversed ? colorTextBackground : colorBorderSelected)
                                                        : colorBorder)
}

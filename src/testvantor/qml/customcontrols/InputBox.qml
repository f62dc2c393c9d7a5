import QtQuick 2.15

// The box around a text input: a light fill and a grey border; the input goes inside.
Rectangle {
    implicitHeight: 30
    color: "#F4F2F5"
    border.color: "grey"
    border.width: 1
    clip: true
}

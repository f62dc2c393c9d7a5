import QtQuick 2.15

// The line between two cells of a row.
Rectangle {
    width: 1
    height: parent ? parent.height : 0
    color: "black"
}

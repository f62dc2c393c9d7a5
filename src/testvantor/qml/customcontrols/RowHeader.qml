import QtQuick 2.15

// The header row of a list: header items side by side.
Item {
    default property alias _contentChildren: row.children

    height: 25

    Row {
        id: row
        spacing: 0
        height: parent.height
    }
}

import QtQuick 2.15

// One lamp of the start-light mirror: a disc that fades in when lit.
Rectangle {
    property bool isOn: false

    width: 22
    height: 22
    radius: 11
    opacity: isOn ? 1 : 0

    Behavior on opacity {
        NumberAnimation {
            duration: 200
        }
    }
}

import QtQuick 2.15

// What the test menu's actions did, and how often its model was loaded.
QtObject {
    property var entries: []
    property int loads: 0

    function reset() {
        entries = []
        loads = 0
    }
}

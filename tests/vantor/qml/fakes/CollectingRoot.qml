import QtQuick 2.15

// A root shaped like the main window's for the harness: its window and a part whose destruction
// handler runs a garbage collection while the root is being deleted.
QtObject {
    property QtObject controlWindow: QtObject {
        property bool visible: true
    }
    property QtObject part: CollectingPart {}
}

import QtQuick 2.15

// Stands in for the GPS service: the three flags of the status bar.
QtObject {
    property bool isEnabled: false
    property bool isValid: false
    property bool isSynchedByCountinuos: false

    function reset() {
        isEnabled = false
        isValid = false
        isSynchedByCountinuos = false
    }
}

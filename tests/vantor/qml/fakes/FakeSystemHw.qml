import QtQuick 2.15

// Stands in for the device services: state the status bar shows, and the operations the main
// window and the menus call, recorded in `calls`.
QtObject {
    property var calls: []

    property bool isInCalibration: false
    property string batteryCalibrationMessage: ""
    property bool isWifiEnabled: false
    property int wifiSignalLevel: 0
    property bool isBluetoothEnabled: false
    property bool isBluetoothDeviceConnected: false

    signal batteryPercChanged(int value)
    signal isExtSupplyValidChanged(bool value)
    signal isLowBatteryChanged(bool value)
    signal isShutDownRequiredChanged(bool value)

    function record(entry) {
        var list = calls.slice()
        list.push(entry)
        calls = list
    }

    function reset() {
        isInCalibration = false
        batteryCalibrationMessage = ""
        isWifiEnabled = false
        wifiSignalLevel = 0
        isBluetoothEnabled = false
        isBluetoothDeviceConnected = false
        batteryCalibrationAllowed = false
        calls = []
    }

    function touchListenerListenTo(object) { record("touchListenerListenTo") }
    function disableCalibration() { isInCalibration = false; record("disableCalibration") }
    function clearAllBT() { record("clearAllBT") }
    function bootToRecoveryMode() { record("bootToRecoveryMode") }
    // Refuses, as the desktop build does; a test may allow it.
    property bool batteryCalibrationAllowed: false
    function activateBatteryCalibration() {
        record("activateBatteryCalibration")
        return batteryCalibrationAllowed
    }
    function linuxShutDown() { record("linuxShutDown") }
}

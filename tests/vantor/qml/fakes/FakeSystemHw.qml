import QtQuick 2.15
import velmora.Orvane 1.0

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
    property string bluetoothDeviceConnectedName: ""
    // The settings the settings screens show and write.
    property int brightnessMode: OrvaneEnum.AUTO_BRIGHTNESS
    property int brightness: 50
    property int powerSaveTime: 1
    property int outputSoundVolume: 10

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
        bluetoothDeviceConnectedName = ""
        brightnessMode = OrvaneEnum.AUTO_BRIGHTNESS
        brightness = 50
        powerSaveTime = 1
        outputSoundVolume = 10
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
    function getCurrentIPAddress(nic) { return nic === "eth0" ? "192.168.1.20" : "" }
    function getCurrentSubnetMask(nic) { return nic === "eth0" ? "255.255.255.0" : "" }
    function getCurrentModeStr(nic) { return nic === "eth0" ? "DHCP" : "" }
    function linuxShutDown() { record("linuxShutDown") }
}

import QtQuick 2.15
import QtTest 1.2
import velmora.Orvane 1.0

// The status bar (battery, Wi-Fi, GPS and Bluetooth icons, the clock) and the info bar's queue.
TestCase {
    id: testCase
    name: "StatusBar"
    when: windowShown

    MainWindowHelper {
        id: helper
        testCase: testCase
    }

    function init() {
        helper.create()
    }

    function cleanup() {
        helper.dispose()
        application.isHighContrast = false
    }

    function icon(name) {
        return helper.find(name)
    }

    function imageOf(item) {
        var source = "" + item.source
        return source.substring(source.lastIndexOf("/resources/") + "/resources/".length)
    }

    function infoBar() {
        return helper.find("infoBar")
    }

    function test_battery_data() {
        return [
            { "tag": "70", "perc": 70, "supply": false, "image": "Dark/battery_1.png", "text": "70%" },
            { "tag": "69", "perc": 69, "supply": false, "image": "Dark/battery_2.png", "text": "69%" },
            { "tag": "40", "perc": 40, "supply": false, "image": "Dark/battery_2.png", "text": "40%" },
            { "tag": "39", "perc": 39, "supply": false, "image": "Dark/battery_3.png", "text": "39%" },
            { "tag": "20", "perc": 20, "supply": false, "image": "Dark/battery_3.png", "text": "20%" },
            { "tag": "19", "perc": 19, "supply": false, "image": "Dark/battery_4.png", "text": "19%" },
            { "tag": "0", "perc": 0, "supply": false, "image": "Dark/battery_5.png", "text": "" },
            { "tag": "100 on supply", "perc": 100, "supply": true, "image": "Dark/battery_1B.png", "text": "100%" },
            { "tag": "19 on supply", "perc": 19, "supply": true, "image": "Dark/battery_4B.png", "text": "19%" },
            { "tag": "0 on supply", "perc": 0, "supply": true, "image": "Dark/battery_5B.png", "text": "" }
        ]
    }

    function test_battery(data) {
        systemHw.isExtSupplyValidChanged(data.supply)
        systemHw.batteryPercChanged(data.perc)
        compare(imageOf(icon("batteryIcon")), data.image)
        compare(icon("batteryText").text, data.text)
        application.isHighContrast = true
        compare(imageOf(icon("batteryIcon")), data.image.replace("Dark/", "Light/"))
    }

    function test_batteryBeforeAnyReport() {
        compare(imageOf(icon("batteryIcon")), "Dark/battery_5.png")
        compare(icon("batteryText").text, "")
    }

    function test_wifi_data() {
        return [
            { "tag": "0", "level": 0, "image": "Dark/wifi.png" },
            { "tag": "39", "level": 39, "image": "Dark/wifi.png" },
            { "tag": "40", "level": 40, "image": "Dark/wifi_2.png" },
            { "tag": "49", "level": 49, "image": "Dark/wifi_2.png" },
            { "tag": "50", "level": 50, "image": "Dark/wifi_3.png" },
            { "tag": "52", "level": 52, "image": "Dark/wifi_3.png" },
            { "tag": "53", "level": 53, "image": "Dark/wifi_4.png" },
            { "tag": "89", "level": 89, "image": "Dark/wifi_4.png" },
            { "tag": "90", "level": 90, "image": "Dark/wifi_5.png" }
        ]
    }

    function test_wifi(data) {
        verify(!icon("wifiIcon").visible)
        systemHw.isWifiEnabled = true
        systemHw.wifiSignalLevel = data.level
        verify(icon("wifiIcon").visible)
        compare(imageOf(icon("wifiIcon")), data.image)
    }

    function test_gps_data() {
        return [
            { "tag": "disabled", "enabled": false, "valid": true, "continuous": true, "image": "" },
            { "tag": "valid", "enabled": true, "valid": true, "continuous": false, "image": "Dark/gps_on.png" },
            { "tag": "valid, continuous", "enabled": true, "valid": true, "continuous": true, "image": "Dark/gps_sync.png" },
            { "tag": "invalid, continuous", "enabled": true, "valid": false, "continuous": true,
              "image": "Dark/gps_no_synced.png" },
            { "tag": "invalid", "enabled": true, "valid": false, "continuous": false, "image": "Dark/gps_no.png" }
        ]
    }

    function test_gps(data) {
        gps.isEnabled = data.enabled
        gps.isValid = data.valid
        gps.isSynchedByCountinuos = data.continuous
        compare(icon("gpsIcon").visible, data.image !== "")
        if (data.image !== "")
            compare(imageOf(icon("gpsIcon")), data.image)
    }

    function test_bluetooth() {
        verify(!icon("bluetoothIcon").visible)
        systemHw.isBluetoothEnabled = true
        verify(icon("bluetoothIcon").visible)
        compare(imageOf(icon("bluetoothIcon")), "Dark/bluetooth.png")
        systemHw.isBluetoothDeviceConnected = true
        compare(imageOf(icon("bluetoothIcon")), "BT_ok.png")
    }

    function test_calibrationIcon() {
        verify(!icon("calibrationIcon").visible)
        systemHw.isInCalibration = true
        verify(icon("calibrationIcon").visible)
        systemHw.isInCalibration = false
    }

    function test_clockIsRedUntilSynchronized() {
        var clock = icon("clockText")
        tryVerify(function() { return clock.text !== "" })
        application.isSynchronized = false
        // The red that reads on the theme's ground: lighter on dark, the palette's red on yellow.
        verify(Qt.colorEqual(clock.color, "#ff6464"))
        application.isHighContrast = true
        verify(Qt.colorEqual(clock.color, "#d12f2f"))
        application.isHighContrast = false
        application.isSynchronized = true
        verify(Qt.colorEqual(clock.color, "white"))
        application.isSynchronized = false
    }

    function test_clockShowsLocalWallClockTime() {
        var clock = icon("clockText")
        tryVerify(function() { return clock.text !== "" })
        var now = new Date()
        compare(clock.text.substring(0, 10), Qt.formatDateTime(now, "dd/MM/yyyy"))
        var shown = clock.text.substring(11).split(":")
        var shownSeconds = Number(shown[0]) * 3600 + Number(shown[1]) * 60 + Number(shown[2])
        var nowSeconds = now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds()
        verify(Math.abs(shownSeconds - nowSeconds) <= 2, clock.text)
    }

    function test_infoBarShowsAtOnceThenQueues() {
        var bar = infoBar()
        infoBarMessage.showInfoMessage("first", 200, "#007743")
        compare(bar.state, "showInfoBar")
        compare(bar.text, "first")
        infoBarMessage.showInfoMessage("second", 200, "#007743")
        compare(bar.text, "first")
        compare(bar.queue.length, 1)
        // The second one comes only after the bar has slid away and back.
        tryCompare(bar, "state", "", 20000)
        compare(bar.text, "first")
        tryCompare(bar, "text", "second", 20000)
        compare(bar.state, "showInfoBar")
        compare(bar.queue.length, 0)
    }

    function test_infoBarDropsRepeats() {
        var bar = infoBar()
        bar.add("same", 5000, "#007743")
        bar.add("same", 5000, "#007743")
        compare(bar.queue.length, 0)
        bar.add("same", 5000, "#d12f2f")
        compare(bar.queue.length, 1)
        bar.add("same", 5000, "#d12f2f")
        compare(bar.queue.length, 1)
        bar.add("other", 5000, "#d12f2f")
        bar.add("same", 5000, "#d12f2f")
        compare(bar.queue.length, 3)
    }

    function test_infoBarTextColour_data() {
        return [{ "tag": "yellow", "color": "#d29730", "text": "black" },
                { "tag": "green", "color": "#007743", "text": "white" },
                { "tag": "red", "color": "#d12f2f", "text": "white" }]
    }

    function test_infoBarTextColour(data) {
        infoBar().add("notice", 5000, data.color)
        verify(Qt.colorEqual(helper.find("infoText").color, data.text))
        verify(Qt.colorEqual(infoBar().color, data.color))
    }

    function test_tapHidesTheInfoBar() {
        var bar = infoBar()
        bar.add("notice", 60000, "#007743")
        tryCompare(bar, "y", 0, 20000)
        helper.tap(bar)
        compare(bar.state, "")
    }

    function test_lowBatteryNotice() {
        systemHw.isLowBatteryChanged(true)
        verify(helper.root.isLowBattery)
        compare(infoBar().text, "!!Low battery!!")
        verify(Qt.colorEqual(infoBar().color, "#d12f2f"))
        compare(helper.find("infoBar").displayTimer.interval, 10000)
        systemHw.isLowBatteryChanged(false)
        verify(!helper.root.isLowBattery)
        compare(icon("batteryIcon").opacity, 1)
    }

    function test_waitOverlay() {
        var overlay = helper.find("waitOverlay")
        verify(!overlay.visible)
        application.showWaitPlease(true, true)
        verify(overlay.visible)
        compare(helper.find("waitLabel").text, "WAIT PLEASE (ESC to quit)")
        verify(helper.find("busyIndicator").visible)
        verify(helper.find("busyIndicator").running)
        application.showInfo1WaitPlease("line one")
        application.showInfo2WaitPlease("line two")
        compare(helper.find("waitInfo1").text, "line one")
        compare(helper.find("waitInfo2").text, "line two")
        application.showWaitPlease(false, false)
        compare(helper.find("waitLabel").text, "WAIT PLEASE")
        compare(helper.find("waitInfo1").text, "")
        verify(!helper.find("busyIndicator").visible)
        application.hideWaitPlease()
        verify(!overlay.visible)
    }

    function test_emulatorButtons() {
        var start = helper.find("startButton")
        var lap = helper.find("lapButton")
        mousePress(start, 10, 10)
        compare(eventGenerator.calls, [EventGenerator.EVT_GEN_TYPE_START_LINE + ":true"])
        mouseRelease(start, 10, 10)
        mouseClick(lap, 10, 10)
        compare(eventGenerator.calls, [EventGenerator.EVT_GEN_TYPE_START_LINE + ":true",
                                       EventGenerator.EVT_GEN_TYPE_START_LINE + ":false",
                                       EventGenerator.EVT_GEN_TYPE_LAP_LINE + ":true",
                                       EventGenerator.EVT_GEN_TYPE_LAP_LINE + ":false"])
        compare(start.width, 70)
        compare(start.height, 40)
        compare(start.y, 240)
        compare(lap.x, 250)
    }

    function test_touchRing() {
        verify(!helper.find("tapHandler").visible)
        application.isTapHandlerEnabled = true
        verify(helper.find("tapHandler").visible)
        var rings = helper.find("tapHandler").children.length
        // The ring does not take the press from the controls below.
        mouseClick(helper.find("startButton"), 10, 10)
        compare(eventGenerator.calls.length, 2)
        compare(helper.find("tapHandler").children.length, rings + 1)
        application.isTapHandlerEnabled = false
    }
}

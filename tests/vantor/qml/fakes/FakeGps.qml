import QtQuick 2.15

// Stands in for the GPS service: the three flags of the status bar, the synchronisation mode and
// time zone of the GPS screen, the satellite view and the calibration operations, recorded in
// `calls`.
QtObject {
    property bool isEnabled: false
    property bool isValid: false
    property bool isSynchedByCountinuos: false

    property var calls: []
    property int syncMode: 0
    property int timeZoneShift: 0
    property bool isShowSatellites: false
    // The records the next refreshSatellitesStatus returns, and how often it was called.
    property var satellites: []
    property int refreshCount: 0

    signal calibMessage(string message)
    signal calibDuration(var duration)
    signal satCountChanged(string text)
    signal usedChanged(string text)
    signal avgCNOChanged(string text)
    signal lastUpdateChanged(string text)

    function reset() {
        isEnabled = false
        isValid = false
        isSynchedByCountinuos = false
        syncMode = 0
        timeZoneShift = 0
        isShowSatellites = false
        satellites = []
        refreshCount = 0
        calls = []
    }

    function record(entry) {
        var list = calls.slice()
        list.push(entry)
        calls = list
    }

    onSyncModeChanged: record("syncMode=" + syncMode)
    onTimeZoneShiftChanged: record("timeZoneShift=" + timeZoneShift)
    onIsShowSatellitesChanged: record("isShowSatellites=" + isShowSatellites)

    function refreshSatellitesStatus() {
        refreshCount += 1
        record("refreshSatellitesStatus")
        satCountChanged("" + satellites.length)
        usedChanged("" + satellites.filter(function(satellite) { return satellite.Used }).length)
        avgCNOChanged("12.5")
        lastUpdateChanged("10:11:12")
        return satellites
    }

    function checkCalibration() { record("checkCalibration") }
    function execCalibration() { record("execCalibration") }
    function stopCalibration() { record("stopCalibration") }
}

import QtQuick 2.15
import velmora.Orvane 1.0

// The GPS screen: the operator chooses the GPS synchronisation mode and the time zone; both are
// written to the GPS service at once.
GPSForm {
    id: root

    readonly property var timeZoneTexts: [
        "UTC", "UTC+01:00", "UTC+02:00", "UTC+03:00", "UTC+03:30", "UTC+04:00", "UTC+04:30", "UTC+05:00",
        "UTC+05:30", "UTC+05:45", "UTC+06:00", "UTC+06:30", "UTC+07:00", "UTC+08:00", "UTC+08:30", "UTC+08:45",
        "UTC+09:00", "UTC+09:30", "UTC+10:00", "UTC+10:30", "UTC+11:00", "UTC+11:30", "UTC+12:00", "UTC+12:45",
        "UTC+13:00", "UTC+13:45", "UTC+14:00", "UTC-01:00", "UTC-02:00", "UTC-02:30", "UTC-03:00", "UTC-03:30",
        "UTC-04:00", "UTC-04:30", "UTC-05:00", "UTC-06:00", "UTC-07:00", "UTC-08:00", "UTC-09:00", "UTC-09:30",
        "UTC-10:00", "UTC-11:00", "UTC-12:00", "UTC-13:00", "UTC-14:00"]

    // The shift in minutes that a time-zone text spells: "UTC+05:45" is 345, "UTC-09:30" is -570.
    function shiftOfText(text) {
        if (text === "UTC")
            return 0
        var sign = text.charAt(3) === "-" ? -1 : 1
        return sign * (parseInt(text.substr(4, 2), 10) * 60 + parseInt(text.substr(7, 2), 10))
    }

    function textOfShift(minutes) {
        if (minutes === 0)
            return "UTC"
        var size = Math.abs(minutes)
        var hours = Math.floor(size / 60)
        var rest = size % 60
        return "UTC" + (minutes < 0 ? "-" : "+") + (hours < 10 ? "0" : "") + hours + ":" + (rest < 10 ? "0" : "") + rest
    }

    // The time-zone choices; a stored shift that is not one of them (a remote client may set any
    // number of minutes) gets a choice of its own, so that the chooser shows what is in force.
    function timeZoneChoices(current) {
        var choices = []
        var found = false
        for (var i = 0; i < timeZoneTexts.length; ++i) {
            var value = shiftOfText(timeZoneTexts[i])
            choices.push({ "text": timeZoneTexts[i], "value": value })
            found = found || value === current
        }
        if (!found)
            choices.push({ "text": textOfShift(current), "value": current })
        return choices
    }

    function syncModeChoices() {
        var language = application.languageChanged
        return [{ "text": qsTr("None") + language, "value": GPSEnum.GPS_SYNC_NONE },
                { "text": qsTr("One Time") + language, "value": GPSEnum.GPS_SYNC_ONE_TIME },
                { "text": qsTr("Continuous") + language, "value": GPSEnum.GPS_SYNC_CONTINUOUS }]
    }

    function select(combo, value) {
        for (var i = 0; i < combo.count; ++i) {
            if (combo.choice(i).value === value) {
                combo.itemIndex = i
                return
            }
        }
    }

    formSubTitle: (page === 0 ? "1/2 " + qsTr("Sync Mode") : "2/2 " + qsTr("Time zone")) + application.languageChanged

    cmbSyncMode.model: syncModeChoices()

    cmbSyncMode.onValueChanged: {
        gps.syncMode = value
        // A refused change (GPS synchronisation is locked during a radio synchronisation) emits
        // nothing: show the mode in force again instead of the refused one.
        if (gps.syncMode !== value) {
            select(cmbSyncMode, gps.syncMode)
            utils.showInfoMessage(qsTr("GPS mode locked by the radio synchronization") + application.languageChanged,
                                  3000, "" + colorRed)
        }
    }

    cmbTimeZone.onValueChanged: gps.timeZoneShift = value

    Component.onCompleted: {
        select(cmbSyncMode, gps.syncMode)
        // Built once: the list must not change under the chooser while the operator steps it.
        cmbTimeZone.model = timeZoneChoices(gps.timeZoneShift)
        select(cmbTimeZone, gps.timeZoneShift)
    }

    leftTouch.onClicked: {
        if (page === 0) {
            sema.sequenceStatus = false
            mainForm.menuPressed()
        } else {
            page = page - 1
        }
    }

    rightTouch.onClicked: {
        if (page < maxPage)
            page = page + 1
        else
            mainForm.menuPressed()
    }

    Connections {
        target: gps
        function onSyncModeChanged() {
            root.select(cmbSyncMode, gps.syncMode)
        }
    }
}

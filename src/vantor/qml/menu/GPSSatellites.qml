import QtQuick 2.15

// The satellite view: refreshed from the GPS service when it opens and every 5 seconds while it
// is shown; the GPS service reports itself enabled while the view is open.
GPSSatellitesForm {
    id: root

    function refresh() {
        satellitesStatus = gps.refreshSatellitesStatus()
    }

    timerRefresh.onTriggered: refresh()

    onPopping: {
        gps.isShowSatellites = false
        timerRefresh.stop()
        utils.processEvents(500)
    }

    Component.onCompleted: {
        gps.isShowSatellites = true
        refresh()
    }

    Connections {
        target: gps
        function onSatCountChanged(text) {
            root.satCount = text
        }
        function onUsedChanged(text) {
            root.usedCount = text
        }
        function onAvgCNOChanged(text) {
            root.avgCNO = text
        }
        function onLastUpdateChanged(text) {
            root.lastUpdate = text
        }
    }
}

import QtQuick 2.15

// The synchronisation menu: setting the clock on a start impulse, the GPS mode and time zone, and
// the satellite view; all three are locked while a partner synchronisation is active.
ListModel {
    id: model

    property var actions: ({
        "New": function(param) {}
    })

    function entry(name, text, page, image) {
        return { "name": name, "text": text, "title": text, "menuTitle": "", "image": getImage(image),
                 "page": page, "listModel": "", "back": "", "param": "", "form": "",
                 "enabled": !application.isAmbrel }
    }

    Component.onCompleted: {
        // The soft hyphen lets the long word break under its icon; the screen's title shows it whole.
        append(entry("Synchronization", qsTr("Set Synchro\u00ADnization"), "qrc:/menu/Synchro.qml", "setSync"))
        append(entry("GPS", qsTr("GPS & Time Zone"), "qrc:/menu/GPS.qml", "gps"))
        append(entry("GPSSatellites", qsTr("GPS Satellites"), "qrc:/menu/GPSSatellites.qml", "gpsSatellites"))
    }
}

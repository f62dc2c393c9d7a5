import QtQuick 2.15

// The settings menu: general settings, session settings and the repetition times.
ListModel {
    id: model

    property var actions: ({
        "New": function(param) {
        }
    })

    function entry(text, title, image, page, param) {
        return { "name": "SettingsMenuForm", "text": text, "title": title, "menuTitle": "", "image": getImage(image),
                 "page": page, "listModel": "", "back": "", "param": param, "form": "" }
    }

    Component.onCompleted: {
        append(entry(qsTr("GENERAL\nSETTINGS"), qsTr("GENERAL SETTINGS"), "settings", "Settings.qml", "GENERAL"))
        append(entry(qsTr("SESSION\nSETTINGS"), qsTr("SESSION SETTINGS"), "settingsSess", "Settings.qml", "SESSION"))
        append(entry(qsTr("REPETITION\nTIMES"), qsTr("REPETITION TIMES"), "list", "RepetitionTimes.qml", ""))
    }
}

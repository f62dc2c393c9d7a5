import QtQuick 2.15
import "qrc:/menu"

// A settings screen with a page of each kind the other screens do not use, recording the changes
// it is told about as "id|value|text".
SettingsPage {
    property var changes: []

    function appendSettings() {
        settingsModel.append(settingEntry("Run", "Run", "button", {}))
        settingsModel.append(settingEntry("Open", "Open", "buttonUrl", {
            "url": "qrc:/menu/MenuPage.qml", "pageSource": "qrc:/qmltest/TestMenuModel.qml" }))
        settingsModel.append(settingEntry("Count", "Count", "number", { "value": 3, "min": 0, "max": 5 }))
        settingsModel.append(settingEntry("Odd", "Odd", "unknown", {}))
    }

    onSettingChanged: {
        var list = changes.slice()
        list.push(id + "|" + value + "|" + text)
        changes = list
    }
}

import QtQuick 2.15
import velmora.Orvane 1.0

// The main menu: new session, settings, synchronisation, log export, Bluetooth and defaults.
ListModel {
    id: model

    property bool reloadAfter: true

    property var actions: ({
        "NewSessionMenuForm": function(param) {
            if (application.displayboardMode === OrvaneEnum.DISPLAYBOARD_MODE)
                mainForm.openScreen("qrc:/menu/DisplayboardOutput.qml", {
                    "objectName": "NewSessionMenuForm", "formTitle": qsTr("NEW SESSION"), "formParam": "",
                    "pageSource": "" })
            else
                mainForm.openScreen("qrc:/menu/MenuPage.qml", {
                    "objectName": "NewSessionMenuForm", "formTitle": qsTr("NEW SESSION"), "formParam": "",
                    "pageSource": "qrc:/menudata/MenuSequencesModel.qml" })
        },
        "DisconnectBTDevice": function(param) {
            systemHw.clearAllBT()
        },
        "ResetToDefault": function(param) {
            application.resetToDefault()
        }
    })

    property var actionsLongPressed: ({
        "SettingsMenuForm": function(param) {
            mainForm.openScreen("qrc:/menu/TestSettings.qml", {
                "objectName": "TestSettingsForm", "formTitle": qsTr("TEST SETTINGS"), "formParam": "" })
        }
    })

    function entry(name, text, title, image, page, listModel) {
        return { "name": name, "text": text, "title": title, "menuTitle": "", "image": getImage(image),
                 "page": page, "listModel": listModel, "back": "", "param": "", "form": "" }
    }

    Component.onCompleted: {
        append(entry("NewSessionMenuForm", qsTr("NEW SESSION"), qsTr("NEW SESSION"), "start", "", ""))
        append(entry("SettingsMenuForm", qsTr("SETTINGS"), qsTr("SETTINGS"), "settings", "MenuPage.qml",
                     "qrc:/menudata/MenuSettingsModel.qml"))
        append(entry("SynchMenuForm", qsTr("SYNCH"), qsTr("SYNCHRONIZATION"), "sync", "MenuPage.qml",
                     "qrc:/menudata/MenuSynchroModel.qml"))
        append(entry("ExportLog", qsTr("EXPORT LOG"), qsTr("EXPORT LOG"), "exportLog", "Export.qml", ""))
        append(entry("DisconnectBTDevice", qsTr("DISCONNECT BT DEVICES"), qsTr("DISCONNECT\nBT DEVICES"),
                     "noBluetooth", "", ""))
        append(entry("ResetToDefault", qsTr("RESET TO DEFAULT"), qsTr("RESET TO\nDEFAULT"), "resetToDefault", "", ""))
    }
}

import QtQuick 2.15

// A menu of seven entries (three pages) with every kind of entry the menus know; what its
// actions do is recorded in the context property "menuLog" of the test.
ListModel {
    id: model

    property bool reloadAfter: true

    property var actions: ({
        "Act": function(param) { model.log("Act(" + param + ")"); return true },
        "Quiet": function(param) { model.log("Quiet(" + param + ")") },
        "Refresh": function(param) { model.log("Refresh(" + param + ")"); return true }
    })

    property var reload: ({
        "Refresh": function() { return true }
    })

    property var actionsLongPressed: ({
        "Act": function(param) { model.log("long Act(" + param + ")") }
    })

    function log(entry) {
        menuLog.entries = menuLog.entries.concat([entry])
    }

    function entry(name, page, listModel, param, enabled) {
        return { "name": name, "text": name, "title": name + " title", "menuTitle": "", "image": "",
                 "page": page, "listModel": listModel, "back": "", "param": param, "form": "",
                 "enabled": enabled }
    }

    Component.onCompleted: {
        menuLog.loads += 1
        append(entry("Open", "MenuPage.qml", "qrc:/qmltest/TestMenuModel.qml", "p1", true))
        append(entry("Act", "MenuPage.qml", "qrc:/qmltest/TestMenuModel.qml", "p2", true))
        append(entry("Quiet", "MenuPage.qml", "", "p3", true))
        append(entry("Refresh", "", "", "p4", true))
        append(entry("Back", "", "", "p5", true))
        append(entry("Inert", "MenuPage.qml", "qrc:/qmltest/TestMenuModel.qml", "empty", true))
        append(entry("Disabled", "MenuPage.qml", "qrc:/qmltest/TestMenuModel.qml", "p7", false))
    }
}

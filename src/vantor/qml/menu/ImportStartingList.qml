import QtQuick 2.15

// The starting-list file chooser: a tap makes the file the active starting list (or says why it
// cannot be), a long press shows its entries.
ImportStartingListForm {
    id: root

    entryOf: function(path) {
        var name = proxyModelFiles.getStartingListName(path)
        if (name === "")
            return null
        return { "name": "ReadStartingList", "title": name, "menuTitle": "", "text": name, "page": "", "image": "",
                 "back": "", "listModel": "", "param": path, "form": "" }
    }

    actions: ({
        "ReadStartingList": function(param) {
            if (!sema.setStartingListFromFile(param)) {
                messageBox.show(sema.errorMessage, 10000)
                return
            }
            mainForm.menuPressed()
        }
    })

    actionsLongPressed: ({
        "ReadStartingList": function(param) {
            mainForm.openScreen("qrc:/menu/StartingList.qml", {
                "objectName": param, "formTitle": "", "pageSource": "", "formParam": "",
                "formMenuTitle": qsTr("StartingList") + application.languageChanged })
        }
    })
}

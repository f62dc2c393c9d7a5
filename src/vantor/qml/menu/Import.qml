import QtQuick 2.15

// The sequence file chooser: every sequence file of the folder with a name is an entry; a tap
// opens the run screen for it, a long press its intervals.
ImportForm {
    id: root

    entryOf: function(path) {
        var name = proxyModelFiles.getSequenceName(path)
        if (name === "")
            return null
        return { "name": path, "title": name, "menuTitle": "", "text": name, "page": "qrc:/menu/HandleSequence.qml",
                 "image": "", "back": "", "listModel": "", "param": "", "form": "" }
    }

    onButtonLongPressed: {
        var entry = files.get(index)
        if (!entry)
            return
        var path = entry.name
        Qt.callLater(function() {
            mainForm.openScreen("qrc:/menu/SemaSequence.qml", {
                "objectName": path, "formTitle": "", "pageSource": "",
                "formMenuTitle": qsTr("Sequence") + application.languageChanged, "formParam": "" })
        })
    }
}

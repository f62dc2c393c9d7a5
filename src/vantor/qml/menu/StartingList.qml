import QtQuick 2.15

// The starting-list viewer: the entries of a starting-list file (its path is the screen's
// objectName) as they stand in it, nothing validated or installed.
StartingListForm {
    id: root

    bibLabel: qsTr("Num") + application.languageChanged

    function load() {
        initializing = true
        startingListModel.clear()
        var list = sema.loadStartingList(objectName)
        if (list.startingListId === undefined) {
            initializing = false
            return
        }
        var starts = list.startingList || []
        for (var i = 0; i < starts.length; ++i)
            startingListModel.append({ "bibNumber": starts[i].bibNumber, "time": starts[i].time,
                                       "date": starts[i].date })
        menuModel = startingListModel
        swipeViewRepeater.model = pageCount
        initializing = false
    }

    // The pages of the menu hold the starts instead of icons.
    function rowCompleted(list, index, rowIndex) {
        list.clear()
        Qt.callLater(root.fillPages)
    }

    function fillPages() {
        for (var p = 0; p < swipeViewRepeater.count; ++p) {
            var page = swipeViewRepeater.itemAt(p)
            if (!page)
                continue
            var filled = false
            for (var c = 0; c < page.children.length; ++c)
                filled = filled || page.children[c].objectName === "startsPage" + p
            if (!filled)
                pageContent.createObject(page, { "pageIndex": p })
        }
    }

    // Nothing to reload: the texts follow the language by themselves.
    function reloadMenu() {
    }

    Component.onCompleted: Qt.callLater(root.load)
}

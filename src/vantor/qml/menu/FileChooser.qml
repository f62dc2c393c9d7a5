import QtQuick 2.15
import velmora.Orvane 1.0

// A menu of the files of the internal memory or of the USB folder: one entry per file that
// entryOf turns into a menu entry, rebuilt whenever a folder listing changes or a remote client
// writes or deletes a file.
MenuPage {
    id: root

    // The openers pass "custom" for the internal memory and "USB" for the USB folder.
    readonly property bool internalMemory: formParam === "custom"
    property var listPath: []
    property alias patterns: listing.patterns
    property alias files: files
    property alias proxyModelFiles: proxyModelFiles
    // The menu entry of a file path, or null when the file is not to be listed.
    property var entryOf: function(path) { return null }
    property var actions: ({})
    property var actionsLongPressed: ({})
    // The entries last shown, to leave the pages alone when a listing changes nothing.
    property string shownEntries: ""

    function refreshFolders() {
        listPath = proxyModelFiles.getMultiPathString(internalMemory).slice()
    }

    function rebuild() {
        var paths = listing.filePaths()
        if (paths === null)
            return
        var entries = []
        for (var i = 0; i < paths.length; ++i) {
            var entry = entryOf(paths[i])
            if (entry)
                entries.push(entry)
        }
        var text = JSON.stringify(entries)
        if (text === shownEntries && menuModel === files)
            return
        shownEntries = text
        var page = view.currentIndex
        swipeViewRepeater.model = 0
        menuModel = null
        files.clear()
        for (var j = 0; j < entries.length; ++j)
            files.append(entries[j])
        menuModel = files
        swipeViewRepeater.model = pageCount
        if (page > 0 && pageCount > 0)
            view.setCurrentIndex(Math.min(page, pageCount - 1))
    }

    // The entries come from the folders, not from a menu model file: reloading (after a change of
    // language or theme) shows them again.
    function reloadMenu() {
        shownEntries = ""
        Qt.callLater(root.rebuild)
    }

    ListModel {
        id: files
        property var actions: root.actions
        property var actionsLongPressed: root.actionsLongPressed
    }

    FileSystemProxyModel {
        id: proxyModelFiles
    }

    FolderFiles {
        id: listing
        folders: root.listPath
        onFilesChanged: Qt.callLater(root.rebuild)
    }

    Connections {
        target: application
        function onInternalFilesChanged() {
            root.refreshFolders()
        }
    }

    Component.onCompleted: {
        files.clear()
        refreshFolders()
    }
}

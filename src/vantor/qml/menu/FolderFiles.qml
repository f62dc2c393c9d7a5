import QtQml 2.15
import Qt.labs.folderlistmodel 2.15
import velmora.Orvane 1.0

// The files of some folders whose names match some patterns: one filter model over a folder
// listing for each folder and pattern. Raises filesChanged whenever a listing changes.
Instantiator {
    id: root

    // Folder URLs and name patterns (wildcards, any letter case).
    property var folders: []
    property var patterns: []

    signal filesChanged()

    // The paths of the files listed, each once, in the order of the folders and the patterns (a
    // name such as "list.xlsx" matches both "*.xls" and "*.xlsx"); null until every folder has
    // been listed, so that a listing made afresh does not show as empty first.
    function filePaths() {
        var paths = []
        for (var i = 0; i < count; ++i) {
            var proxy = objectAt(i)
            if (!proxy)
                continue
            if (proxy.source.status !== FolderListModel.Ready)
                return null
            for (var row = 0; row < proxy.count; ++row) {
                var path = proxy.get(row).filePath
                if (path !== undefined && path !== "" && paths.indexOf(path) < 0)
                    paths.push(path)
            }
        }
        return paths
    }

    model: {
        var list = []
        for (var f = 0; f < folders.length; ++f)
            for (var p = 0; p < patterns.length; ++p)
                list.push({ "folder": folders[f], "pattern": patterns[p] })
        return list
    }

    delegate: FileSystemProxyModel {
        filterRole: "fileName"
        filterSyntax: SortFilterProxyModel.Wildcard
        filterCaseSensitivity: Qt.CaseInsensitive
        filterString: modelData.pattern
        source: FolderListModel {
            showDirs: false
            sortField: FolderListModel.Name
            folder: modelData.folder
            onStatusChanged: root.filesChanged()
        }
        onCountChanged: root.filesChanged()
    }

    onObjectAdded: filesChanged()
    onObjectRemoved: filesChanged()
}

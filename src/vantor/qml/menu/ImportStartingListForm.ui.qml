import QtQuick 2.15

// Layout of the starting-list file chooser: the JSON starting lists and the workbooks of one
// folder as menu entries.
FileChooser {
    id: root
    objectName: "importStartingListForm"

    patterns: ["*.json", "*.xls", "*.xlsx"]
}

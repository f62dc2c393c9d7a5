import QtQuick 2.15

// Layout of the sequence file chooser: the sequence files of one folder as menu entries.
FileChooser {
    id: root
    objectName: "importForm"

    property string filterString: "*.json"

    patterns: [filterString]
}

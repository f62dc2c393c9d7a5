import QtQuick 2.15

// The log-export screen: copies every events log to the USB folder, or deletes them after the
// operator has confirmed. The application object reports the outcome.
ExportForm {
    id: root

    exportTouch.onClicked: application.exportLogFiles(proxyModelFiles.getPathString(false))
    deleteTouch.onClicked: application.deleteLogFiles()
}

import QtQuick 2.15

// Layout of the interval viewer: the intervals of one sequence, iconForPage to a page.
MenuPage {
    id: root
    objectName: "formSemaSequence"

    // The sequence type shown.
    property int sequence: -1
    // One element per interval: time (seconds), color, sound and isFalseStartWindow.
    property ListModel semaSequenceModel: ListModel {
    }

    menuModel: semaSequenceModel
}

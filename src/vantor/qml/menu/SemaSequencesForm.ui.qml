import QtQuick 2.15

// Layout of the sequence menu: a menu of the two built-in sequences of one family.
MenuPage {
    id: root
    objectName: "formSemaSequencess"

    // The entries of the menu, one per sequence.
    property ListModel sequences: ListModel {
    }
    // The family: "RA", "SK" or "UH".
    property var sequence: formParam

    menuModel: sequences
}

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Dialogs 1.3
import QtQuick.Layouts 1.15
import "../customcontrols"

// The "Starting List" tab: a starting list composed row by row, kept in a JSON file, sent to Vantor
// to be stored there (and selected), or deleted there by name or id.
Item {
    id: root

    property var window
    readonly property var backend: window.backend
    readonly property ListModel rows: window.semaStartingListModel
    readonly property int listWidth: window.rowIndexWidth + window.signWidth + window.timeWidth + window.colorWidth
                                     + window.toneWidth + window.windowWidth + 2 * startingList.borderWidth
    // The columns share the width of the sequence editor's list: the index, the bib number, and
    // the time and the date in equal parts of the rest.
    readonly property int bibWidth: window.bibNumberWidth + window.signWidth
    readonly property int timeDateWidth: (listWidth - 2 * startingList.borderWidth - window.rowIndexWidth - bibWidth) / 2

    property alias startingListIdInput: startingListIdInput
    property alias startingListNameInput: startingListNameInput
    property alias startingList: startingList
    property alias openDialog: openDialog
    property alias saveDialog: saveDialog

    function newRow() {
        return { "bibNumber": 0, "time": "00:00:00", "date": "" }
    }

    function addRow() {
        rows.append(newRow())
        startingList.currentIndex = rows.count - 1
    }

    function insertRow() {
        if (rows.count === 0 || startingList.currentIndex < 0) {
            addRow()
            return
        }
        var current = startingList.currentIndex
        rows.insert(current, newRow())
        startingList.currentIndex = current + 1
    }

    function removeRow() {
        if (startingList.currentIndex >= 0 && startingList.currentIndex < rows.count)
            rows.remove(startingList.currentIndex)
    }

    function rowList() {
        var list = []
        for (var i = 0; i < rows.count; ++i) {
            var row = rows.get(i)
            list.push({ "bibNumber": row.bibNumber, "time": row.time, "date": row.date })
        }
        return list
    }

    function checkNameThenId(idMessage) {
        if (startingListNameInput.text === "")
            return qsTr("Insert the StartingList name")
        if (startingListIdInput.text === "")
            return idMessage
        return ""
    }

    function run(message, action) {
        if (message !== "")
            root.window.showMessage(message)
        else
            action()
    }

    function loadFrom(fileUrl) {
        var map = root.backend.loadStartingList(fileUrl)
        if (map.startingListId === undefined)
            return
        startingListIdInput.text = map.startingListId
        startingListNameInput.text = map.startingListName
        rows.clear()
        for (var i = 0; i < map.startingList.length; ++i)
            rows.append(map.startingList[i])
    }

    function saveTo(fileUrl) {
        var message = checkNameThenId(qsTr("Insert the StartingList ID"))
        if (message !== "") {
            root.window.showMessage(message)
            return
        }
        root.backend.saveStartingList(startingListIdInput.text, startingListNameInput.text, rowList(), fileUrl)
    }

    RowLayout {
        anchors.fill: parent
        anchors.margins: 5
        spacing: 10

        ColumnLayout {
            Layout.alignment: Qt.AlignTop
            Layout.minimumWidth: root.listWidth
            spacing: 5

            RowLayout {
                FieldLabel {
                    Layout.preferredWidth: 180
                    text: qsTr("Insert the StartingList id")
                }
                InputBox {
                    Layout.preferredWidth: 150
                    TextInput {
                        id: startingListIdInput
                        objectName: "editorStartingListId"
                        anchors.fill: parent
                        anchors.margins: 4
                        verticalAlignment: TextInput.AlignVCenter
                        font.pixelSize: 14
                        selectByMouse: true
                    }
                }
            }
            RowLayout {
                FieldLabel {
                    Layout.preferredWidth: 180
                    text: qsTr("Insert the StartingList name")
                }
                InputBox {
                    Layout.preferredWidth: 150
                    TextInput {
                        id: startingListNameInput
                        objectName: "editorStartingListName"
                        anchors.fill: parent
                        anchors.margins: 4
                        verticalAlignment: TextInput.AlignVCenter
                        font.pixelSize: 14
                        selectByMouse: true
                    }
                }
            }

            Column {
                width: root.listWidth
                Layout.preferredWidth: root.listWidth
                Layout.preferredHeight: 250

                RowHeader {
                    width: root.listWidth
                    RowHeaderItem {
                        width: root.window.rowIndexWidth
                        text: "#"
                    }
                    RowHeaderItem {
                        width: root.bibWidth
                        text: qsTr("Bib Number")
                    }
                    RowHeaderItem {
                        width: root.timeDateWidth
                        text: qsTr("Time")
                    }
                    RowHeaderItem {
                        width: root.timeDateWidth
                        text: qsTr("Date")
                    }
                }

                ListViewItem {
                    id: startingList
                    objectName: "startingListEditorList"
                    width: root.listWidth
                    height: 225
                    model: root.rows
                    currentIndex: -1
                    highlight: Rectangle {
                        color: "#CAF5CF"
                    }
                    delegate: StartingListRow {
                        editor: root
                        list: startingList
                        width: root.listWidth - 2 * startingList.borderWidth
                        x: startingList.borderWidth
                    }
                }
            }

            RowLayout {
                spacing: 20
                BetterButton {
                    objectName: "addStartingListRow"
                    text: qsTr("Add StartingList")
                    onClicked: root.addRow()
                }
                BetterButton {
                    objectName: "insertStartingListRow"
                    text: qsTr("Insert StartingList")
                    onClicked: root.insertRow()
                }
                BetterButton {
                    objectName: "removeStartingListRow"
                    text: qsTr("Remove StartingList")
                    onClicked: root.removeRow()
                }
            }
        }

        // The action buttons: a column 150 wide, or as wide as its longest label needs where the
        // page has the room; in the narrowest window their labels shrink a little instead.
        ColumnLayout {
            Layout.fillWidth: true
            Layout.preferredWidth: Math.max(150, implicitWidth)
            Layout.minimumWidth: 150
            Layout.maximumWidth: Layout.preferredWidth
            Layout.alignment: Qt.AlignTop
            spacing: 5

            BetterButton {
                objectName: "downloadStartingList"
                Layout.fillWidth: true
                text: qsTr("Download StartingList")
                tooltip: qsTr("Send and store the defined StartingList with specified name on device")
                enabled: root.window.isConnected
                onClicked: root.run(root.checkNameThenId(qsTr("Insert the StartingList id")), function() {
                    root.backend.setStartingList(startingListIdInput.text, startingListNameInput.text, root.rowList())
                })
            }
            BetterButton {
                objectName: "downloadAndSelectStartingList"
                Layout.fillWidth: true
                text: qsTr("Downl. and start seq.")
                tooltip: qsTr("Send and store the defined StartingList with specified name on device")
                enabled: root.window.isConnected
                onClicked: root.run(root.checkNameThenId(qsTr("Insert the StartingList id")), function() {
                    root.backend.setStartingList(startingListIdInput.text, startingListNameInput.text, root.rowList(), true)
                })
            }
            BetterButton {
                objectName: "deleteStartingListByName"
                Layout.fillWidth: true
                text: qsTr("Delete list by name")
                tooltip: qsTr("Delete a stored StartingList")
                enabled: root.window.isConnected
                onClicked: root.run(startingListNameInput.text === "" ? qsTr("Insert the StartingList name") : "", function() {
                    root.backend.deleteStartingListByName(startingListNameInput.text)
                })
            }
            BetterButton {
                objectName: "deleteStartingListById"
                Layout.fillWidth: true
                text: qsTr("Delete list by id")
                tooltip: qsTr("Delete a stored StartingList")
                enabled: root.window.isConnected
                // Deleting by id needs the id, whatever the name field holds.
                onClicked: root.run(startingListIdInput.text === "" ? qsTr("Insert the StartingList id") : "", function() {
                    root.backend.deleteStartingListById(startingListIdInput.text)
                })
            }
            BetterButton {
                objectName: "loadStartingList"
                Layout.fillWidth: true
                text: qsTr("Load StartingList")
                tooltip: qsTr("Load a stored StartingList")
                onClicked: openDialog.open()
            }
            BetterButton {
                objectName: "saveStartingList"
                Layout.fillWidth: true
                text: qsTr("Save StartingList")
                tooltip: qsTr("Save the defined StartingList with specified name on device")
                onClicked: saveDialog.open()
            }
        }
    }

    FileDialog {
        id: openDialog
        title: qsTr("Please choose a file")
        defaultSuffix: "json"
        nameFilters: ["StartingLists (*.json)"]
        selectExisting: true
        onAccepted: root.loadFrom(openDialog.fileUrl.toString())
    }

    FileDialog {
        id: saveDialog
        title: qsTr("Please choose a file")
        defaultSuffix: "json"
        nameFilters: ["StartingLists (*.json)"]
        selectExisting: false
        onAccepted: {
            root.saveTo(saveDialog.fileUrl.toString())
            saveDialog.close()
        }
    }
}

import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Dialogs 1.3
import QtQuick.Layouts 1.15
import velmora.Orvane 1.0
import "../customcontrols"

// The "Internal Sequence" tab: a custom sequence composed row by row, kept in a JSON file, sent to
// Vantor to be stored there or to be stored and started, or deleted there by name or id.
Item {
    id: root

    property var window
    readonly property var backend: window.backend
    readonly property ListModel rows: window.semaSequenceModel
    readonly property int listWidth: window.rowIndexWidth + window.signWidth + window.timeWidth + window.colorWidth
                                     + window.toneWidth + window.windowWidth + 2 * sequenceList.borderWidth

    property alias sequenceIdInput: sequenceIdInput
    property alias sequenceNameInput: sequenceNameInput
    property alias sequenceList: sequenceList
    property alias openDialog: openDialog
    property alias saveDialog: saveDialog

    readonly property var colorEntries: [{ "text": qsTr("Off"), "value": SemaEnum.SEMA_COLOR_OFF },
        { "text": qsTr("Red"), "value": SemaEnum.SEMA_COLOR_RED },
        { "text": qsTr("Yellow"), "value": SemaEnum.SEMA_COLOR_YELLOW },
        { "text": qsTr("Green"), "value": SemaEnum.SEMA_COLOR_GREEN },
        { "text": qsTr("Pixel"), "value": SemaEnum.SEMA_COLOR_PIXEL },
        { "text": qsTr("Yellow Pixel"), "value": SemaEnum.SEMA_COLOR_YELLOW_PIXEL }]
    readonly property var toneEntries: [{ "text": qsTr("Silent"), "value": SemaEnum.NO_SEMA_SOUND },
        { "text": qsTr("Bip"), "value": SemaEnum.SEMA_SOUND_BIP },
        { "text": qsTr("Boop"), "value": SemaEnum.SEMA_SOUND_BOOP },
        { "text": qsTr("Long Bip"), "value": SemaEnum.SEMA_SOUND_LONG_BIP },
        { "text": qsTr("Long Boop"), "value": SemaEnum.SEMA_SOUND_LONG_BOOP }]
    readonly property var windowEntries: [{ "text": qsTr("False"), "value": true }, { "text": qsTr("No False"), "value": false }]
    readonly property var signEntries: [{ "text": "+", "value": 1 }, { "text": "-", "value": -1 }]

    function newRow() {
        return { "time": 0, "color": SemaEnum.SEMA_COLOR_OFF, "sound": SemaEnum.SEMA_SOUND_BIP,
            "isFalseStartWindow": true }
    }

    function addRow() {
        rows.append(newRow())
        sequenceList.currentIndex = rows.count - 1
    }

    function insertRow() {
        if (rows.count === 0 || sequenceList.currentIndex < 0) {
            addRow()
            return
        }
        var current = sequenceList.currentIndex
        rows.insert(current, newRow())
        sequenceList.currentIndex = current + 1
    }

    function removeRow() {
        if (sequenceList.currentIndex >= 0 && sequenceList.currentIndex < rows.count)
            rows.remove(sequenceList.currentIndex)
    }

    function rowList() {
        var list = []
        for (var i = 0; i < rows.count; ++i) {
            var row = rows.get(i)
            list.push({ "time": row.time, "color": row.color, "sound": row.sound,
                "isFalseStartWindow": row.isFalseStartWindow })
        }
        return list
    }

    // The message of the first failed check of a name and an id, or "" when both are given.
    function checkNameThenId(idMessage) {
        if (sequenceNameInput.text === "")
            return qsTr("Insert the sequence name")
        if (sequenceIdInput.text === "")
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
        var map = root.backend.loadSequence(fileUrl)
        if (map.sequenceId === undefined)
            return
        sequenceIdInput.text = map.sequenceId
        sequenceNameInput.text = map.sequenceName
        rows.clear()
        for (var i = 0; i < map.sequence.length; ++i)
            rows.append(map.sequence[i])
    }

    function saveTo(fileUrl) {
        var message = checkNameThenId(qsTr("Insert the sequence ID"))
        if (message !== "") {
            root.window.showMessage(message)
            return
        }
        root.backend.saveSequence(sequenceIdInput.text, sequenceNameInput.text, rowList(), fileUrl)
    }

    RowLayout {
        anchors.fill: parent
        anchors.margins: 5
        spacing: 10

        ColumnLayout {
            Layout.alignment: Qt.AlignTop
            spacing: 5

            RowLayout {
                FieldLabel {
                    Layout.preferredWidth: 180
                    text: qsTr("Insert the sequence id")
                }
                InputBox {
                    Layout.preferredWidth: 150
                    TextInput {
                        id: sequenceIdInput
                        objectName: "editorSequenceId"
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
                    text: qsTr("Insert the sequence name")
                }
                InputBox {
                    Layout.preferredWidth: 150
                    TextInput {
                        id: sequenceNameInput
                        objectName: "editorSequenceName"
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
                        width: root.window.signWidth
                        text: qsTr("Sign")
                    }
                    RowHeaderItem {
                        width: root.window.timeWidth
                        text: qsTr("Time [s]")
                    }
                    RowHeaderItem {
                        width: root.window.colorWidth
                        text: qsTr("Light")
                    }
                    RowHeaderItem {
                        width: root.window.toneWidth
                        text: qsTr("Tone")
                    }
                    RowHeaderItem {
                        width: root.window.windowWidth
                        text: qsTr("Window")
                    }
                }

                ListViewItem {
                    id: sequenceList
                    objectName: "sequenceEditorList"
                    width: root.listWidth
                    height: 225
                    model: root.rows
                    currentIndex: -1
                    highlight: Rectangle {
                        color: "#CAF5CF"
                    }
                    delegate: SequenceRow {
                        editor: root
                        list: sequenceList
                        width: root.listWidth - 2 * sequenceList.borderWidth
                        x: sequenceList.borderWidth
                    }
                }
            }

            RowLayout {
                spacing: 20
                BetterButton {
                    objectName: "addSequenceRow"
                    text: qsTr("Add sequence")
                    onClicked: root.addRow()
                }
                BetterButton {
                    objectName: "insertSequenceRow"
                    text: qsTr("Insert sequence")
                    onClicked: root.insertRow()
                }
                BetterButton {
                    objectName: "removeSequenceRow"
                    text: qsTr("Remove sequence")
                    onClicked: root.removeRow()
                }
            }
        }

        // The action buttons: a column 150 wide, or as wide as its longest label needs.
        ColumnLayout {
            Layout.fillWidth: false
            Layout.preferredWidth: Math.max(150, implicitWidth)
            Layout.minimumWidth: Layout.preferredWidth
            Layout.maximumWidth: Layout.preferredWidth
            Layout.alignment: Qt.AlignTop
            spacing: 5

            BetterButton {
                objectName: "downloadTestSequence"
                Layout.fillWidth: true
                text: qsTr("Download test seq.")
                tooltip: qsTr("Send and store a test sequence with specified name on device")
                enabled: root.window.isConnected
                onClicked: {
                    var message = sequenceIdInput.text === "" ? qsTr("Insert the sequence id")
                                                              : (sequenceNameInput.text === "" ? qsTr("Insert the sequence name") : "")
                    root.run(message, function() { root.backend.setTestSequence(sequenceIdInput.text, sequenceNameInput.text) })
                }
            }
            BetterButton {
                objectName: "downloadSequence"
                Layout.fillWidth: true
                text: qsTr("Download sequence")
                tooltip: qsTr("Send and store the defined sequence with specified name on device")
                enabled: root.window.isConnected
                onClicked: root.run(root.checkNameThenId(qsTr("Insert the sequence id")), function() {
                    root.backend.setSequenceQML(sequenceIdInput.text, sequenceNameInput.text, root.rowList())
                })
            }
            BetterButton {
                objectName: "downloadAndStartSequence"
                Layout.fillWidth: true
                text: qsTr("Downl. and start seq.")
                tooltip: qsTr("Send and store the defined sequence with specified name on device")
                enabled: root.window.isConnected
                onClicked: root.run(root.checkNameThenId(qsTr("Insert the sequence id")), function() {
                    var commands = root.window.commandsTab
                    if (sema.sequenceMode === SemaEnum.SEQUENCE_MODE_AUTO)
                        root.backend.startSequenceQML(SemaEnum.SEQUENCE_MODE_AUTO, commands.startTimeInput.displayText,
                                                      commands.startDateInput.displayText,
                                                      commands.repetitionInput.displayText, sequenceIdInput.text,
                                                      sequenceNameInput.text, root.rowList())
                    else
                        root.backend.startSequenceQML(SemaEnum.SEQUENCE_MODE_MANUAL, "", "", "", sequenceIdInput.text,
                                                      sequenceNameInput.text, root.rowList())
                })
            }
            BetterButton {
                objectName: "deleteSequenceByName"
                Layout.fillWidth: true
                text: qsTr("Delete seq. by name")
                tooltip: qsTr("Delete a stored sequence")
                enabled: root.window.isConnected
                onClicked: root.run(sequenceNameInput.text === "" ? qsTr("Insert the sequence name") : "", function() {
                    root.backend.deleteSequenceByName(sequenceNameInput.text)
                })
            }
            BetterButton {
                objectName: "deleteSequenceById"
                Layout.fillWidth: true
                text: qsTr("Delete seq. by id")
                tooltip: qsTr("Delete a stored sequence")
                enabled: root.window.isConnected
                // Deleting by id needs the id, whatever the name field holds.
                onClicked: root.run(sequenceIdInput.text === "" ? qsTr("Insert the sequence id") : "", function() {
                    root.backend.deleteSequenceById(sequenceIdInput.text)
                })
            }
            BetterButton {
                objectName: "loadSequence"
                Layout.fillWidth: true
                text: qsTr("Load sequence")
                tooltip: qsTr("Load a stored sequence")
                onClicked: openDialog.open()
            }
            BetterButton {
                objectName: "saveSequence"
                Layout.fillWidth: true
                text: qsTr("Save sequence")
                tooltip: qsTr("Save the defined sequence with specified name on device")
                onClicked: saveDialog.open()
            }
        }
    }

    FileDialog {
        id: openDialog
        title: qsTr("Please choose a file")
        defaultSuffix: "json"
        nameFilters: ["Sequences (*.json)"]
        selectExisting: true
        onAccepted: root.loadFrom(openDialog.fileUrl.toString())
    }

    FileDialog {
        id: saveDialog
        title: qsTr("Please choose a file")
        defaultSuffix: "json"
        nameFilters: ["Sequences (*.json)"]
        selectExisting: false
        onAccepted: {
            root.saveTo(saveDialog.fileUrl.toString())
            saveDialog.close()
        }
    }
}

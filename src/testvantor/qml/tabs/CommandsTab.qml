import QtQuick 2.15
import QtQuick.Controls 2.15
import QtQuick.Layouts 1.15
import velmora.Orvane 1.0
import "../customcontrols"

// The Commands tab: the version, the choice of the current sequence, its start in manual or
// automatic mode, the continuous status output, and stop, pause and restart.
Item {
    id: root

    property var window
    readonly property var backend: window.backend
    readonly property bool connected: window.isConnected
    readonly property bool autoMode: sema.sequenceMode === SemaEnum.SEQUENCE_MODE_AUTO

    property alias sequenceIdInput: sequenceIdInput
    property alias sequenceNameInput: sequenceNameInput
    property alias sequenceListView: sequenceListView
    property alias modeChooser: modeChooser
    property alias startTimeInput: startTimeInput
    property alias startDateInput: startDateInput
    property alias repetitionInput: repetitionInput

    // The page fits the tab area; in a smaller one it scrolls.
    PageScrollView {
        id: scroller
        objectName: "commandsScroller"
        anchors.fill: parent

        ColumnLayout {
            width: scroller.usableWidth
            spacing: 5

            RowLayout {
                spacing: 10
                FieldLabel {
                    Layout.preferredWidth: 180
                    text: qsTr("Version number")
                }
                InputBox {
                    Layout.preferredWidth: 150
                    TextInput {
                        objectName: "versionBox"
                        anchors.fill: parent
                        anchors.margins: 4
                        verticalAlignment: TextInput.AlignVCenter
                        font.pixelSize: 14
                        readOnly: true
                        text: root.window.statusVersionNumber
                    }
                }
                BetterButton {
                    objectName: "getVersionButton"
                    text: qsTr("Get version number")
                    enabled: root.connected
                    onClicked: root.backend.getVersionNumber()
                }
            }

            RowLayout {
                spacing: 10
                FieldLabel {
                    Layout.preferredWidth: 180
                    text: qsTr("Insert the sequence id")
                }
                InputBox {
                    Layout.preferredWidth: 150
                    TextInput {
                        id: sequenceIdInput
                        objectName: "sequenceIdInput"
                        anchors.fill: parent
                        anchors.margins: 4
                        verticalAlignment: TextInput.AlignVCenter
                        font.pixelSize: 14
                        selectByMouse: true
                    }
                }
                BetterButton {
                    objectName: "selectByIdButton"
                    text: qsTr("Select seq. by Id")
                    tooltip: qsTr("Select the current sequence on device")
                    enabled: root.connected
                    onClicked: {
                        if (sequenceIdInput.text === "")
                            root.window.showMessage(qsTr("Insert the sequence Id"))
                        else
                            root.backend.setCurrentSequenceId(sequenceIdInput.text)
                    }
                }
            }

            RowLayout {
                spacing: 10
                FieldLabel {
                    Layout.preferredWidth: 180
                    text: qsTr("Insert the sequence name")
                }
                InputBox {
                    Layout.preferredWidth: 150
                    TextInput {
                        id: sequenceNameInput
                        objectName: "sequenceNameInput"
                        anchors.fill: parent
                        anchors.margins: 4
                        verticalAlignment: TextInput.AlignVCenter
                        font.pixelSize: 14
                        selectByMouse: true
                    }
                }
                BetterButton {
                    objectName: "selectByNameButton"
                    text: qsTr("Select seq. by name")
                    tooltip: qsTr("Select the current sequence on device")
                    enabled: root.connected
                    onClicked: {
                        if (sequenceNameInput.text === "")
                            root.window.showMessage(qsTr("Insert the sequence name"))
                        else
                            root.backend.setCurrentSequenceName(sequenceNameInput.text)
                    }
                }
            }

            RowLayout {
                spacing: 10
                Layout.fillWidth: true

                ColumnLayout {
                    Layout.preferredWidth: 200
                    Label {
                        text: qsTr("Sequences")
                        font.bold: true
                    }
                    ListViewItem {
                        id: sequenceListView
                        objectName: "sequenceList"
                        Layout.fillWidth: true
                        Layout.preferredHeight: 130
                        model: root.window.sequenceList
                        currentIndex: -1
                        delegate: Rectangle {
                            width: sequenceListView.width
                            height: 45
                            color: ListView.isCurrentItem ? "green" : "transparent"
                            Text {
                                anchors.fill: parent
                                anchors.leftMargin: 5
                                verticalAlignment: Text.AlignVCenter
                                horizontalAlignment: Text.AlignLeft
                                elide: Text.ElideRight
                                text: modelData.SequenceName
                            }
                            MouseArea {
                                anchors.fill: parent
                                onClicked: sequenceListView.currentIndex = index
                            }
                        }
                        onModelChanged: currentIndex = -1
                        onCurrentIndexChanged: {
                            if (currentIndex < 0 || currentIndex >= root.window.sequenceList.length) {
                                sequenceIdInput.text = ""
                                sequenceNameInput.text = ""
                            } else {
                                sequenceIdInput.text = root.window.sequenceList[currentIndex].SequenceId
                                sequenceNameInput.text = root.window.sequenceList[currentIndex].SequenceName
                            }
                        }
                    }
                    BetterButton {
                        objectName: "getSequencesButton"
                        Layout.fillWidth: true
                        text: qsTr("Get sequences")
                        tooltip: qsTr("Get all sequences on device")
                        enabled: root.connected
                        onClicked: root.backend.getAllSequences()
                    }
                }

                GridLayout {
                    columns: 2
                    columnSpacing: 5
                    rowSpacing: 5
                    Layout.alignment: Qt.AlignTop

                    Label {
                        Layout.columnSpan: 2
                        text: qsTr("Sequence")
                        font.bold: true
                    }
                    FieldLabel {
                        Layout.preferredWidth: 80
                        text: qsTr("Type")
                    }
                    ComboBoxItem {
                        id: modeChooser
                        objectName: "modeChooser"
                        Layout.preferredWidth: 120
                        backColor: "#F4F2F5"
                        borderColor: "grey"
                        borderColorUnselected: "grey"
                        textRole: "text"
                        model: [{ "text": qsTr("Manual"), "value": SemaEnum.SEQUENCE_MODE_MANUAL },
                            { "text": qsTr("Automatic"), "value": SemaEnum.SEQUENCE_MODE_AUTO }]
                        currentIndex: sema.sequenceMode === SemaEnum.SEQUENCE_MODE_AUTO ? 1 : 0
                        onCurrentIndexChanged: {
                            if (root.window.isCompleted && currentIndex >= 0)
                                sema.sequenceMode = model[currentIndex].value
                        }
                    }
                    FieldLabel {
                        Layout.preferredWidth: 80
                        text: qsTr("Time")
                    }
                    InputBox {
                        Layout.preferredWidth: 120
                        TextInput {
                            id: startTimeInput
                            objectName: "startTimeInput"
                            anchors.fill: parent
                            anchors.margins: 4
                            verticalAlignment: TextInput.AlignVCenter
                            font.pixelSize: 14
                            inputMask: "99:99:99;0;"
                            inputMethodHints: Qt.ImhDigitsOnly
                            enabled: root.autoMode
                            color: enabled ? "black" : "grey"
                            Component.onCompleted: text = root.window.nextWholeMinuteText()
                        }
                    }
                    FieldLabel {
                        Layout.preferredWidth: 80
                        text: qsTr("Date")
                    }
                    InputBox {
                        Layout.preferredWidth: 120
                        TextInput {
                            id: startDateInput
                            objectName: "startDateInput"
                            anchors.fill: parent
                            anchors.margins: 4
                            verticalAlignment: TextInput.AlignVCenter
                            font.pixelSize: 14
                            inputMask: "99/99/9999;0;"
                            inputMethodHints: Qt.ImhDigitsOnly
                            enabled: root.autoMode
                            color: enabled ? "black" : "grey"
                            Component.onCompleted: text = root.window.nextWholeMinuteDateText()
                        }
                    }
                    FieldLabel {
                        Layout.preferredWidth: 80
                        text: qsTr("Repetition")
                    }
                    InputBox {
                        Layout.preferredWidth: 120
                        TextInput {
                            id: repetitionInput
                            objectName: "repetitionInput"
                            anchors.fill: parent
                            anchors.margins: 4
                            verticalAlignment: TextInput.AlignVCenter
                            font.pixelSize: 14
                            inputMask: "99:99:99;0;"
                            inputMethodHints: Qt.ImhDigitsOnly
                            enabled: root.autoMode
                            color: enabled ? "black" : "grey"
                            text: "00:01:00"
                        }
                    }
                }

                ColumnLayout {
                    Layout.alignment: Qt.AlignTop
                    spacing: 5

                    BetterButton {
                        objectName: "startSequenceButton"
                        Layout.fillWidth: true
                        text: qsTr("Start sequence")
                        tooltip: qsTr("Start the current sequence on device")
                        enabled: root.connected
                        onClicked: {
                            if (root.autoMode)
                                root.backend.startSequenceQML(SemaEnum.SEQUENCE_MODE_AUTO, startTimeInput.displayText,
                                                              startDateInput.displayText, repetitionInput.displayText)
                            else
                                root.backend.startSequenceQML(SemaEnum.SEQUENCE_MODE_MANUAL, "", "", "")
                        }
                    }
                    BetterButton {
                        objectName: "setAndStartButton"
                        Layout.fillWidth: true
                        text: qsTr("Set and start by id")
                        tooltip: qsTr("Select the current sequence on device and start it")
                        enabled: root.connected
                        onClicked: {
                            if (sequenceIdInput.text === "")
                                root.window.showMessage(qsTr("Insert the sequence id"))
                            else if (root.autoMode)
                                root.backend.startSequenceQML(SemaEnum.SEQUENCE_MODE_AUTO, startTimeInput.displayText,
                                                              startDateInput.displayText, repetitionInput.displayText,
                                                              sequenceIdInput.text)
                            else
                                root.backend.startSequenceQML(SemaEnum.SEQUENCE_MODE_MANUAL, "", "", "", sequenceIdInput.text)
                        }
                    }
                    BetterButton {
                        objectName: "statusOnButton"
                        Layout.fillWidth: true
                        text: qsTr("Start continuous status")
                        enabled: root.connected
                        onClicked: root.backend.sendSetEnabledOutputStatus()
                    }
                    BetterButton {
                        objectName: "statusOffButton"
                        Layout.fillWidth: true
                        text: qsTr("Stop continuous status")
                        enabled: root.connected
                        onClicked: root.backend.sendSetDisableOutputStatus()
                    }
                }
            }

            RowLayout {
                spacing: 20
                BetterButton {
                    objectName: "stopSequenceButton"
                    text: qsTr("Stop sequence")
                    enabled: root.connected
                    onClicked: root.backend.stopSequence()
                }
                BetterButton {
                    objectName: "pauseSequenceButton"
                    text: qsTr("Pause sequence")
                    enabled: root.connected
                    onClicked: root.backend.pauseSequence()
                }
                BetterButton {
                    objectName: "restartSequenceButton"
                    text: qsTr("Restart sequence")
                    enabled: root.connected
                    onClicked: root.backend.restartSequence()
                }
            }
        }
    }
}

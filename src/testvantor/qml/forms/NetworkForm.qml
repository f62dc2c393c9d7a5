import QtQuick 2.15
import QtQuick.Controls 2.15
import "../customcontrols"

// The "Network" tab: switches Vantor's wireless network on and off, lists the networks it sees
// (polled every 5 s while on) and selects one with a password.
Item {
    id: root

    property var window
    readonly property var backend: window.backend
    property var currentSelectedItem: null

    property alias enabledSwitch: enabledSwitch
    property alias passwordField: passwordField
    property alias networkList: networkList
    property alias pollTimer: pollTimer
    property alias selectButton: selectButton

    function installList(list) {
        var remembered = root.currentSelectedItem ? root.currentSelectedItem.SSID : undefined
        networkList.changingModel = true
        networkList.model = list
        var found = -1
        for (var i = 0; i < list.length && remembered !== undefined; ++i) {
            if (list[i].SSID === remembered) {
                found = i
                break
            }
        }
        if (found < 0)
            found = list.length > 0 ? 0 : -1
        networkList.currentIndex = found
        root.currentSelectedItem = found >= 0 ? list[found] : null
        networkList.changingModel = false
    }

    function clearList() {
        networkList.changingModel = true
        networkList.model = []
        networkList.currentIndex = -1
        networkList.changingModel = false
        root.currentSelectedItem = null
    }

    onCurrentSelectedItemChanged: {
        if (!passwordField.activeFocus)
            passwordField.text = root.currentSelectedItem ? root.currentSelectedItem.Password : ""
    }

    Connections {
        target: root.backend
        function onWifiEnabled(enabled) {
            enabledSwitch.checked = enabled
        }
        function onWifiScanResultsDone(list) {
            root.installList(list)
        }
    }

    Timer {
        id: pollTimer
        objectName: "networkPollTimer"
        interval: 5000
        repeat: true
        running: enabledSwitch.checked
        onTriggered: root.backend.getNetworkList()
    }

    Rectangle {
        x: 0
        y: 0
        width: 250
        height: 50
        border.color: "black"
        border.width: 1
        color: "transparent"
        Row {
            anchors.verticalCenter: parent.verticalCenter
            x: 10
            Label {
                text: qsTr("Status")
                font.bold: true
            }
            Label {
                text: ": " + root.window.statusIsWifiEnabled
            }
        }
    }

    Label {
        id: enabledLabel
        x: 0
        y: 88
        text: qsTr("Enabled")
    }
    SwitchItem {
        id: enabledSwitch
        objectName: "wifiSwitch"
        x: 0
        // Below its label.
        y: enabledLabel.y + enabledLabel.height + 2
        onCheckedChanged: {
            root.backend.enableWifi(checked)
            if (!checked)
                root.clearList()
        }
    }

    Label {
        id: passwordLabel
        x: 0
        y: 176
        text: qsTr("Password")
    }
    TextField {
        id: passwordField
        objectName: "passwordField"
        x: 0
        // Below its label.
        y: passwordLabel.y + passwordLabel.height + 2
        width: 190
        height: 42
        selectByMouse: true
    }

    Column {
        id: listColumn
        x: 220
        y: 88
        width: 420
        height: buttonsRow.y - 10 - y

        Row {
            height: 25
            Label {
                width: 300
                text: qsTr("Name")
                font.bold: true
            }
            Label {
                width: 120
                text: qsTr("Quality")
                font.bold: true
                horizontalAlignment: Text.AlignHCenter
            }
        }

        ListViewItem {
            id: networkList
            objectName: "networkList"
            property bool changingModel: false
            width: 420
            height: listColumn.height - 25
            model: []
            currentIndex: -1
            delegate: Rectangle {
                width: 420
                height: 45
                color: ListView.isCurrentItem ? "green" : "transparent"
                Row {
                    anchors.fill: parent
                    Item {
                        width: 20
                        height: parent.height
                        Image {
                            anchors.centerIn: parent
                            visible: modelData.Selected === true
                            source: index === networkList.currentIndex ? "qrc:/resources/checked.png"
                                                                       : "qrc:/resources/checked_gr.png"
                        }
                    }
                    Text {
                        width: 280
                        height: parent.height
                        verticalAlignment: Text.AlignVCenter
                        elide: Text.ElideRight
                        text: modelData.SSID
                    }
                    Text {
                        width: 120
                        height: parent.height
                        verticalAlignment: Text.AlignVCenter
                        horizontalAlignment: Text.AlignHCenter
                        text: modelData.Quality
                    }
                }
                MouseArea {
                    anchors.fill: parent
                    onClicked: networkList.currentIndex = index
                }
            }
            onCurrentIndexChanged: {
                if (changingModel)
                    return
                root.currentSelectedItem = currentIndex >= 0 && currentIndex < model.length ? model[currentIndex] : null
            }
        }
    }

    Row {
        id: buttonsRow
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 5
        spacing: 10
        layoutDirection: Qt.RightToLeft

        BetterButton {
            id: selectButton
            objectName: "selectNetworkButton"
            text: qsTr("Select network")
            enabled: root.currentSelectedItem !== null
            onClicked: root.backend.setNetwork(root.currentSelectedItem.SSID, passwordField.text)
        }
        BetterButton {
            objectName: "wifiStatusButton"
            text: qsTr("Get status")
            onClicked: root.backend.getWifiEnabled()
        }
    }
}

import QtQuick 2.15
import velmora.Orvane 1.0
import "qrc:/customcontrols"

// The paged settings screen: shows one setting per page with the control of its type and reports
// every change the operator makes as settingChanged(id, value, text). A screen built on it fills
// the list in appendSettings() and writes the changes it is told about.
SettingsPageForm {
    id: root

    signal settingChanged(string id, var value, var text)
    signal reloadSettings()

    // Appends the screen's entries to settingsModel, each value read from its owner now.
    function appendSettings() {
    }

    // The title line of the screen.
    function titleText() {
        return formTitle
    }

    // One page of the list; the roles every page carries, whatever its type.
    function settingEntry(id, title, type, fields) {
        var entry = {
            "id": id, "title": title, "type": type, "value": 0, "time": 0, "isShowHours": true, "text": "",
            "listModel": [], "min": 0, "max": 0, "step": 1, "minShowedValue": -1, "reloadOnChange": false,
            "url": "", "pageSource": ""
        }
        for (var key in fields)
            entry[key] = fields[key]
        return entry
    }

    function getComponent(type) {
        switch (type) {
        case "text":
            return textPage
        case "number":
        case "percent":
            return numberPage
        case "bool":
            return boolPage
        case "list":
            return listPage
        case "time":
            return timePage
        case "buttonUrl":
        case "button":
            return buttonPage
        default:
            return null
        }
    }

    function loadSettings() {
        if (inLoadSettings)
            return
        inLoadSettings = true
        try {
            settingsModel.clear()
            appendSettings()
        } finally {
            inLoadSettings = false
        }
        updateTitles()
    }

    // Loads the list again and stays on the page shown, when it still exists.
    function reloadKeepingPage() {
        if (inLoadSettings)
            return
        var shown = page
        loadSettings()
        showPage(shown < settingsCount ? shown : 0)
    }

    function showPage(index) {
        page = index
        if (view.currentIndex !== index)
            view.setCurrentIndex(index)
        updateTitles()
    }

    function updateTitles() {
        formTitle = titleText()
        if (settingsCount === 0 || page < 0 || page >= settingsCount) {
            formSubTitle = ""
            return
        }
        formSubTitle = (page + 1) + "/" + settingsCount + " " + settingsModel.get(page).title
    }

    function reportChange(entry, value, text) {
        root.settingChanged(entry.id, value, text)
        // The list is rebuilt once the control that reported the change has finished with it.
        if (entry.reloadOnChange)
            reloadTimer.restart()
    }

    // A copy of one entry, choices included, that outlives the model's row.
    function entrySnapshot(index) {
        var row = settingsModel.get(index)
        var roles = ["id", "title", "type", "value", "time", "isShowHours", "text", "min", "max", "step",
                     "minShowedValue", "reloadOnChange", "url", "pageSource"]
        var copy = {}
        roles.forEach(function(role) { copy[role] = row[role] })
        var choices = []
        for (var i = 0; row.listModel && i < row.listModel.count; ++i) {
            var choice = row.listModel.get(i)
            choices.push({ "text": choice.text, "value": choice.value })
        }
        copy.listModel = choices
        return copy
    }

    // The language and the theme change the texts and icons of the pages.
    function reloadMenu() {
        reloadTimer.restart()
    }

    onReloadSettings: reloadKeepingPage()

    onPageChanged: {
        if (!inLoadSettings)
            updateTitles()
    }

    view.onCurrentIndexChanged: {
        if (!inLoadSettings && view.currentIndex >= 0 && view.currentIndex !== page)
            page = view.currentIndex
    }

    previousTouch.onClicked: {
        if (page > 0)
            showPage(page - 1)
    }

    nextSettingTouch.onClicked: {
        if (page < settingsCount - 1)
            showPage(page + 1)
    }

    closeTouch.onClicked: mainForm.menuPressed()

    Component.onCompleted: {
        loadSettings()
        showPage(0)
    }

    Connections {
        target: application
        function onBackgroundConfigChanged() {
            root.reloadKeepingPage()
        }
    }

    Timer {
        id: reloadTimer
        interval: 0
        repeat: false
        onTriggered: root.reloadSettings()
    }

    Component {
        id: textPage

        Item {
            id: textItem

            property var entry: null

            Text {
                objectName: "settingText"
                anchors.fill: parent
                anchors.leftMargin: marginLeftForm
                anchors.rightMargin: marginRightForm
                // Clear of the close icon in the corner below, and of the title bar above (a text
                // fitted to the page's height brings its accents up to the top).
                anchors.topMargin: 5
                anchors.bottomMargin: root.closeIconOverlap
                text: textItem.entry ? textItem.entry.text : ""
                color: colorText
                font.pixelSize: 40
                font.bold: true
                fontSizeMode: Text.Fit
                minimumPixelSize: 12
                wrapMode: Text.WordWrap
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }

            Component.onCompleted: entry = parent.entry
        }
    }

    Component {
        id: numberPage

        Item {
            id: numberItem

            property var entry: null
            property bool ready: false

            SetNumber {
                id: setNumber
                objectName: numberItem.entry ? numberItem.entry.id : ""
                anchors.centerIn: parent
                verticalSpacing: 4
                onValueChanged: {
                    if (numberItem.ready)
                        root.reportChange(numberItem.entry, value, value)
                }
            }

            Component.onCompleted: {
                entry = parent.entry
                setNumber.min = entry.min
                setNumber.max = entry.max
                setNumber.step = entry.step > 0 ? entry.step : 1
                if (entry.minShowedValue >= 0)
                    setNumber.minShowedValue = entry.minShowedValue
                setNumber.suffix = entry.type === "percent" ? "%" : ""
                setNumber.value = entry.value
                ready = true
            }
        }
    }

    Component {
        id: boolPage

        Item {
            id: boolItem

            property var entry: null
            property bool ready: false

            SwitchItem {
                id: switchItem
                objectName: boolItem.entry ? boolItem.entry.id : ""
                anchors.centerIn: parent
                // Centred as a whole, its caption included.
                anchors.horizontalCenterOffset: -35
                onString: qsTr("Yes") + application.languageChanged
                offString: qsTr("No") + application.languageChanged
                onCheckedChanged: {
                    if (boolItem.ready)
                        root.reportChange(boolItem.entry, checked, checked ? onString : offString)
                }
            }

            Component.onCompleted: {
                entry = parent.entry
                switchItem.checked = entry.value === 1
                ready = true
            }
        }
    }

    Component {
        id: listPage

        Item {
            id: listItem

            property var entry: null
            property bool ready: false

            ComboBoxItem {
                id: comboBox
                objectName: listItem.entry ? listItem.entry.id : ""
                anchors.centerIn: parent
                width: 190
                verticalSpacing: 4
                model: listItem.entry ? listItem.entry.listModel : []
                onValueChanged: {
                    if (listItem.ready)
                        root.reportChange(listItem.entry, value, comboBox.choice(comboBox.itemIndex).text)
                }
            }

            // Starts at the choice of the current value, the first one when no choice has it.
            Component.onCompleted: {
                entry = parent.entry
                comboBox.initialValue = entry.value
                for (var i = 0; i < comboBox.count; ++i) {
                    if (comboBox.choice(i).value === entry.value) {
                        comboBox.itemIndex = i
                        break
                    }
                }
                ready = true
            }
        }
    }

    Component {
        id: timePage

        Item {
            id: timeItem

            property var entry: null
            property bool ready: false

            SetTime {
                id: setTime
                objectName: timeItem.entry ? timeItem.entry.id : ""
                anchors.centerIn: parent
                verticalSpacing: 2
                onValueChanged: {
                    if (timeItem.ready)
                        root.reportChange(timeItem.entry, value, value)
                }
            }

            Component.onCompleted: {
                entry = parent.entry
                setTime.isShowHours = entry.isShowHours
                setTime.time = entry.time
                ready = true
            }
        }
    }

    Component {
        id: buttonPage

        Item {
            id: buttonItem

            property var entry: null
            readonly property color frameColor: application.isHighContrast ? "#363636" : "#e9dd2f"

            Rectangle {
                objectName: buttonItem.entry ? buttonItem.entry.id : ""
                anchors.horizontalCenter: parent.horizontalCenter
                y: 10
                width: 200
                height: 80
                color: "transparent"
                border.width: 1
                border.color: buttonItem.frameColor

                Text {
                    anchors.fill: parent
                    anchors.margins: 5
                    text: buttonItem.entry ? buttonItem.entry.title : ""
                    color: buttonItem.frameColor
                    font.pixelSize: 40
                    font.bold: true
                    fontSizeMode: Text.Fit
                    minimumPixelSize: 12
                    wrapMode: Text.WordWrap
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }

                MouseArea {
                    objectName: "buttonTouch"
                    anchors.fill: parent
                    onClicked: {
                        var entry = buttonItem.entry
                        if (entry.type === "buttonUrl")
                            mainForm.openScreen(entry.url, {
                                "objectName": "", "formTitle": entry.title, "formMenuTitle": entry.title,
                                "pageSource": entry.pageSource, "formParam": "" })
                        else
                            root.reportChange(entry, "", "")
                    }
                }
            }

            Component.onCompleted: entry = parent.entry
        }
    }
}

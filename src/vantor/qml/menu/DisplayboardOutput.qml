import QtQuick 2.15

// The screen of the display-board mode: shows the text remote clients write on the board. While
// it is open the interface counts as being in a timing screen; the board is cleared when it opens
// and when it is left. After every new text the close icon rests for a moment, so that a tap meant
// for the old screen does not close the new text.
DisplayboardOutputForm {
    id: root

    timeLabel.text: qsTr("TIME") + application.languageChanged

    runningTime.onTextChanged: guardTimer.restart()

    closeTouch.onClicked: {
        if (closeIcon.enabled)
            mainForm.menuPressed()
    }

    settingsTouch.onClicked: mainForm.openScreen("qrc:/menu/Settings.qml", {
        "pageSource": "", "objectName": "settingsForm", "formTitle": qsTr("Settings") + application.languageChanged,
        "formMenuTitle": qsTr("Settings") + application.languageChanged, "formParam": "RACE" })

    onPopping: {
        displayboard.reset()
        application.isInTimingMenu = false
        return false
    }

    // The timing mark comes after the board is cleared: the command server draws a remote text
    // once the mark is up, and a clear after it would wipe the text.
    Component.onCompleted: {
        application.displayboardOutput = ""
        utils.processEvents(120)
        displayboard.reset()
        application.isInTimingMenu = true
    }
}

import QtQuick 2.15
import velmora.Orvane 1.0

// The modal box: shows a header and captions, takes the keyboard, and reports the key that
// closed it through setResult before closing().
MessageBoxForm {
    id: root
    objectName: "messageBox"

    property int escKey: 0
    property int confKey: 0

    signal opening()
    signal closing()
    signal setResult(int result)

    function asText(value) {
        return value === undefined || value === null ? "" : "" + value
    }

    function openBox() {
        root.isClosing = false
        root.visible = true
        stack.enabled = false
        root.forceActiveFocus()
        root.opening()
    }

    function setVisible(strHeader, strF1, strF2, strF3, strF4, strF5, timeout, escapeKey, confirmKey) {
        root.headerText = asText(strHeader)
        root.textF1 = asText(strF1)
        root.textF2 = asText(strF2)
        root.textF3 = asText(strF3)
        root.escKey = escapeKey ? escapeKey : 0
        root.confKey = confirmKey ? confirmKey : 0
        openBox()
        if (timeout) {
            closeTimer.interval = timeout
            closeTimer.start()
        }
    }

    function setVisibleWithCancel() {
        root.textF3 = qsTr("Cancel")
        root.escKey = OrvaneEnum.QKEY_ESCAPE
        openBox()
    }

    function setTitle(strHeader) {
        root.headerText = asText(strHeader)
    }

    function setSubTitle(strSubHeader) {
        var sub = asText(strSubHeader)
        var lineBreak = root.headerText.indexOf("\n")
        if (root.headerText === "")
            root.headerText = sub
        else if (lineBreak < 0)
            root.headerText = root.headerText + "\n" + sub
        else
            root.headerText = root.headerText.substring(0, lineBreak) + "\n" + sub
    }

    function setClose() {
        root.isClosing = true
        closeTimer.stop()
        root.visible = false
        root.closing()
        mainItem.setFocusAfterClosingMessageBox()
    }

    function setFocus() {
        root.forceActiveFocus()
    }

    function finish(key) {
        root.setResult(key)
        root.setClose()
    }

    anchors.fill: parent
    visible: false

    onFunctionButtonPressed: {
        // Only a fresh press answers: a key held down since before the box opened (the long
        // press that asks to quit) repeats, and must not answer for the operator.
        if (event.isAutoRepeat) {
            event.accepted = true
            return
        }
        var key = event.key
        if (key === OrvaneEnum.QKEY_ESCAPE || key === OrvaneEnum.QKEY_MENU) {
            event.accepted = true
            finish(key)
            return
        }
        if (key === OrvaneEnum.QKEY_ENTER || key === OrvaneEnum.QKEY_RETURN) {
            event.accepted = true
            if (!root.buttonsVisible) {
                finish(key)
                return
            }
            key = root.confKey
        }
        if ((key === OrvaneEnum.QKEY_F1 && root.textF1 !== "") || (key === OrvaneEnum.QKEY_F2 && root.textF2 !== "")
                || (key === OrvaneEnum.QKEY_F3 && root.textF3 !== "")) {
            event.accepted = true
            finish(key)
        }
    }

    // A shown box keeps the keyboard until it closes.
    onActiveFocusChanged: {
        if (!activeFocus && visible && !isClosing && mainItem.checkLastMessageBox(objectName))
            root.forceActiveFocus()
    }

    touchArea.onClicked: {
        if (!root.buttonsVisible)
            root.setClose()
    }
    touchF1.onClicked: keyEmitter.emitKey(OrvaneEnum.QKEY_F1, root)
    touchF2.onClicked: keyEmitter.emitKey(OrvaneEnum.QKEY_F2, root)
    touchF3.onClicked: keyEmitter.emitKey(OrvaneEnum.QKEY_F3, root)

    Timer {
        id: closeTimer
        repeat: false
        onTriggered: {
            stop()
            root.finish(root.escKey)
        }
    }
}

import QtQuick 2.15
import velmora.Orvane 1.0

// Base of the screens and message boxes: the background, the key handling shared by touch and
// keys, and the animated state changes.
BaseForm {
    id: root
    objectName: "Form"

    property Item defaultFocusItem: root
    property color color: colorBackground
    property int lastKeyEventKey: 0
    property int lastKeyEventModifiers: 0
    property int lastKeyEventNativeScanCode: 0
    property int transitionDuration: 200

    signal functionButtonPressed(var event)
    signal functionButtonReleased(var event)
    signal popping()

    width: defaultWidth
    height: defaultHeight - toolBarHeight
    clip: true

    Rectangle {
        id: background
        anchors.fill: parent
        z: -1
        color: root.color
    }

    Keys.onPressed: {
        if (!root.enabled || application.isClosing) {
            event.accepted = true
            return
        }
        if (isDebug)
            console.log("**Keys.onPressed** " + event.nativeScanCode + " " + root.objectName + " "
                        + (mainForm.activeFocusItem ? mainForm.activeFocusItem.objectName : ""))
        if (event.key !== OrvaneEnum.QKEY_MENU)
            root.functionButtonPressed(event)
        root.lastKeyEventKey = event.key
        root.lastKeyEventModifiers = event.modifiers
        root.lastKeyEventNativeScanCode = event.nativeScanCode
        mainForm.longPressTimer.start()
    }

    Keys.onReleased: {
        if (!root.enabled || application.isClosing) {
            event.accepted = true
            return
        }
        if (event.isAutoRepeat) {
            if (isDebug)
                console.log("Keys.onRelease repeat " + event.key)
            return
        }
        if (event.key === 0 || event.key === OrvaneEnum.QKEY_MENU)
            event.accepted = true
        // A short press of the menu key acts on its release; a long one has opened the quit question.
        if (mainForm.longPressTimer.running && event.key === OrvaneEnum.QKEY_MENU) {
            mainForm.longPressTimer.stop()
            root.functionButtonPressed(event)
        }
        root.functionButtonReleased(event)
        if (isDebug)
            console.log("Keys.onRelease " + event.key)
        mainForm.longPressTimer.stop()
    }

    transitions: Transition {
        NumberAnimation {
            properties: "x,y,width,height,font.pixelSize,opacity,rotation,anchors.leftMargin,anchors.rightMargin,anchors.topMargin,anchors.bottomMargin,anchors.margins"
            duration: root.transitionDuration
            easing.type: Easing.OutCubic
        }
        ColorAnimation {
            duration: root.transitionDuration
            easing.type: Easing.OutCubic
        }
        AnchorAnimation {
            duration: root.transitionDuration
            easing.type: Easing.OutCubic
        }
    }
}
